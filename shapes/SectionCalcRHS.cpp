#include "shapes/SectionCalcRHS.h"

#include <algorithm>
#include <cmath>

#include "framework/DesignConstants.h"
#include "shapes/ElementRules.h"

namespace Corvid::Steel::SteelCSAS1609 {

double CSectionCalcRHS::MaxThick() const { return std::max(GetTf(), GetTw()); }

bool CSectionCalcRHS::IsSquare() const {
    double const ratio = Ixx() / Iyy();
    return 0.99 < ratio && ratio < 1.01;
}

CSectionCalcRHS& CSectionCalcRHS::Turned() const {
    if (m_turned.calc && m_turned.source == FixedId()) {
        // The same section, grade and code name turned before: the actions,
        // ratios and restraint come again, turned.
        CSectionCalcRHS& turned = *m_turned.calc;
        turned.CopyCheckState(*this);
        turned.ClearVolatileResultCache();
        turned.RotateActions();
        return turned;
    }
    if (m_turned.calc)
        *m_turned.calc = *this;
    else
        m_turned.calc = std::make_unique<CSectionCalcRHS>(*this);
    m_turned.source = FixedId();
    m_turned.calc->Rotate90Clockwise();
    return *m_turned.calc;
}

void CSectionCalcRHS::Rotate90Clockwise() {
    ClearAllResultCaches();
    CDesSectGeomRHS::Rotate90Clockwise();
    RotateActions();
}

void CSectionCalcRHS::RotateActions() {
    // (Mx, My) -> (My, -Mx); (V major, V minor) -> (V minor, -V major).
    double const Mx = m_Mx;
    m_Mx = m_My;
    m_My = -Mx;
    double const Vmajor = m_Vmajor;
    m_Vmajor = m_Vminor;
    m_Vminor = -Vmajor;
}

}  // namespace Corvid::Steel::SteelCSAS1609

namespace Corvid::Steel::SteelCSAS1609 {

using namespace detail;

namespace {
// The calculator's kept classes (FixedClass) of this shape.
enum FixedSlot : std::size_t { kFlange, kWebCompression };
}  // namespace

CSectionCalcRHS::BucklingClass CSectionCalcRHS::BucklingClassFlange() const {
    return FixedClass(kFlange, [this] {
        if (FabricationType() != 0 && FabricationType() != 1) return Invalid;
        // CSA S16-09 Table 2, flanges of rectangular hollow sections:
        // 420/sqrt(Fy), 525/sqrt(Fy), 670/sqrt(Fy) on b/t.
        double const s = SqrtFy();
        double const ratio = (GetB() - ClearWidthCorners() * GetTw()) / GetTf();
        if (420.0 / s >= ratio) return Class1;
        if (525.0 / s >= ratio) return Class2;
        if (670.0 / s >= ratio) return Class3;
        return Class4;
    });
}

CSectionCalcRHS::BucklingClass CSectionCalcRHS::BucklingClassWeb() const {
    return AxialClass(kWebInFlexure, [this] {
        double const h = GetD() - ClearWidthCorners() * GetTf();
        double const phiCy = Corvid::Design::kPhi * CDesSectGeomRHS::Area() * DesignFy();
        return WebFlexureRule(h / GetTw(), SqrtFy(), -ForceAxial() / phiCy);
    });
}

CSectionCalcRHS::BucklingClass CSectionCalcRHS::BucklingClassWebComp() const {
    return FixedClass(kWebCompression, [this] {
        double const h = GetD() - ClearWidthCorners() * GetTf();
        return WebCompRule(h / GetTw(), SqrtFy());
    });
}

CSectionCalcRHS::BucklingClass CSectionCalcRHS::AxisPair() const {
    return Worst(BucklingClassFlange(), BucklingClassWeb());
}

CSectionCalcRHS::BucklingClass CSectionCalcRHS::BucklingClassXX(CMemberResult* const result) const {
    BucklingClass const c = AxisPair();
    FlagClass4(result, c, ResultFlags::kClass4Section);
    return c;
}

// The turned walls' pair depends on the axial force alone (turning keeps it).
CSectionCalcRHS::BucklingClass CSectionCalcRHS::TurnedPair() const {
    return AxialClass(kOtherAxis, [this] { return Turned().AxisPair(); });
}

CSectionCalcRHS::BucklingClass CSectionCalcRHS::BucklingClassYY(CMemberResult* const result) const {
    BucklingClass const c = TurnedPair();
    FlagClass4(result, c, ResultFlags::kClass4Section);
    return c;
}

CSectionCalcRHS::BucklingClass CSectionCalcRHS::BucklingClassAxial(CMemberResult* const result) const {
    BucklingClass const cw = BucklingClassWebComp();
    BucklingClass const c = Worst(BucklingClassFlange(), cw);
    FlagClass4(result, c, ResultFlags::kClass4Flange);
    FlagClass4(result, cw, ResultFlags::kClass4Web);
    return c;
}

CSectionCalcRHS::BucklingClass CSectionCalcRHS::BucklingClassOverAll(CMemberResult* const result) const {
    BucklingClass const c = Worst(AxisPair(), TurnedPair());
    FlagClass4(result, c, ResultFlags::kClass4Section);
    return c;
}

// ---- effective section properties ----

double CSectionCalcRHS::AreaCompEffective() const {
    return FixedValue(kAreaCompEffective, [this] {
        // CSA S16-09 cl. 13.3.3: the clear width b of each slender wall beyond
        // be = 670 t/sqrt(Fy) is removed, b the width that classed it
        // (cl. 11.3.2).
        double const lim = 670.0 / SqrtFy();
        double const k = ClearWidthCorners();
        double R = 0.0;
        if (IsSlender(BucklingClassFlange())) R += 2.0 * std::fabs((GetB() - lim * GetTf() - k * GetTw()) * GetTf());
        if (IsSlender(BucklingClassWebComp())) R += 2.0 * std::fabs((GetD() - lim * GetTw() - k * GetTf()) * GetTw());
        return detail::NoLessThanZero(Area() - R);
    });
}

double CSectionCalcRHS::AreaXXEffective() const {
    if (IsSlender(BucklingClassWeb())) return 0.0;
    if (!IsSlender(BucklingClassFlange())) return Area();
    return Area() - (GetB() - std::min(670.0 * GetTf() / SqrtFy(), GetB())) * GetTf();
}

double CSectionCalcRHS::YbarXXEffective() const {
    if (!IsSlender(BucklingClassFlange())) return Ybar();
    double const A = Area();
    double const Ae = AreaXXEffective();
    double const sigma = MomentXX() < 0.0 ? 1.0 : -1.0;
    return (A * Ybar() - sigma * (A - Ae) * (GetD() - GetTf()) / 2.0) / Ae;
}

double CSectionCalcRHS::ZxxEffective() const {
    double const ye = YbarXXEffective();
    double const A = Area();
    double const Ae = AreaXXEffective();
    double const dA = A - Ae;
    double const c = (GetD() - GetTf()) / 2.0 - Ybar();
    double const Ie = Ixx() - GetTf() * GetTf() * dA / 12.0 - c * c * dA - (c * dA / Ae) * (c * dA / Ae) * Ae;
    return Ie / (std::fabs(ye) + GetD() / 2.0);
}

double CSectionCalcRHS::XbarYYEffective() const {
    CSectionCalcRHS const& turned = Turned();
    return turned.YbarXXEffective();
}

double CSectionCalcRHS::ZyyEffective() const {
    CSectionCalcRHS const& turned = Turned();
    return turned.ZxxEffective();
}

}  // namespace Corvid::Steel::SteelCSAS1609
