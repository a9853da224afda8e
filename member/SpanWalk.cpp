// Span walking and effective lengths: the spans between restraints that the
// buckling checks work on, one buckling mode at a time, and the effective
// length of each (override lengths, CSA S16-09 Annex F for flexural
// buckling, Table 1 and Table 2 of the report for lateral-torsional
// buckling, cl. 13.6 for destabilizing loads).
#include <cmath>
#include <limits>

#include "framework/DesignConstants.h"
#include "member/CSA_S16_09_Member.h"
#include "tables/CSA_S16_09_Table.h"

namespace Corvid::Steel::SteelCSAS1609 {

using Corvid::Data::CRestraint;
namespace RB = Corvid::Data::RestraintBits;

namespace {
using Corvid::Design::kInfinity;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Restraints that end a span.
constexpr int kEndsXX[] = {RB::kMajorTranslation, RB::kMajorRotation};     // 0x200000, 0x10000
constexpr int kEndsYY[] = {RB::kMinorTranslation, RB::kMinorRotation};     // 0x100000, 0x40000
constexpr int kEndsUU[] = {RB::kMinorTranslation, RB::kMajorTranslation};  // 0x100000, 0x200000

// Radius of gyration sqrt(I / A); NaN for a negative ratio (kept as it is).
double Radius(double I, double A) { return std::sqrt(I / A); }
}  // namespace

// ---- finders ----

namespace {
// Index of the member's last point, -1 without points.
int LastIndex(std::vector<CMemberPoint> const& points) { return static_cast<int>(points.size()) - 1; }

// The common start of a walk: true (and the span made null) once the
// previous span ended at the member's last point, or when the member has no
// span at all.
bool WalkEnded(CSpan& span, int last) {
    if (span.IndexRight() >= last) {
        span.SetNull();
        return true;
    }
    return false;
}

// Advances a flexural walk: the next span runs from the current right end to
// the first interior point restrained for one of the masks (every bit of a
// mask held), else to the member's last point; with the override on, over
// the whole member.
template <std::size_t N>
bool NextFlexuralSpan(CSpan& span, std::vector<CMemberPoint> const& points, bool lengthOverride,
                      int const (&masks)[N]) {
    int const last = LastIndex(points);
    if (WalkEnded(span, last)) return false;
    int i = last;
    if (!lengthOverride) {
        for (i = span.IndexRight() + 1; i < last; ++i) {
            CRestraint const& r = points[static_cast<std::size_t>(i)].GetRestraint();
            bool stop = false;
            for (int mask : masks) stop = stop || r.IsRestrained(mask, true);
            if (stop) break;
        }
    }
    span.SetIndices(span.IndexRight(), i);
    return true;
}
}  // namespace

bool CSA_S16_09_Member::FindNextXXSpan(CSpan& span) const {
    return NextFlexuralSpan(span, GetMemberPointVec(), LengthOverride(), kEndsXX);
}

bool CSA_S16_09_Member::FindNextYYSpan(CSpan& span) const {
    return NextFlexuralSpan(span, GetMemberPointVec(), LengthOverride(), kEndsYY);
}

bool CSA_S16_09_Member::FindNextUUStrutSpan(CSpan& span) const {
    return NextFlexuralSpan(span, GetMemberPointVec(), LengthOverride(), kEndsUU);
}

bool CSA_S16_09_Member::FindNextLTSpan(CSpan& span) const {
    int const last = LastIndex(GetMemberPointVec());
    if (WalkEnded(span, last)) return false;
    bool const wholeMember = (m_calc && (m_calc->IsCircular() || m_calc->IsSquare())) || LengthOverride();
    if (wholeMember) {
        span.SetIndices(span.IndexRight(), last);
        return true;
    }
    // The segment ends at the first point that gives it a finite
    // lateral-torsional effective length.
    int const left = span.IndexRight();
    int i = left + 1;
    CSpan trial(span);
    // The section's depth, as the checks ask for the same lengths again.
    double const depth = m_calc ? m_calc->Depth() : 1.0;
    for (; i < last; ++i) {
        trial.SetIndices(left, i);
        if (std::isfinite(EffectiveLengthLT(trial, depth, LengthReport::Silent))) break;
    }
    span.SetIndices(left, i);
    return true;
}

// ---- effective lengths ----

double CSA_S16_09_Member::EffectiveLengthXX(CSpan const& span, LengthReport report) const {
    if (LengthOverride()) return OverrideLength(Lyy(), Length());
    // Held continuously in the plane of the web (0x200000): no major-axis buckling.
    if (Facts(span).ContinuousRestraint().IsRestrained(RB::kMajorTranslation, true)) return 0.0;
    CCSA_S16_09_Table const table(report == LengthReport::Written ? m_result : nullptr);
    return table.AnnexF_XX(span.Length(), span.RestraintEndL(), span.RestraintEndR());
}

double CSA_S16_09_Member::EffectiveLengthYY(CSpan const& span, LengthReport report) const {
    if (LengthOverride()) return OverrideLength(Lzz(), Length());
    // Held continuously against lateral displacement (0x100000): no minor-axis buckling.
    if (Facts(span).ContinuousRestraint().IsRestrained(RB::kMinorTranslation, true)) return 0.0;
    CCSA_S16_09_Table const table(report == LengthReport::Written ? m_result : nullptr);
    return table.AnnexF_YY(span.Length(), span.RestraintEndL(), span.RestraintEndR());
}

double CSA_S16_09_Member::EffectiveLengthLT(CSpan const& span, double depth, LengthReport report) const {
    if (report == LengthReport::Written || !m_ltLengthMemo) return EffectiveLengthLTUncached(span, depth, report);
    int const left = span.IndexLeft(), right = span.IndexRight();
    for (std::size_t i = 0; i < m_ltLengthCount; ++i) {
        LengthMemo const& m = m_ltLengths[i];
        if (m.left == left && m.right == right && m.depth == depth) return m.Le;
    }
    double const Le = EffectiveLengthLTUncached(span, depth, LengthReport::Silent);
    if (m_ltLengthCount < kLengthMemos) m_ltLengths[m_ltLengthCount++] = LengthMemo{left, right, depth, Le};
    return Le;
}

CSpanFacts const& CSA_S16_09_Member::NewFacts(CSpan const& span) const {
    m_lastFacts = m_nextFacts;
    m_nextFacts = (m_nextFacts + 1) % kSpanFacts;
    m_facts[m_lastFacts] = CSpanFacts(span);
    return m_facts[m_lastFacts];
}

double CSA_S16_09_Member::EffectiveLengthLTUncached(CSpan const& span, double depth, LengthReport report) const {
    if (LengthOverride()) return OverrideLength(Llt(), Length());
    CRestraint const RL = span.RestraintEndL();
    CRestraint const RR = span.RestraintEndR();
    CCodeShare::LT_BuckleDirection const sense = SenseLT(span);
    double const L = span.Length();
    bool const destabilized = IsDestabilizedLT(span);
    CMemberResult* const result = report == LengthReport::Written ? m_result : nullptr;

    if (result && result->WantsText()) {
        if (sense == CCodeShare::LT_TopFlange)
            result->AddOutputString(L"top flange(1) is bending compressive\n");
        else if (sense == CCodeShare::LT_BottomFlange)
            result->AddOutputString(L"bottom flange(2) is bending compressive\n");
        else
            result->AddOutputString(L"moment reversal in this span\n");
    }
    CCSA_S16_09_Table const table(result);
    // Cantilevers: Table 2, held end first.
    switch (CantileverTipOf(span)) {
        case CantileverTip::Left: return table.LateralTorsionalCantileverLength(L, sense, RR, RL, destabilized);
        case CantileverTip::Right: return table.LateralTorsionalCantileverLength(L, sense, RL, RR, destabilized);
        case CantileverTip::None: break;
    }

    // Segment between restraints: Table 1 says whether the ends restrain the
    // segment at all; the length is the segment's, increased for a
    // destabilizing load (cl. 13.6): 1.2 L with both ends torsionally
    // restrained, 1.4 L otherwise.
    if (!std::isfinite(table.LateralTorsionalSegmentLength(L, depth, sense, RL, RR, destabilized))) return kInfinity;
    if (!destabilized) return L;
    if (RL.IsFree(RB::kTorsional, true) || RR.IsFree(RB::kTorsional, true)) return 1.4 * L;
    return 1.2 * L;
}

CSA_S16_09_Member::CantileverTip CSA_S16_09_Member::TipOf(CSpan const& span) {
    // Only a segment at an end of the member can be a cantilever: that end
    // first, the restraints only then.
    bool const start = span.StartsAtMemberStart();
    bool const end = span.EndsAtMemberEnd();
    if (!start && !end) return CantileverTip::None;
    CRestraint const RL = span.RestraintEndL();
    CRestraint const RR = span.RestraintEndR();
    if (start && RL.IsFree(RB::kMajorTranslation, true) && RR.IsRestrained(RB::kMajorTranslation, true))
        return CantileverTip::Left;
    if (end && RL.IsRestrained(RB::kMajorTranslation, true) && RR.IsFree(RB::kMajorTranslation, true))
        return CantileverTip::Right;
    return CantileverTip::None;
}

bool CSA_S16_09_Member::IsDestabilizedLT(CSpan const& span) const {
    if (span.IsDestabilized()) return true;
    // The free tip of a cantilever is an end of its segment, and a load
    // there moves with the member.
    CantileverTip const tip = CantileverTipOf(span);
    if (tip == CantileverTip::None) return false;
    int const at = tip == CantileverTip::Left ? span.IndexLeft() : span.IndexRight();
    return GetMemberPointVec()[static_cast<std::size_t>(at)].GetRestraint().IsDestabilizing();
}

bool CSA_S16_09_Member::IsLTContinuouslyRestrained(CSpan const& span) const {
    CRestraint const held = CCSA_S16_09_Table::WithSense(CRestraint(Facts(span).ContinuousRestraint()), SenseLT(span));
    return held.IsRestrained(RB::kCompFlangeLateral, true) || held.IsRestrained(RB::kTorsional, true);
}

double CSA_S16_09_Member::EffectiveStrutLengthLT(CSpan const& span, LengthReport) const { return span.Length(); }

// ---- effective-length summary ----

template <class Find, class LengthOf>
std::map<int, SubspanEffectiveLengthData::Entry> CSA_S16_09_Member::SubspanLengths(double r, Find find,
                                                                                   LengthOf length) const {
    std::map<int, SubspanEffectiveLengthData::Entry> out;
    CSpan span = MemberSpan();
    for (int n = 1; find(span) && span.IsValid(); ++n)
        out[n] = SubspanEffectiveLengthData::Entry(span.IndexLeft(), span.IndexRight(), span.PosLeft(), span.PosRight(),
                                                   length(span), r);
    return out;
}

std::map<int, SubspanEffectiveLengthData::Entry> CSA_S16_09_Member::GetSubspanEffectiveLengthDataXX() const {
    double const r = m_calc ? Radius(m_calc->Ixx(), m_calc->Area()) : kNaN;
    return SubspanLengths(
        r, [this](CSpan& span) { return FindNextXXSpan(span); },
        [this](CSpan const& span) { return EffectiveLengthXX(span, LengthReport::Silent); });
}

std::map<int, SubspanEffectiveLengthData::Entry> CSA_S16_09_Member::GetSubspanEffectiveLengthDataYY() const {
    double const r = m_calc ? Radius(m_calc->Iyy(), m_calc->Area()) : kNaN;
    return SubspanLengths(
        r, [this](CSpan& span) { return FindNextYYSpan(span); },
        [this](CSpan const& span) { return EffectiveLengthYY(span, LengthReport::Silent); });
}

std::map<int, SubspanEffectiveLengthData::Entry> CSA_S16_09_Member::GetSubspanEffectiveLengthDataLT() const {
    double const r = m_calc ? Radius(m_calc->Ixx(), m_calc->Area()) : kNaN;
    double const depth = m_calc ? m_calc->Depth() : kNaN;
    return SubspanLengths(
        r, [this](CSpan& span) { return FindNextLTSpan(span); },
        [this, depth](CSpan const& span) {
            if (LengthOverride()) return OverrideLength(Llt(), Length());
            if (IsLTContinuouslyRestrained(span)) return 0.0;  // no lateral-torsional buckling
            return EffectiveLengthLT(span, depth, LengthReport::Silent);
        });
}

std::optional<SubspanEffectiveLengthData> CSA_S16_09_Member::GetMemberEffectiveLengthData() {
    if (!m_result || !ValidateInputData()) return std::nullopt;
    ResetRecords();
    auto lt = GetSubspanEffectiveLengthDataLT();
    auto yy = GetSubspanEffectiveLengthDataYY();
    auto xx = GetSubspanEffectiveLengthDataXX();
    return SubspanEffectiveLengthData(std::move(xx), std::move(yy), std::move(lt));
}

}  // namespace Corvid::Steel::SteelCSAS1609
