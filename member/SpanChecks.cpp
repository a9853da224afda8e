// Member buckling checks of a span. Until they are provided, each check that
// would have run marks its utilisation as +infinity: a member whose buckling
// was not checked never reads as passing.
#include <limits>

#include "member/CSA_S16_09_Member.h"

namespace Corvid::Steel::SteelCSAS1609 {

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
}

bool CSA_S16_09_Member::CheckSpanXX(CSpan const&) const { m_result->SetUtilBucklingAxialMajor(kInf); return false; }
bool CSA_S16_09_Member::CheckSpanYY(CSpan const&) const { m_result->SetUtilBucklingAxialMinor(kInf); return false; }
bool CSA_S16_09_Member::CheckSpanT(CSpan const&) const { m_result->SetUtilBucklingAxialTorsion(kInf); return false; }
bool CSA_S16_09_Member::CheckSpanTF(CInteractionData&) const {
    m_result->SetUtilBucklingAxialFlexuralTorsion(kInf);
    return true;
}
bool CSA_S16_09_Member::CheckSpanLT(CSpan const&) const { m_result->SetUtilBucklingLT(kInf); return false; }
bool CSA_S16_09_Member::CheckStrutSpanUU(CSpan const&) const { m_result->SetUtilBucklingAxialMajor(kInf); return false; }
bool CSA_S16_09_Member::CheckStrutSpanVV(CSpan const&) const { m_result->SetUtilBucklingAxialMinor(kInf); return false; }
bool CSA_S16_09_Member::CheckStrutSpanXX(CSpan const&) const { m_result->SetUtilBucklingAxialMajor(kInf); return false; }
bool CSA_S16_09_Member::CheckStrutSpanYY(CSpan const&) const { m_result->SetUtilBucklingAxialMinor(kInf); return false; }
bool CSA_S16_09_Member::CheckStrutSpanT(CSpan const&) const { m_result->SetUtilBucklingAxialTorsion(kInf); return false; }
bool CSA_S16_09_Member::CheckStrutSpanTF(CInteractionData&) const {
    m_result->SetUtilBucklingAxialFlexuralTorsion(kInf);
    return true;
}
bool CSA_S16_09_Member::CheckBucklingInteraction(CInteractionData const&) const {
    m_result->SetUtilBucklingCombined(kInf);
    return true;
}
double CSA_S16_09_Member::U1x(CSpan const&, double) const { return kInf; }
double CSA_S16_09_Member::U1y(CSpan const&, double) const { return kInf; }
double CSA_S16_09_Member::Omega2Factor(CSpan const&) const { return 1.0; }

}  // namespace Corvid::Steel::SteelCSAS1609
