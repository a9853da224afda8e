#include "shapes/SectionCalcPFC.h"

#include <algorithm>

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
    return !r.IsRestrained(kTopFlangeLateral, true) && !r.IsRestrained(kBottomFlangeLateral, true) && !r.IsRestrained(kTopFlangeRotationOnPlan, true) &&
           !r.IsRestrained(kBottomFlangeRotationOnPlan, true);
}

bool CSectionCalcPFC::IsStrutOnlyConnection() {
    bool const s = IsWebOnlyConnected();
    SetStrutAndTieOnlyFlag(s);
    return s;
}

}  // namespace Corvid::Steel::SteelCSAS1609
