#include "shapes/SectionCalcI.h"

#include <algorithm>

namespace Corvid::Steel::SteelCSAS1609 {

double CSectionCalcI::MaxThick() const { return std::max({GetT1(), GetT2(), GetTw()}); }

bool CSectionCalcI::IsHSection() const { return IsXXSymmetric() && 1.2 * GetB1() > GetD(); }

void CSectionCalcI::MirrorXX() {
    CSectionCodeBase::MirrorXX();
    CDesSectGeomI::MirrorXX();
}

}  // namespace Corvid::Steel::SteelCSAS1609
