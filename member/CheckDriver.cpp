// The sequence of one member check: section probe, restraints, validation,
// input echo, the station (local) checks of every sub-span, and the member
// buckling checks span by span.
#include <cmath>
#include <memory>

#include "framework/ResultFlags.h"
#include "member/CSA_S16_09_Member.h"

namespace Corvid::Steel::SteelCSAS1609 {

bool CSA_S16_09_Member::QuickStop() const {
    return IsQuickCheckMode() && (m_result->Flags() & ResultFlags::kFailure) != 0;
}

void CSA_S16_09_Member::ResetRecords() const {
    m_records.assign(GetSubSpanVec().size(), CInteractionData{});
    m_spans.clear();
    for (auto& m : m_u1Memo) m.set = false;
}

CSpan CSA_S16_09_Member::MemberSpan() const {
    // Made again only for new vectors (a member that changes makes new ones).
    if (!m_memberSpan.IsOver(&GetMemberPointVec(), &GetSubSpanVec()))
        m_memberSpan = CSpan(PointsPtr(), SubSpansPtr(), 0, 0);
    return m_memberSpan;
}

bool CSA_S16_09_Member::ReadyToCheck() const {
    if (!m_result) return false;  // nowhere to say anything
    // The result describes this check alone: nothing of an earlier check
    // (entries, flags, overall utilisation) may stand in it.
    m_result->Reset();
    m_result->IniDynaArray(1);
    m_result->SetEntryIndex(0);
    if (!m_calc) {
        // A member without a calculator (no section, or a shape no
        // calculator handles) cannot be checked: it must not read as passing.
        MarkNotHandled(m_result);
        if (m_result->WantsText())
            m_result->AddOutputString(L"<b><red>Fail:</red></b> the member has no section calculator\n");
        return false;
    }
    return true;
}

CCSA_S16_09Section& CSA_S16_09_Member::Scratch(ScratchSlot slot) const {
    auto& s = m_scratch[slot];
    if (!s)
        s.reset(m_calc->Clone());
    else if (m_scratchVersion[slot] != m_calcVersion)
        s->Assign(*m_calc);
    else
        s->AssignCheckState(*m_calc);
    m_scratchVersion[slot] = m_calcVersion;
    return *s;
}

// Section probe on a throw-away copy: the shape's refusals go to entry 0. A
// section the calculator took when it was set is taken again, silently.
bool CSA_S16_09_Member::ProbeSection() const {
    if (m_sectionLoaded) return true;
    std::unique_ptr<CCSA_S16_09Section> const probe(m_calc->Clone());
    return probe->SetCorvidSec(m_calc->GetCorvidSec(), m_result);
}

// Override on with all three lengths exactly 0: the local check alone (a
// length above 0 and below 1 mm was refused by the validation). Sizes the
// entry array and sets the buckling flag accordingly.
bool CSA_S16_09_Member::PrepareEntries() const {
    int const n = static_cast<int>(GetSubSpanVec().size());
    bool const localOnly = LengthOverride() && Lyy() == 0.0 && Lzz() == 0.0 && Llt() == 0.0;
    m_result->IniDynaArray(localOnly ? n + 1 : n + 2);
    m_result->SetBuckling(!localOnly);
    return !localOnly;
}

// The first point's restraint always; the next ones only while the section
// keeps reporting a strut-only connection (a channel or tee connected as a
// strut at every point so far).
void CSA_S16_09_Member::HandOverRestraints() const {
    for (auto const& point : GetMemberPointVec()) {
        m_calc->SetMemberRestraint(point.GetRestraint());
        if (!m_calc->IsStrutOnlyConnection()) break;
    }
}

bool CSA_S16_09_Member::Check() const {
    if (!ReadyToCheck()) return false;
    if (!ProbeSection()) {
        MarkNotHandled(m_result);
        return false;
    }
    HandOverRestraints();
    if (!ValidateInputData()) return false;
    if (m_result->WantsText()) {
        bool compression = false;
        for (auto const& sub : GetSubSpanVec())
            compression = compression || sub.GetForcesLeft().x < 0.0 || sub.GetForcesRight().x < 0.0;
        m_calc->ReportCompressionClass(compression);
        AddStringInput(m_calc->SectPropString(m_result->Format()));
    }
    if (!PrepareEntries()) return CheckLocal();
    bool const local = CheckLocal();
    m_result->SetEntryIndex(m_result->NumEntries() - 1);
    bool const buckling = CheckBuckling();
    return local && buckling;
}

bool CSA_S16_09_Member::QuickCheck() const {
    // A quick check writes no text, its refusals included.
    if (m_result) m_result->EnableText(false);
    if (!m_result || !m_calc) return ReadyToCheck();
    m_result->Reset();
    m_result->IniDynaArray(1);
    m_result->SetEntryIndex(0);
    if (!ProbeSection()) return false;
    // The same restraints as the full check: a channel or tee connected as
    // a strut must be checked as one here too.
    HandOverRestraints();
    if (!ValidateInputData()) return false;
    if (!PrepareEntries()) return CheckLocal();
    m_result->SetEntryIndex(m_result->NumEntries() - 1);
    if (!CheckBuckling()) return false;
    return CheckLocal();
}

bool CSA_S16_09_Member::CheckLocal() const {
    CResultIndent const whole(m_result);
    CCSA_S16_09Section* const station = &Scratch(kStationSlot);
    auto const& points = GetMemberPointVec();
    auto const& f = m_result->Format();
    for (auto const& sub : GetSubSpanVec()) {
        m_result->SetEntryIndex(sub.Index() + 1);
        CMemberPoint const& PL = points[static_cast<std::size_t>(sub.IndexCMPLeft())];
        CMemberPoint const& PR = points[static_cast<std::size_t>(sub.IndexCMPRight())];
        if (m_result->WantsText()) {
            m_result->AddOutputString(L"<h5>SubSpan " + f.Int(sub.Get1Index()) + L": ");
            m_result->AddOutputString(f.Length(PL.GetPos()) + L" to ");
            m_result->AddOutputString(f.Length(PR.GetPos()) + L"</h5>\n");
        }
        CResultIndent const ends(m_result);
        // Each end of the sub-span is a station of the local check (a part
        // of the entry's text).
        auto end = [&](unsigned part, wchar_t const* name, CMemberPoint const& P, auto const& forces,
                       auto const& moments) {
            CResultTextPart const only(m_result, part);
            if (m_result->WantsText()) m_result->AddOutputString(name + f.Length(P.GetPos()) + L"\n");
            m_result->SetStation(P.GetPos());
            station->SetMemberForces(forces);
            station->SetMemberMoments(moments);
            station->SetMemberRestraint(P.GetRestraint());
            CResultIndent const check(m_result);
            station->LocalCapacityCheck(m_result);
        };
        end(TextPart::kLeftEnd, L"LH end: Position = ", PL, sub.GetForcesLeft(), sub.GetMomentsLeft());
        if (QuickStop()) return false;
        end(TextPart::kRightEnd, L"RH end: Position = ", PR, sub.GetForcesRight(), sub.GetMomentsRight());
        if (QuickStop()) return false;
    }
    m_result->SetStation(CResultEntry::kNone);
    return true;
}

bool CSA_S16_09_Member::CheckBuckling() const {
    return m_calc->IsStrutAndTieOnly() ? CheckBucklingStrut() : CheckBucklingGen();
}

namespace {
// One block of the buckling sequence: a heading, then find and check spans
// until the finder says none is left or the span is no longer valid.
template <class Find, class CheckSpan, class Stop>
bool WalkSpans(CSpan span, Find find, CheckSpan check, Stop stop) {
    span.SetNull();
    while (find(span)) {
        check(span);
        if (stop()) return false;
        if (!span.IsValid()) break;
    }
    return true;
}

bool SameSpans(CInteractionData const& a, CInteractionData const& b) {
    return !(a.spanXX != b.spanXX) && !(a.spanYY != b.spanYY) && !(a.spanLT != b.spanLT);
}
}  // namespace

void CSA_S16_09_Member::Heading(wchar_t const* heading) const {
    if (m_result->WantsText()) m_result->AddOutputString(heading);
}

template <class Find, class CheckSpan>
bool CSA_S16_09_Member::SpanBlock(UtilKind kind, wchar_t const* heading, Find find, CheckSpan check) const {
    CResultTextPart const block(m_result, TextPart::Block(kind));
    Heading(heading);
    CResultIndent const indent(m_result);
    return WalkSpans(MemberSpan(), find, check, [this] { return QuickStop(); });
}

bool CSA_S16_09_Member::CheckBucklingGen() const {
    ResetRecords();
    // The lateral-torsional lengths are kept while this check runs.
    struct LengthMemoScope {
        CSA_S16_09_Member const& m;
        explicit LengthMemoScope(CSA_S16_09_Member const& member) : m(member) {
            m.m_ltLengthCount = 0;
            m.m_ltLengthMemo = true;
        }
        ~LengthMemoScope() { m.m_ltLengthMemo = false; }
        LengthMemoScope(LengthMemoScope const&) = delete;
        LengthMemoScope& operator=(LengthMemoScope const&) = delete;
    } const lengths(*this);
    Heading(L"<h4>Buckling capacity checks:</h4>\n");
    CResultIndent const outer(m_result);
    if (!SpanBlock(
            UtilKind::BucklingAxialMajor, L"<h5>Check axial buckling major axis</h5>\n",
            [this](CSpan& s) { return FindNextXXSpan(s); }, [this](CSpan const& s) { CheckSpanXX(s); }))
        return false;
    if (!SpanBlock(
            UtilKind::BucklingAxialMinor, L"<h5>Check axial buckling minor axis</h5>\n",
            [this](CSpan& s) { return FindNextYYSpan(s); }, [this](CSpan const& s) { CheckSpanYY(s); }))
        return false;
    if (!SpanBlock(
            UtilKind::BucklingAxialTorsion, L"<h5>Check torsional buckling </h5>\n",
            [this](CSpan& s) { return FindNextLTSpan(s); }, [this](CSpan const& s) { CheckSpanT(s); }))
        return false;
    if (!m_calc->IsDoublySymmetric()) {
        CResultTextPart const block(m_result, TextPart::Block(UtilKind::BucklingAxialFlexuralTorsion));
        Heading(L"<h5>Check flexural-torsional buckling </h5>\n");
        CResultIndent const inner(m_result);
        if (!CheckFlexuralTorsionalRecords()) return false;
    }
    {
        CResultTextPart const block(m_result, TextPart::Block(UtilKind::BucklingLT));
        Heading(L"<h5>Check LT buckling</h5>\n");
        CResultIndent const inner(m_result);
        if (!CheckLateralTorsionalSpans()) return false;
    }
    CResultTextPart const block(m_result, TextPart::Block(UtilKind::BucklingCombined));
    Heading(L"<h5>Check buckling interaction</h5>\n");
    CResultIndent const inner(m_result);
    // No quick-check stop here: a combined failure (kFailure) ends the
    // quick check at its first station check instead.
    for (std::size_t k = 0; k < m_records.size(); ++k) {
        if (k > 0 && SameSpans(m_records[k], m_records[k - 1])) continue;
        CheckBucklingInteraction(m_records[k]);
    }
    return true;
}

// A record with the spans of the one before it takes its flexural-torsional
// values.
bool CSA_S16_09_Member::CheckFlexuralTorsionalRecords() const {
    for (std::size_t k = 0; k < m_records.size(); ++k) {
        if (k > 0 && SameSpans(m_records[k], m_records[k - 1])) {
            m_records[k].CrFT = m_records[k - 1].CrFT;
            m_records[k].CuFT = m_records[k - 1].CuFT;
            m_records[k].FeFT = m_records[k - 1].FeFT;
            continue;
        }
        CheckSpanTF(m_records[k]);
        if (QuickStop()) return false;
    }
    return true;
}

bool CSA_S16_09_Member::CheckLateralTorsionalSpans() const {
    if (m_calc->Iyy() / m_calc->Ixx() > 1.01) {
        if (m_result->WantsText()) {
            m_result->AddOutputString(L"<b><orange>Warning:</orange></b> Iyy is greater than Ixx:\n");
            m_result->AddOutputString(L"\tthis may lead to errors\n");
        }
        m_result->AddFlags(ResultFlags::kWarning);
    }
    for (std::size_t k = 0; k < m_records.size(); ++k) {
        if (k > 0 && !(m_records[k].spanLT != m_records[k - 1].spanLT)) continue;
        CheckSpanLT(m_records[k].spanLT);
        if (QuickStop()) return false;
    }
    return true;
}

bool CSA_S16_09_Member::CheckBucklingStrut() const {
    ResetRecords();
    Heading(L"<h4>Strut buckling capacity checks:</h4>\n");
    CResultIndent const outer(m_result);
    if (m_calc->IsVVSpanExist()) {
        if (!SpanBlock(
                UtilKind::BucklingAxialMajor, L"<h5>Check axial buckling(U-U) axis</h5>\n",
                [this](CSpan& s) { return FindNextUUStrutSpan(s); }, [this](CSpan const& s) { CheckStrutSpanUU(s); }))
            return false;
        if (!SpanBlock(
                UtilKind::BucklingAxialMinor, L"<h5>Check axial buckling(V-V) axis</h5>\n",
                [this](CSpan& s) { return FindNextUUStrutSpan(s); }, [this](CSpan const& s) { CheckStrutSpanVV(s); }))
            return false;
    } else {
        if (!SpanBlock(
                UtilKind::BucklingAxialMajor, L"<h5>Check axial buckling major(X-X) axis</h5>\n",
                [this](CSpan& s) { return FindNextXXStrutSpan(s); }, [this](CSpan const& s) { CheckStrutSpanXX(s); }))
            return false;
        if (!SpanBlock(
                UtilKind::BucklingAxialMinor, L"<h5>Check axial buckling minor(Y-Y) axis</h5>\n",
                [this](CSpan& s) { return FindNextYYStrutSpan(s); }, [this](CSpan const& s) { CheckStrutSpanYY(s); }))
            return false;
    }
    if (!SpanBlock(
            UtilKind::BucklingAxialTorsion, L"<h5>Check torsional buckling </h5>\n",
            [this](CSpan& s) { return FindNextLTSpan(s); }, [this](CSpan const& s) { CheckStrutSpanT(s); }))
        return false;
    CResultTextPart const block(m_result, TextPart::Block(UtilKind::BucklingAxialFlexuralTorsion));
    Heading(L"<h5>Check flexural-torsional buckling </h5>\n");
    CResultIndent const ft(m_result);
    for (std::size_t k = 0; k < m_records.size(); ++k) {
        if (k > 0 && SameSpans(m_records[k], m_records[k - 1])) continue;
        CheckStrutSpanTF(m_records[k]);
        if (QuickStop()) return false;
    }
    return true;
}

}  // namespace Corvid::Steel::SteelCSAS1609
