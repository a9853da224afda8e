#include "shapes/SectionCalcCHS.h"

#include <algorithm>

namespace Corvid::Steel::SteelCSAS1609 {

// CSA S16-09 cl. 13.5(c)(iii): a class 4 round HSS is designed with
// Fy taken as no more than 23 000 t/D (MPa).
double CSectionCalcCHS::DesignStressMin() const {
    double const fyt = m_grade.DesignStrength(GetT());
    double const cap = 23000.0 * GetT() / GetD() * 1e6;
    return std::min(fyt, cap);
}

}  // namespace Corvid::Steel::SteelCSAS1609
