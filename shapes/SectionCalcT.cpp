#include "shapes/SectionCalcT.h"

#include <algorithm>
#include <cmath>

#include "framework/ExtensibleEnum.h"
#include "shapes/ElementRules.h"

namespace Corvid::Steel::SteelCSAS1609 {

using namespace Corvid::Data::RestraintBits;

double CSectionCalcT::MaxThick() const { return std::max(GetT(), GetTw()); }

double CSectionCalcT::DesignStressMin() const { return m_grade.DesignStrength(std::max(GetTw(), GetT())); }

bool CSectionCalcT::IsFlangeOnlyConnected() const {
    if (!IsMemberRestraintSet()) return false;
    auto const& r = MemberRestraint();
    if (!r.IsRestrained(kMinorTranslation, true) && !r.IsRestrained(kMajorTranslation, true)) return false;
    if (r.IsRestrained(kMajorRotation, true) || r.IsRestrained(kMinorRotation, true)) return false;
    return r.IsRestrained(kFlangeConnection, true) || r.IsRestrained(kEndConnection, true);
}

bool CSectionCalcT::IsStrutOnlyConnection() {
    bool const s = IsFlangeOnlyConnected();
    SetStrutAndTieOnlyFlag(s);
    return s;
}

}  // namespace Corvid::Steel::SteelCSAS1609

namespace Corvid::Steel::SteelCSAS1609 {

using namespace detail;

namespace {
// The calculator's kept classes (FixedClass) of this shape.
enum FixedSlot : std::size_t { kFlange, kStem };
}  // namespace

CSectionCalcT::BucklingClass CSectionCalcT::LocalBucklingClassOutstand(double ratio) const {
    return OutstandRule(ratio, SqrtFy(), 200.0);
}

CSectionCalcT::BucklingClass CSectionCalcT::LocalBucklingClassWeb(double ratio) const {
    return StemRule(ratio, SqrtFy());
}

CSectionCalcT::BucklingClass CSectionCalcT::BucklingClassFlange() const {
    return FixedClass(kFlange, [this] { return LocalBucklingClassOutstand(GetB() / 2.0 / GetT()); });
}

CSectionCalcT::BucklingClass CSectionCalcT::BucklingClassWeb() const {
    return FixedClass(kStem, [this] { return LocalBucklingClassWeb(GetD() / GetTw()); });
}

bool CSectionCalcT::IsWebSlender() const { return IsSlender(BucklingClassWeb()); }
bool CSectionCalcT::IsFlangeSlender() const { return IsSlender(BucklingClassFlange()); }

CSectionCalcT::BucklingClass CSectionCalcT::BucklingClassXX(CMemberResult* const result) const {
    BucklingClass const cw = BucklingClassWeb();
    FlagClass4(result, cw, ResultFlags::kClass4Web);
    if (MomentXX() >= 0.0) return cw;  // the flange is in tension
    BucklingClass const cf = BucklingClassFlange();
    FlagClass4(result, cf, ResultFlags::kClass4Flange);
    return Worst(cf, cw);
}

CSectionCalcT::BucklingClass CSectionCalcT::BucklingClassYY(CMemberResult* const result) const {
    BucklingClass const cf = BucklingClassFlange();
    FlagClass4(result, cf, ResultFlags::kClass4Flange);
    return cf;
}

CSectionCalcT::BucklingClass CSectionCalcT::BucklingClassAxial(CMemberResult* const result) const {
    BucklingClass const cf = BucklingClassFlange();
    BucklingClass const cw = BucklingClassWeb();
    FlagClass4(result, cf, ResultFlags::kClass4Flange);
    FlagClass4(result, cw, ResultFlags::kClass4Web);
    return Worst(cf, cw);
}

// ---- effective section properties ----

double CSectionCalcT::BeXX() const { return std::min(120.0 * GetT(), 200.0 * GetT() / SqrtFy()); }

double CSectionCalcT::BeYY() const {
    return std::min(std::min(200.0 * GetT() / SqrtFy(), 60.0 * GetT()), GetB() / 2.0);
}

double CSectionCalcT::AreaCompEffective() const {
    return FixedValue(kAreaCompEffective, [this] {
        double const s = SqrtFy();
        double const b = GetB() / 2.0;
        double R = 0.0;
        if (b / GetT() > 200.0 / s) R += 2.0 * (b - std::min(200.0 / s * GetT(), b)) * GetT();
        if (GetD() / GetTw() > 340.0 / s) R += (GetD() - std::min(340.0 / s * GetTw(), GetD())) * GetTw();
        return detail::NoLessThanZero(Area() - R);
    });
}

double CSectionCalcT::AreaXXEffective() const {
    if (IsWebSlender()) return 0.0;
    if (IsFlangeSlender() && MomentXX() < 0.0) return Area() - (GetB() - std::min(2.0 * BeXX(), GetB())) * GetT();
    return Area();
}

double CSectionCalcT::YbarXXEffective() const {
    double const A = Area();
    double const Ae = AreaXXEffective();
    double const M = (IsFlangeSlender() && MomentXX() < 0.0) ? (GetD() - GetT() / 2.0) * (A - Ae) : 0.0;
    return (Ybar() * A - M) / Ae;
}

double CSectionCalcT::IxxEffective() const {
    BucklingClass const cf = BucklingClassFlange();
    if (cf != Class4) return Ixx();
    double const A = Area();
    double const yb = Ybar();
    double I = A * yb * yb + Ixx();
    if (MomentXX() < 0.0) {
        double const w = GetB() - std::min(2.0 * BeXX(), GetB());
        double const yf = GetD() - GetT() / 2.0;
        I -= yf * yf * (w * GetT()) + GetT() * GetT() * GetT() * w / 12.0;
    }
    double const ye = YbarXXEffective();
    return I - ye * ye * AreaXXEffective();
}

double CSectionCalcT::ZxxEffective() const {
    static Corvid::CExtensibleEnum const key;
    return CachedValue(key, [this] {
        // A slender stem leaves no effective section (AreaXXEffective 0).
        if (!(AreaXXEffective() > 0.0)) return 0.0;
        return detail::EffectiveModulusXX(*this, GetD());
    });
}

double CSectionCalcT::AreaYYEffective() const {
    if (!IsFlangeSlender()) return Area();
    return Area() - (GetB() / 2.0 - BeYY()) * GetT();
}

double CSectionCalcT::XbarYYEffective() const {
    double M = 0.0;
    if (IsFlangeSlender()) {
        double const be = BeYY();
        double const w = GetB() / 2.0 - be;
        M = (be + w / 2.0) * (w * GetT());
    }
    if (MomentYY() < 0.0) M = -M;
    return (Xbar() * Area() - M) / AreaYYEffective();
}

double CSectionCalcT::IyyEffective() const {
    if (BucklingClassFlange() != Class4) return Iyy();
    double const A = Area();
    double const xb = Xbar();
    double const be = BeYY();
    double const w = GetB() / 2.0 - be;
    double const I = A * xb * xb + Iyy() - (w / 2.0 + be) * (w / 2.0 + be) * (w * GetT()) - w * w * w * GetT() / 12.0;
    double const xe = XbarYYEffective();
    return I - xe * xe * AreaYYEffective();
}

double CSectionCalcT::ZyyEffective() const {
    return detail::NoLessThanZero(IyyEffective() / (std::fabs(XbarYYEffective()) + GetB() / 2.0));
}

}  // namespace Corvid::Steel::SteelCSAS1609
