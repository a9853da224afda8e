#include "shapes/SectionCalcPFC.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "framework/ExtensibleEnum.h"
#include "framework/DesignConstants.h"
#include "shapes/ElementRules.h"

namespace Corvid::Steel::SteelCSAS1609 {

using namespace Corvid::Data::RestraintBits;

double CSectionCalcPFC::MaxThick() const { return std::max({GetT1(), GetT2(), GetTw()}); }

double CSectionCalcPFC::DesignStressMin() const {
    return m_grade.DesignStrength(std::max({GetTw(), GetT1(), GetT2()}));
}

bool CSectionCalcPFC::IsWebOnlyConnected() const {
    if (!IsMemberRestraintSet()) return false;
    auto const& r = MemberRestraint();
    if (!r.IsRestrained(kMinorTranslation, true) && !r.IsRestrained(kMajorTranslation, true)) return false;
    if (r.IsRestrained(kMajorRotation, true) || r.IsRestrained(kMinorRotation, true)) return false;
    if (!r.IsRestrained(kFlangeConnection, true) && !r.IsRestrained(kEndConnection, true)) return true;
    return !r.IsRestrained(kTopFlangeLateral, true) && !r.IsRestrained(kBottomFlangeLateral, true) &&
           !r.IsRestrained(kTopFlangeRotationOnPlan, true) && !r.IsRestrained(kBottomFlangeRotationOnPlan, true);
}

bool CSectionCalcPFC::IsStrutOnlyConnection() {
    bool const s = IsWebOnlyConnected();
    SetStrutAndTieOnlyFlag(s);
    return s;
}

}  // namespace Corvid::Steel::SteelCSAS1609

