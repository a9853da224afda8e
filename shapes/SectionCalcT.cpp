#include "shapes/SectionCalcT.h"

#include <algorithm>

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
