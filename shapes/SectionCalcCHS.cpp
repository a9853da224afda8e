#include "shapes/SectionCalcCHS.h"

#include <algorithm>

#include "framework/DesignConstants.h"
#include "shapes/ElementRules.h"

namespace Corvid::Steel::SteelCSAS1609 {

using Corvid::Design::kMPa;

// CSA S16-09 cl. 13.5(c)(iii): a class 4 round HSS is designed with
// Fy taken as no more than 23 000 t/D (MPa).
double CSectionCalcCHS::DesignStressMin() const {
    double const fyt = m_grade.DesignStrength(GetT());
    double const cap = 23000.0 * GetT() / GetD() * kMPa;
    return std::min(fyt, cap);
}

}  // namespace Corvid::Steel::SteelCSAS1609

namespace Corvid::Steel::SteelCSAS1609 {

using namespace detail;

namespace {
// Limits of the form k/Fy compared with D/t. With the capped design stress
// Fy = 23000 t/D the axial limit equals D/t up to rounding, so the
// comparisons allow a relative 1e-12 for the arithmetic noise.
bool Within(double limit, double ratio) { return limit >= ratio * (1.0 - 1e-12); }
}  // namespace

// CSA S16-09 Table 2, circular hollow sections in flexure: 13000/Fy,
// 18000/Fy, 66000/Fy on D/t.
CSectionCalcCHS::BucklingClass CSectionCalcCHS::BendingClass() const {
    double const s2 = DesignFy() / kMPa;
    double const ratio = GetD() / GetT();
    if (Within(13000.0 / s2, ratio)) return Class1;
    if (Within(18000.0 / s2, ratio)) return Class2;
    if (Within(66000.0 / s2, ratio)) return Class3;
    return Class4;
}

// CSA S16-09 Table 1, circular hollow sections in compression: 23000/Fy.
bool CSectionCalcCHS::AxialSlender() const {
    double const s2 = DesignFy() / kMPa;
    return !Within(23000.0 / s2, GetD() / GetT());
}

CSectionCalcCHS::BucklingClass CSectionCalcCHS::BucklingClassXX(CMemberResult* const result) const {
    BucklingClass const c = BendingClass();
    FlagClass4(result, c, ResultFlags::kClass4Section);
    return c;
}

CSectionCalcCHS::BucklingClass CSectionCalcCHS::BucklingClassAxial(CMemberResult* const result) const {
    BucklingClass const c = AxialSlender() ? Class4 : Class1;
    FlagClass4(result, c, ResultFlags::kClass4Section);
    return c;
}

CSectionCalcCHS::BucklingClass CSectionCalcCHS::BucklingClassOverAll(CMemberResult* const) const {
    return AxialSlender() ? Class4 : BendingClass();
}

}  // namespace Corvid::Steel::SteelCSAS1609