namespace Corvid::Steel::SteelCSAS1609 {

using namespace detail;

namespace {
// The calculator's kept classes (FixedClass) of this shape.
enum FixedSlot : std::size_t { kFlange1, kFlange2, kWebCompression };
}  // namespace

CSectionCalcPFC::BucklingClass CSectionCalcPFC::LocalBucklingClassOutstand(double ratio) const {
    return OutstandRule(ratio, SqrtFy(), 200.0);
}

CSectionCalcPFC::BucklingClass CSectionCalcPFC::LocalBucklingClassWeb(double ratio) const {
    double const phiCy = Corvid::Design::kPhi * CDesSectGeomPFC::Area() * DesignFy();
    return WebFlexureRule(ratio, SqrtFy(), -ForceAxial() / phiCy);
}

CSectionCalcPFC::BucklingClass CSectionCalcPFC::BucklingClassFlange1() const {
    return FixedClass(kFlange1, [this] { return LocalBucklingClassOutstand(GetB1() / GetT1()); });
}

CSectionCalcPFC::BucklingClass CSectionCalcPFC::BucklingClassFlange2() const {
    return FixedClass(kFlange2, [this] { return LocalBucklingClassOutstand(GetB2() / GetT2()); });
}

CSectionCalcPFC::BucklingClass CSectionCalcPFC::BucklingClassWeb() const {
    return AxialClass(kWebInFlexure, [this] { return LocalBucklingClassWeb(WebDepth() / GetTw()); });
}

CSectionCalcPFC::BucklingClass CSectionCalcPFC::BucklingClassWebComp() const {
    return FixedClass(kWebCompression, [this] {
        double const ratio = WebDepth() / GetTw();
        double const limit = 670.0 / SqrtFy();
        // A ratio within 1e-6 of the limit counts as on it.
        if (std::fabs(ratio - limit) < 1e-6) return Class1;
        return WebCompRule(ratio, SqrtFy());
    });
}

bool CSectionCalcPFC::IsWebSlender() const { return IsSlender(BucklingClassWeb()); }
bool CSectionCalcPFC::IsWebCompSlender() const { return IsSlender(BucklingClassWebComp()); }
bool CSectionCalcPFC::IsFlange1Slender() const { return IsSlender(BucklingClassFlange1()); }
bool CSectionCalcPFC::IsFlange2Slender() const { return IsSlender(BucklingClassFlange2()); }

CSectionCalcPFC::BucklingClass CSectionCalcPFC::BucklingClassXX(CMemberResult* const result) const {
    BucklingClass const cf = MomentXX() >= 0.0 ? BucklingClassFlange2() : BucklingClassFlange1();
    BucklingClass const cw = BucklingClassWeb();
    FlagClass4(result, cf, ResultFlags::kClass4Flange);
    FlagClass4(result, cw, ResultFlags::kClass4Web);
    return Worst(cf, cw);
}

CSectionCalcPFC::BucklingClass CSectionCalcPFC::MinorAxisClass() const {
    return Worst(Worst(BucklingClassFlange1(), BucklingClassFlange2()), BucklingClassWeb());
}

CSectionCalcPFC::BucklingClass CSectionCalcPFC::BucklingClassYY(CMemberResult* const result) const {
    BucklingClass const c = MinorAxisClass();
    FlagClass4(result, c, ResultFlags::kClass4Flange);
    return c;
}

CSectionCalcPFC::BucklingClass CSectionCalcPFC::BucklingClassAxial(CMemberResult* const result) const {
    BucklingClass const cfl = Worst(BucklingClassFlange1(), BucklingClassFlange2());
    BucklingClass const cw = BucklingClassWebComp();
    FlagClass4(result, cfl, ResultFlags::kClass4Flange);
    FlagClass4(result, cw, ResultFlags::kClass4Web);
    return Worst(cfl, cw);
}

CSectionCalcPFC::BucklingClass CSectionCalcPFC::BucklingClassOverAll(CMemberResult* const) const {
    // The axial force (the web) and the sense of Mx (the flange) decide it.
    return AxialClass(MomentXX() >= 0.0 ? kOverAllMxPositive : kOverAllMxNegative, [this] {
        BucklingClass c = Worst(BucklingClassXX(nullptr), BucklingClassYY(nullptr));
        c = Worst(c, Worst(BucklingClassFlange1(), BucklingClassFlange2()));
        return Worst(c, BucklingClassWebComp());
    });
}

// ---- effective section properties ----

double CSectionCalcPFC::FlangeBe(double T) const { return std::min(200.0 * T / SqrtFy(), 60.0 * T); }

double CSectionCalcPFC::AreaCompEffective() const {
    return FixedValue(kAreaCompEffective, [this] {
        // As for an I section: web beyond 670/sqrt(Fy), each flange taken as two
        // outstands of B/2 beyond 200/sqrt(Fy).
        return detail::NoLessThanZero(
            Area() - FlangedCompressionLoss(SqrtFy(), WebDepth(), GetTw(), GetB1(), GetT1(), GetB2(), GetT2()));
    });
}

double CSectionCalcPFC::AreaXXEffective() const {
    if (IsWebSlender()) return 0.0;
    bool const top = MomentXX() < 0.0;
    if (!(top ? IsFlange1Slender() : IsFlange2Slender())) return Area();
    double const Bi = top ? GetB1() : GetB2();
    double const Ti = top ? GetT1() : GetT2();
    return Area() - (Bi - std::min(FlangeBe(Ti), Bi)) * Ti;
}

double CSectionCalcPFC::YbarXXEffective() const {
    if (IsWebSlender()) return 0.0;
    double const A = Area();
    double const Ae = AreaXXEffective();
    double M = 0.0;
    if (IsFlange1Slender() && MomentXX() < 0.0) M += (GetD() - GetT1() / 2.0) * (A - Ae);
    if (IsFlange2Slender() && MomentXX() >= 0.0) M += (A - Ae) * GetT2() / 2.0;
    return (Ybar() * A - M) / Ae;
}

double CSectionCalcPFC::IxxEffective() const {
    BucklingClass const c1 = BucklingClassFlange1();
    BucklingClass const c2 = BucklingClassFlange2();
    if (c1 == Invalid || c2 == Invalid || (c1 != Class4 && c2 != Class4)) return Ixx();
    // The one outstand of the flange keeps FlangeBe(Ti).
    return FlangedIxxEffective(*this, IsSlender(c1), IsSlender(c2),
                               [this](double Bi, double Ti) { return Bi - std::min(FlangeBe(Ti), Bi); });
}

double CSectionCalcPFC::ZxxEffective() const {
    static Corvid::CExtensibleEnum const key;
    return CachedValue(key, [this] { return detail::EffectiveModulusXX(*this, GetD()); });
}

double CSectionCalcPFC::AreaYYEffective() const {
    double R = 0.0;
    if (IsFlange1Slender()) R += (GetB1() - std::min(FlangeBe(GetT1()), GetB1())) * GetT1();
    if (IsFlange2Slender()) R += (GetB2() - std::min(FlangeBe(GetT2()), GetB2())) * GetT2();
    return Area() - R;
}

double CSectionCalcPFC::XbarYYEffective() const {
    double M = 0.0;
    for (int i = 1; i <= 2; ++i) {
        if (!(i == 1 ? IsFlange1Slender() : IsFlange2Slender())) continue;
        double const Ti = i == 1 ? GetT1() : GetT2();
        double const be = FlangeBe(Ti);
        double const w = (i == 1 ? GetB1() : GetB2()) - be;
        M += (be + w / 2.0) * (w * Ti);
    }
    if (MomentYY() < 0.0 && IsWebSlender()) return 0.0;
    return (Xbar() * Area() - M) / AreaYYEffective();
}

double CSectionCalcPFC::IyyEffective() const {
    if (MinorAxisClass() != Class4) return Iyy();
    if (MomentYY() < 0.0 && IsWebSlender()) return 0.0;
    double const A = Area();
    double const xb = Xbar();
    double const I0 = A * xb * xb + Iyy();
    double sub = 0.0;
    for (int i = 1; i <= 2; ++i) {
        if (!(i == 1 ? IsFlange1Slender() : IsFlange2Slender())) continue;
        double const Ti = i == 1 ? GetT1() : GetT2();
        double const be = FlangeBe(Ti);
        double const w = (i == 1 ? GetB1() : GetB2()) - be;
        sub += (w / 2.0 + be) * (w / 2.0 + be) * (w * Ti) + w * w * w * Ti / 12.0;
    }
    double const xe = XbarYYEffective();
    return I0 - sub - xe * xe * AreaYYEffective();
}

double CSectionCalcPFC::ZyyEffective() const {
    if (MomentYY() < 0.0 && IsWebSlender()) return 0.0;
    double const xe = XbarYYEffective();
    return detail::NoLessThanZero(IyyEffective() / std::max(GetB1() - xe, xe));
}

}  // namespace Corvid::Steel::SteelCSAS1609
