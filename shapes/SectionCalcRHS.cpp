#include "shapes/SectionCalcRHS.h"

#include <algorithm>

namespace Corvid::Steel::SteelCSAS1609 {

double CSectionCalcRHS::MaxThick() const { return std::max(GetTf(), GetTw()); }

bool CSectionCalcRHS::IsSquare() const {
    double const ratio = Ixx() / Iyy();
    return 0.99 < ratio && ratio < 1.01;
}

void CSectionCalcRHS::Rotate90Clockwise() {
    ClearAllResultCaches();
    CDesSectGeomRHS::Rotate90Clockwise();
    // (Mx, My) -> (My, -Mx); (V major, V minor) -> (V minor, -V major).
    double const Mx = m_Mx;
    m_Mx = m_My;
    m_My = -Mx;
    double const Vmajor = m_Vmajor;
    m_Vmajor = m_Vminor;
    m_Vminor = -Vmajor;
}

}  // namespace Corvid::Steel::SteelCSAS1609
