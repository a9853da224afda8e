// TEMPORARY stand-ins so the tree links while the span walk is written; the
// owner replaces this whole file.
#include <limits>

#include "member/CSA_S16_09_Member.h"

namespace Corvid::Steel::SteelCSAS1609 {

bool CSA_S16_09_Member::FindNextXXSpan(CSpan& span) const { span.SetNull(); return false; }
bool CSA_S16_09_Member::FindNextYYSpan(CSpan& span) const { span.SetNull(); return false; }
bool CSA_S16_09_Member::FindNextLTSpan(CSpan& span) const { span.SetNull(); return false; }
bool CSA_S16_09_Member::FindNextUUStrutSpan(CSpan& span) const { span.SetNull(); return false; }
double CSA_S16_09_Member::EffectiveLengthXX(CSpan const&, bool) const { return std::numeric_limits<double>::infinity(); }
double CSA_S16_09_Member::EffectiveLengthYY(CSpan const&, bool) const { return std::numeric_limits<double>::infinity(); }
double CSA_S16_09_Member::EffectiveLengthLT(CSpan const&, double, bool) const { return std::numeric_limits<double>::infinity(); }
double CSA_S16_09_Member::EffectiveStrutLengthLT(CSpan const& span, bool) const { return span.Length(); }
std::optional<SubspanEffectiveLengthData> CSA_S16_09_Member::GetMemberEffectiveLengthData() { return std::nullopt; }
std::map<int, SubspanEffectiveLengthData::Entry> CSA_S16_09_Member::GetSubspanEffectiveLengthDataXX() const { return {}; }
std::map<int, SubspanEffectiveLengthData::Entry> CSA_S16_09_Member::GetSubspanEffectiveLengthDataYY() const { return {}; }
std::map<int, SubspanEffectiveLengthData::Entry> CSA_S16_09_Member::GetSubspanEffectiveLengthDataLT() const { return {}; }

}  // namespace Corvid::Steel::SteelCSAS1609
