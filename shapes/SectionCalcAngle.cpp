#include "shapes/SectionCalcAngle.h"

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
