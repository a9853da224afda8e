#include "shapes/SectionCalcI.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "framework/ExtensibleEnum.h"
#include "framework/DesignConstants.h"
#include "shapes/ElementRules.h"

namespace Corvid::Steel::SteelCSAS1609 {

double CSectionCalcI::MaxThick() const { return std::max({GetT1(), GetT2(), GetTw()}); }

bool CSectionCalcI::IsHSection() const { return IsXXSymmetric() && 1.2 * GetB1() > GetD(); }

void CSectionCalcI::MirrorXX() {
    // The kept values are emptied first, then the flanges swapped: nothing is
    // found between the two, so none is found from the old geometry.
    CCSA_S16_09Section::MirrorXX();
    CDesSectGeomI::MirrorXX();
}

}  // namespace Corvid::Steel::SteelCSAS1609

// ---- local buckling classification ----

namespace Corvid::Steel::SteelCSAS1609 {

using namespace detail;

namespace {
// The calculator's kept classes (FixedClass) of this shape.
enum FixedSlot : std::size_t { kFlange1Uniform, kFlange1, kFlange2Uniform, kFlange2, kWebCompression };
}  // namespace

CSectionCalcI::BucklingClass CSectionCalcI::LocalBucklingClassOutstand(double ratio, bool uniform) const {
    // CSA S16-09 Table 2: 200/sqrt(Fy) for flanges of I sections in
    // minor-axis bending; CSA S16-14 raised it to 340/sqrt(Fy).
    double const L3 = (!uniform && !IsEdition2009()) ? 340.0 : 200.0;
    return OutstandRule(ratio, SqrtFy(), L3);
}

CSectionCalcI::BucklingClass CSectionCalcI::LocalBucklingClassWeb(double ratio) const {
    double const Fy = DesignFy();
    double const Cf = -ForceAxial();
    double const phiCy = Corvid::Design::kPhi * CDesSectGeomI::Area() * Fy;
    return WebFlexureRule(ratio, SqrtFy(), Cf / phiCy);
}

CSectionCalcI::BucklingClass CSectionCalcI::BucklingClassFlange1(bool uniform) const {
    return FixedClass(uniform ? kFlange1Uniform : kFlange1,
                      [&] { return LocalBucklingClassOutstand(GetB1() / 2.0 / GetT1(), uniform); });
}

CSectionCalcI::BucklingClass CSectionCalcI::BucklingClassFlange2(bool uniform) const {
    return FixedClass(uniform ? kFlange2Uniform : kFlange2,
                      [&] { return LocalBucklingClassOutstand(GetB2() / 2.0 / GetT2(), uniform); });
}

CSectionCalcI::BucklingClass CSectionCalcI::BucklingClassWeb() const {
    return AxialClass(kWebInFlexure, [this] { return LocalBucklingClassWeb(WebDepth() / GetTw()); });
}

CSectionCalcI::BucklingClass CSectionCalcI::BucklingClassWebComp() const {
    return FixedClass(kWebCompression, [this] { return WebCompRule(WebDepth() / GetTw(), SqrtFy()); });
}

bool CSectionCalcI::IsWebSlender() const { return IsSlender(BucklingClassWeb()); }
bool CSectionCalcI::IsWebCompSlender() const { return IsSlender(BucklingClassWebComp()); }
bool CSectionCalcI::IsFlange1Slender(bool uniform) const { return IsSlender(BucklingClassFlange1(uniform)); }
bool CSectionCalcI::IsFlange2Slender(bool uniform) const { return IsSlender(BucklingClassFlange2(uniform)); }

CSectionCalcI::BucklingClass CSectionCalcI::BucklingClassXX(CMemberResult* const result) const {
    // A positive (or zero) major-axis moment compresses flange 2, the bottom
    // flange; a negative one flange 1.
    BucklingClass const cf = MomentXX() >= 0.0 ? BucklingClassFlange2(true) : BucklingClassFlange1(true);
    BucklingClass const cw = BucklingClassWeb();
    FlagClass4(result, cf, ResultFlags::kClass4Flange);
    FlagClass4(result, cw, ResultFlags::kClass4Web);
    return Worst(cf, cw);
}

CSectionCalcI::BucklingClass CSectionCalcI::BucklingClassYY(CMemberResult* const result) const {
    BucklingClass const c = Worst(BucklingClassFlange1(false), BucklingClassFlange2(false));
    FlagClass4(result, c, ResultFlags::kClass4Flange);
    return c;
}

CSectionCalcI::BucklingClass CSectionCalcI::BucklingClassAxial(CMemberResult* const result) const {
    BucklingClass const cfl = Worst(BucklingClassFlange1(true), BucklingClassFlange2(true));
    BucklingClass const cw = BucklingClassWebComp();
    FlagClass4(result, cfl, ResultFlags::kClass4Flange);
    FlagClass4(result, cw, ResultFlags::kClass4Web);
    return Worst(cfl, cw);
}

CSectionCalcI::BucklingClass CSectionCalcI::BucklingClassOverAll(CMemberResult* const) const {
    // The axial force (the web) and the sense of Mx (the flange) decide it.
    return AxialClass(MomentXX() >= 0.0 ? kOverAllMxPositive : kOverAllMxNegative, [this] {
        return Worst(Worst(BucklingClassXX(nullptr), BucklingClassYY(nullptr)), BucklingClassAxial(nullptr));
    });
}

// ---- effective section properties ----

double CSectionCalcI::AreaCompEffective() const {
    return FixedValue(kAreaCompEffective, [this] {
        // Effective area in compression: the parts of slender elements beyond
        // 670/sqrt(Fy) (web) and 200/sqrt(Fy) (each outstand) are removed
        // (CSA S16-09 cl. 13.3.3).
        return detail::NoLessThanZero(
            Area() - FlangedCompressionLoss(SqrtFy(), WebDepth(), GetTw(), GetB1(), GetT1(), GetB2(), GetT2()));
    });
}

double CSectionCalcI::AreaXXEffective() const {
    if (IsWebSlender()) return 0.0;
    double const s = SqrtFy();
    bool const top = MomentXX() < 0.0;  // compression flange: 1 when Mx < 0
    double const Bi = top ? GetB1() : GetB2();
    double const Ti = top ? GetT1() : GetT2();
    double R = 0.0;
    if (top ? IsFlange1Slender(true) : IsFlange2Slender(true)) {
        double const be = std::min(120.0 * Ti, 200.0 * Ti / s);
        R += (Bi - std::min(2.0 * be, Bi)) * Ti;
    }
    return Area() - R;
}

double CSectionCalcI::YbarXXEffective() const {
    double const A = Area();
    double const Ae = AreaXXEffective();
    double M = 0.0;
    if (IsFlange1Slender(true) && MomentXX() < 0.0) M += (GetD() - GetT1() / 2.0) * (A - Ae);
    if (IsFlange2Slender(true) && MomentXX() >= 0.0) M += (A - Ae) * GetT2() / 2.0;
    return (Ybar() * A - M) / Ae;
}

double CSectionCalcI::IxxEffective() const {
    BucklingClass const c1 = BucklingClassFlange1(true);
    BucklingClass const c2 = BucklingClassFlange2(true);
    if (c1 == Invalid || c2 == Invalid || (c1 != Class4 && c2 != Class4)) return Ixx();
    double const s = SqrtFy();
    // Each outstand of the flange keeps be = min(120 Ti, 200 Ti / s).
    return FlangedIxxEffective(*this, IsSlender(c1), IsSlender(c2), [s](double Bi, double Ti) {
        double const be = std::min(120.0 * Ti, 200.0 * Ti / s);
        return Bi - std::min(2.0 * be, Bi);
    });
}

double CSectionCalcI::ZxxEffective() const {
    static Corvid::CExtensibleEnum const key;
    return CachedValue(key, [this] {
        // A slender web leaves no effective section (AreaXXEffective 0).
        if (!(AreaXXEffective() > 0.0)) return 0.0;
        return detail::EffectiveModulusXX(*this, GetD());
    });
}

double CSectionCalcI::AreaYYEffective() const {
    double const s = SqrtFy();
    double const L3 = IsEdition2009() ? 200.0 : 340.0;
    double R = 0.0;
    if (IsFlange1Slender(false)) {
        double const be = std::min(std::min(L3 / s * GetT1(), 60.0 * GetT1()), GetB1() / 2.0);
        R += (GetB1() / 2.0 - be) * GetT1();
    }
    if (IsFlange2Slender(false)) {
        double const be = std::min(std::min(L3 / s * GetT2(), 60.0 * GetT2()), GetB2() / 2.0);
        R += (GetB2() / 2.0 - be) * GetT2();
    }
    return Area() - R;
}

namespace {
// First moment about the section's left edge and second moment terms of the
// ineffective tip of one outstand (width w beyond the effective width be).
struct LostTip {
    double be, w, T;
    double Area() const { return w * T; }
    double Arm() const { return be + w / 2.0; }
};
}  // namespace

double CSectionCalcI::XbarYYEffective() const {
    double const s = SqrtFy();
    double const L3 = IsEdition2009() ? 200.0 : 340.0;
    double M = 0.0;
    for (int i = 1; i <= 2; ++i) {
        bool const slender = i == 1 ? IsFlange1Slender(false) : IsFlange2Slender(false);
        if (!slender) continue;
        double const Bi = i == 1 ? GetB1() : GetB2();
        double const Ti = i == 1 ? GetT1() : GetT2();
        double const be = std::min(std::min(L3 / s * Ti, 60.0 * Ti), Bi / 2.0);
        LostTip const tip{be, Bi / 2.0 - be, Ti};
        M += tip.Arm() * tip.Area();
    }
    if (MomentYY() < 0.0) M = -M;
    return (Xbar() * Area() - M) / AreaYYEffective();
}

double CSectionCalcI::IyyEffective() const {
    BucklingClass const c1 = BucklingClassFlange1(false);
    BucklingClass const c2 = BucklingClassFlange2(false);
    if (c1 == Invalid || c2 == Invalid || (c1 != Class4 && c2 != Class4)) return Iyy();
    double const s = SqrtFy();
    double const L3 = IsEdition2009() ? 200.0 : 340.0;
    double const A = Area();
    double const xb = Xbar();
    double const I0 = A * xb * xb + Iyy();
    double sub = 0.0;
    for (int i = 1; i <= 2; ++i) {
        if (!IsSlender(i == 1 ? c1 : c2)) continue;
        double const Bi = i == 1 ? GetB1() : GetB2();
        double const Ti = i == 1 ? GetT1() : GetT2();
        double const be = std::min(std::min(L3 / s * Ti, 60.0 * Ti), Bi / 2.0);
        LostTip const tip{be, Bi / 2.0 - be, Ti};
        sub += tip.Arm() * tip.Arm() * tip.Area() + tip.w * tip.w * tip.w * Ti / 12.0;
    }
    double const xe = XbarYYEffective();
    return I0 - sub - xe * xe * AreaYYEffective();
}

double CSectionCalcI::ZyyEffective() const {
    return detail::NoLessThanZero(IyyEffective() / (std::fabs(XbarYYEffective()) + std::max(GetB1(), GetB2()) / 2.0));
}

double CSectionCalcI::YbarCompEffective() const {
    // Centroid of the effective section under the axial stress actually
    // applied, f = Cf / A (at most Fy), with the effective widths of
    // slender plates (CSA S16-09 cl. 13.3.5 / Winter's formula):
    // be = 0.95 t sqrt(kE/f) (1 - 0.208 / (b/t) sqrt(kE/f)), k = 0.43 for an
    // outstand and 4 for the web.
    double const A = Area();
    double const Fy = DesignFy();
    double const f = std::min(std::max(-ForceAxial(), 0.0) / A, Fy);
    double const E = YoungsModulus();
    double const Ae = AreaCompEffective();
    double M = 0.0;
    for (int i = 1; i <= 2; ++i) {
        if (!(i == 1 ? IsFlange1Slender(true) : IsFlange2Slender(true))) continue;
        double const Ti = i == 1 ? GetT1() : GetT2();
        double const b = (i == 1 ? GetB1() : GetB2()) / 2.0;
        double const r = std::sqrt(0.43 * E / f);
        if (b / Ti > 0.644 * r) {
            double const be = std::min((1.0 - 0.208 / (b / Ti) * r) * 0.95 * Ti * r, b);
            double const yi = i == 1 ? GetD() - GetT1() / 2.0 : GetT2() / 2.0;
            if (std::fabs(be - b) >= 1e-6) M += yi * 2.0 * (b - be) * Ti;
        }
    }
    if (IsWebCompSlender()) {
        double const hw = WebDepth();
        double const Tw = GetTw();
        double const r = std::sqrt(4.0 * E / f);
        if (hw / Tw > 0.644 * r) {
            double const be = std::min((1.0 - 0.208 / (hw / Tw) * r) * 0.95 * Tw * r, hw);
            if (be != hw && std::fabs(be - hw) >= 1e-6) M += (GetT2() + GetD() - GetT1()) / 2.0 * (hw - be) * Tw;
        }
    }
    return (Ybar() * A - M) / Ae;
}

}  // namespace Corvid::Steel::SteelCSAS1609
