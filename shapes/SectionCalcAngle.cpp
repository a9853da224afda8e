#include "shapes/SectionCalcAngle.h"

#include <algorithm>

#include "shapes/ElementRules.h"

namespace Corvid::Steel::SteelCSAS1609 {

void CSectionCalcAngle::Reflect45() {
    ClearAllResultCaches();
    CDesSectGeomAngle::Reflect45();
    // (Mx, My) -> (-My, -Mx); (V major, V minor) -> (V minor, V major); T -> -T.
    double const Mx = m_Mx;
    m_Mx = -m_My;
    m_My = -Mx;
    double const Vmajor = m_Vmajor;
    m_Vmajor = m_Vminor;
    m_Vminor = Vmajor;
    m_T = -m_T;
}

}  // namespace Corvid::Steel::SteelCSAS1609

namespace Corvid::Steel::SteelCSAS1609 {

using namespace detail;

double CSectionCalcAngle::LegLimit() const { return (IsEdition2009() ? 200.0 : 250.0) / SqrtFy(); }

// CSA S16-09 Table 1, legs of angles: 200/sqrt(Fy) (class 3 at best);
// CSA S16-14 raised it to 250/sqrt(Fy).
CSectionCalcAngle::BucklingClass CSectionCalcAngle::LegClass(double leg) const {
    return LegLimit() >= leg / GetThickness() ? Class3 : Class4;
}

CSectionCalcAngle::BucklingClass CSectionCalcAngle::BucklingClassLegD() const { return LegClass(GetDepth()); }
CSectionCalcAngle::BucklingClass CSectionCalcAngle::BucklingClassLegB() const { return LegClass(GetWidth()); }

CSectionCalcAngle::BucklingClass CSectionCalcAngle::BucklingClassOverAll(CMemberResult* const result) const {
    BucklingClass const c = Worst(BucklingClassLegB(), BucklingClassLegD());
    FlagClass4(result, c, ResultFlags::kClass4Section);
    return c;
}

// CSA S16-09 cl. 13.3.3: each class 4 leg of width b keeps the effective
// width be = 200 t / sqrt(Fy) (250 t / sqrt(Fy) under CSA S16-14) and loses
// t (b - be) once: Ae = A - sum t (b - be).
double CSectionCalcAngle::AreaCompEffective() const {
    return FixedValue(kAreaCompEffective, [this] {
        double const t = GetThickness();
        double const be = LegLimit() * t;
        double R = 0.0;
        for (double b : {GetWidth(), GetDepth()})
            if (LegClass(b) == Class4) R += t * (b - be);
        return detail::NoLessThanZero(Area() - R);
    });
}

}  // namespace Corvid::Steel::SteelCSAS1609

namespace Corvid::Steel::SteelCSAS1609 {

void CSectionCalcAngle::CheckShearCapacityXX(double const&, CMemberResult* const result) const {
    if (result) result->SetUtilLocalShearMajor(Corvid::Design::kInfinity);
}

void CSectionCalcAngle::CheckShearCapacityYY(double const&, CMemberResult* const result) const {
    if (result) result->SetUtilLocalShearMinor(Corvid::Design::kInfinity);
}

}  // namespace Corvid::Steel::SteelCSAS1609
