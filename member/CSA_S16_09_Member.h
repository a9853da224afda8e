#pragma once
// The CSA S16 member-design object that the module's factory hands out.
#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "framework/SteelMember.h"
#include "member/InteractionData.h"
#include "member/SpanActions.h"
#include "section/CSA_S16_09Section.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CSA_S16_09_Member : public Corvid::Steel::CSteelMemberGen {
public:
    CSA_S16_09_Member();
    CSA_S16_09_Member* Clone() const override;
    ~CSA_S16_09_Member() override;
    CSA_S16_09_Member& operator=(CSA_S16_09_Member const&) = delete;

    int NumDesOpt() const override { return 2; }
    // "CSA S16-09" (option 0 and any unknown option) or "CSA S16-14" (1).
    CString Name(int option) override;
    CString Country(int option) override;
    bool Check() const override;
    bool QuickCheck() const override;
    // Forgets the member's input (points, sub-spans, lengths, omega2, the
    // area ratios) and the calculator; the section, grade and edition stay.
    void Clear() override;
    std::optional<SubspanEffectiveLengthData> GetMemberEffectiveLengthData() override;
    // Makes the shape calculator for the section's shape; false (and the
    // result marked) for a shape no calculator handles.
    bool SetSection(Corvid::Data::CSection const& section) override;
    Corvid::Data::CSection GetSection() override { return m_section; }
    // Gives the grade to the calculator (dropped when there is none).
    bool SetSteelDesignProp(CSteelGrade const& grade) override;

    // The design option also names the calculator's code.
    void SetDesOpt(int option) override;
    // Net over gross area An/Ag and effective net over net area Ane/An of
    // the member's tension connections (CSA S16-09 cl. 13.2); they stay with
    // the member when its section changes. Default 1.
    void SetNetAreaRatio(double ratio);
    void SetEffectiveNetAreaRatio(double ratio);

    // The calculator, for hosts that show section data (null before a
    // successful SetSection).
    std::shared_ptr<CCSA_S16_09Section const> Calculator() const { return m_calc; }
    std::vector<CInteractionData> const& InteractionRecords() const { return m_records; }

    // The working of one member buckling span (SI units), for a host that
    // shows it: collected by Check only after CollectSpanSummaries(true).
    struct SpanSummary {
        enum Kind { LateralTorsional, MajorAxis, MinorAxis };
        // How Le was found: the host's override, not required (held along
        // the span, or a circular or square section), CSA S16-09 Annex F,
        // the span length (struts), the lateral-torsional effective-length
        // table of a segment between restraints or of a cantilever.
        enum LengthRule { Override, NotRequired, AnnexF, SpanLength, LTSegmentTable, LTCantileverTable };
        // How omega2 was found (CSA S16-09 cl. 13.6(a)).
        enum Omega2Rule { Given, Destabilizing, Cantilever, EndMoments, PeakInside, QuarterPoints };
        Kind kind = MajorAxis;
        double posLeft = 0.0, posRight = 0.0;
        double Le = 0.0;
        LengthRule lengthRule = AnnexF;
        double slenderness = 0.0;   // KL/r (axial spans)
        double Cu = 0.0, Cr = 0.0;  // axial spans
        double omega2 = 0.0;        // lateral-torsional spans
        Omega2Rule omega2Rule = EndMoments;
        double Mu = 0.0, Mr = 0.0, Mf = 0.0;  // elastic critical, resisting and governing moments
        CCodeShare::LT_BuckleDirection sense = CCodeShare::LT_TopFlange;
        double util = 0.0;
    };
    // Default off (a clone starts with it off): Check then does no work for
    // the summaries.
    void CollectSpanSummaries(bool on) {
        m_collectSpans = on;
        m_spans.clear();
        // Room for a member's usual spans (each axis, each segment) at once.
        constexpr std::size_t kUsualSpans = 8;
        if (on) m_spans.reserve(kUsualSpans);
    }
    std::vector<SpanSummary> const& SpanSummaries() const { return m_spans; }

    // Whether an effective-length function writes its working (the table
    // lines) to the result.
    enum class LengthReport { Silent, Written };

    // Equivalent uniform moment factor omega2 of a span (CSA S16-09 cl. 13.6(a)).
    double Omega2Factor(CSpan const& span, SpanSummary::Omega2Rule* how = nullptr) const;

protected:
    // ---- the check sequence ----
    // Empties the interaction records and makes one default record per sub-span.
    void ResetRecords() const;
    bool CheckLocal() const;
    bool CheckBuckling() const;
    bool CheckBucklingGen() const;
    bool CheckBucklingStrut() const;
    // The flexural-torsional and lateral-torsional blocks of the general
    // sequence; false when a quick check must stop.
    bool CheckFlexuralTorsionalRecords() const;
    bool CheckLateralTorsionalSpans() const;
    // Writes a heading of the report (text wanted).
    void Heading(wchar_t const* heading) const;
    // One block of the buckling sequence (the text part of `kind`): its
    // heading, then the spans that find yields checked one by one, indented;
    // false when a quick check must stop.
    template <class Find, class CheckSpan>
    bool SpanBlock(UtilKind kind, wchar_t const* heading, Find find, CheckSpan check) const;

    // ---- span walking and effective lengths ----
    // An override length: itself when not negative, else that multiple of
    // the member length.
    static double OverrideLength(double v, double memberLength) { return v >= 0 ? v : -v * memberLength; }
    // A working span over this member's points and sub-spans (indices 0, 0).
    CSpan MemberSpan() const;
    bool FindNextXXSpan(CSpan& span) const;
    bool FindNextYYSpan(CSpan& span) const;
    bool FindNextLTSpan(CSpan& span) const;
    bool FindNextUUStrutSpan(CSpan& span) const;
    bool FindNextXXStrutSpan(CSpan& span) const { return FindNextXXSpan(span); }
    bool FindNextYYStrutSpan(CSpan& span) const { return FindNextYYSpan(span); }
    double EffectiveLengthXX(CSpan const& span, LengthReport report) const;
    double EffectiveLengthYY(CSpan const& span, LengthReport report) const;
    double EffectiveLengthLT(CSpan const& span, double depth, LengthReport report) const;
    double EffectiveStrutLengthLT(CSpan const& span, LengthReport report) const;
    // A lateral-torsional segment that is a cantilever or overhang: at a
    // member end it is free in the plane of the web, and held so at its
    // other end. Its effective length comes from the cantilever table and
    // omega2 = 1.0 (no lateral support of the compression flange at the tip).
    enum class CantileverTip { None, Left, Right };
    CantileverTip CantileverTipOf(CSpan const& span) const {
        return static_cast<CantileverTip>(Facts(span).Tip([](CSpan const& s) { return static_cast<int>(TipOf(s)); }));
    }
    bool IsCantileverSegment(CSpan const& span) const { return CantileverTipOf(span) != CantileverTip::None; }
    // The rule of CantileverTipOf, from the span.
    static CantileverTip TipOf(CSpan const& span);
    // A destabilizing load acts on a lateral-torsional segment (CSA S16-09
    // cl. 13.6): flagged on a sub-span, at an interior point, or at the free
    // tip of a cantilever.
    bool IsDestabilizedLT(CSpan const& span) const;

    // ---- span checks ----
    bool CheckSpanXX(CSpan const& span) const;
    bool CheckSpanYY(CSpan const& span) const;
    bool CheckSpanT(CSpan const& span) const;
    bool CheckSpanTF(CInteractionData& record) const;
    bool CheckSpanLT(CSpan const& span) const;
    // How a lateral-torsional span's effective length was decided; writes the
    // lines that say it (defined with the check).
    struct LengthLT;
    LengthLT DecideLengthLT(CSpan const& span) const;
    bool CheckStrutSpanUU(CSpan const& span) const;
    bool CheckStrutSpanVV(CSpan const& span) const;
    bool CheckStrutSpanXX(CSpan const& span) const;
    bool CheckStrutSpanYY(CSpan const& span) const;
    bool CheckStrutSpanT(CSpan const& span) const;
    bool CheckStrutSpanTF(CInteractionData& record) const;
    bool CheckBucklingInteraction(CInteractionData const& record) const;
    double U1x(CSpan const& span, double Cu) const;
    double U1y(CSpan const& span, double Cu) const;

    // ---- shared by the span checks ----
    // Calls f with each interaction record (one a sub-span) of the span.
    template <class F>
    void ForEachRecordOf(CSpan const& span, F f) const {
        CSpanFacts const& facts = Facts(span);
        int const last = std::min(facts.SubSpanIndex(1), static_cast<int>(m_records.size()) - 1);
        for (int k = std::max(0, facts.SubSpanIndex(0)); k <= last; ++k) f(m_records[static_cast<std::size_t>(k)]);
    }
    // How one axial span check finds its effective length, which resistance
    // it asks for and what it stores (defined with the checks).
    struct AxialSpanRule;
    // The sequence shared by the flexural and torsional span checks of the
    // general and strut sequences.
    bool AxialSpanCheck(CSpan const& span, AxialSpanRule const& rule) const;
    // How an axial span's effective length was decided; writes the lines
    // that say it (defined with the checks).
    struct AxialLength;
    AxialLength DecideAxialLength(CSpan const& span, AxialSpanRule const& rule) const;
    // Keeps the working of an axial span (CollectSpanSummaries).
    void RecordAxialSpan(CSpan const& span, AxialSpanRule const& rule, double Le, bool heldAlong, double Cu, double Cr,
                         double Fe, double U) const;
    // The flexural-torsional check of one record (strut: no actual-length
    // values and no CuFT).
    enum class Sequence { General, Strut };
    bool FlexuralTorsionalCheck(CInteractionData& record, Sequence sequence) const;
    // A working copy of the calculator with its actions cleared and the
    // axial force -Cu (the span slot of Scratch: valid until the next use).
    CCSA_S16_09Section& CompressedClone(double Cu) const;
    // A working copy of the calculator as it is now: slot kStationSlot for
    // the station checks, kSpanSlot for the span checks. The copies are
    // kept, so a check allocates none once the member is set up.
    enum ScratchSlot { kStationSlot = 0, kSpanSlot = 1 };
    CCSA_S16_09Section& Scratch(ScratchSlot slot) const;
    // The span is held continuously against lateral-torsional buckling: its
    // compression flange laterally (0x200, read with the span's buckling
    // sense) or against twist (0x40).
    bool IsLTContinuouslyRestrained(CSpan const& span) const;

    virtual std::map<int, SubspanEffectiveLengthData::Entry> GetSubspanEffectiveLengthDataXX() const;
    virtual std::map<int, SubspanEffectiveLengthData::Entry> GetSubspanEffectiveLengthDataYY() const;
    virtual std::map<int, SubspanEffectiveLengthData::Entry> GetSubspanEffectiveLengthDataLT() const;
    CString MissingDesignData() const override;
    // The effective length of each span that find yields, numbered from 1,
    // with the radius of gyration r.
    template <class Find, class LengthOf>
    std::map<int, SubspanEffectiveLengthData::Entry> SubspanLengths(double r, Find find, LengthOf length) const;

private:
    CSA_S16_09_Member(CSA_S16_09_Member const& other);
    // Common start of Check and QuickCheck: false (with a message where a
    // result exists) when the member has no calculator or no result.
    bool ReadyToCheck() const;
    // Quick-check mode and kFailure raised: the routine must stop.
    bool QuickStop() const;
    // Marks a section no check can handle: kSectionNotHandled and kWarning, overall
    // utilisation +infinity, and the line saying so (text wanted).
    static void MarkNotHandled(CMemberResult* const result);
    bool ProbeSection() const;
    // Gives the member points' restraints to the member's calculator.
    void HandOverRestraints() const;
    // Sizes the entry array; false when only the local check runs.
    bool PrepareEntries() const;

    std::shared_ptr<CCSA_S16_09Section> m_calc;
    // The calculator took the section (SetSection): the check's probe of the
    // section then has nothing to say.
    bool m_sectionLoaded = false;
    mutable std::unique_ptr<CCSA_S16_09Section> m_scratch[2];
    // Counts the changes of the calculator's section, grade, code name and
    // ratios; a working copy made at the same count needs only the state a
    // check changes.
    unsigned m_calcVersion = 0;
    mutable unsigned m_scratchVersion[2] = {0, 0};
    // The last amplification factor U1 of each axis, for its span and Cu
    // (emptied when a check starts).
    struct AmplificationMemo {
        CSpan span;
        double Cu = 0.0;
        double U1 = 0.0;
        bool set = false;
    };
    mutable AmplificationMemo m_u1Memo[2];
    // Lateral-torsional effective lengths found without a report during one
    // general buckling check (CheckBucklingGen: the member does not change),
    // by span ends and depth; the span walk and the torsional and
    // lateral-torsional checks ask for the same spans.
    struct LengthMemo {
        int left = 0, right = 0;
        double depth = 0.0, Le = 0.0;
    };
    static constexpr std::size_t kLengthMemos = 8;
    mutable LengthMemo m_ltLengths[kLengthMemos];
    mutable std::size_t m_ltLengthCount = 0;
    mutable bool m_ltLengthMemo = false;
    double EffectiveLengthLTUncached(CSpan const& span, double depth, LengthReport report) const;
    mutable std::vector<CInteractionData> m_records;
    // MemberSpan's span, kept for its vectors (it keeps them alive).
    mutable CSpan m_memberSpan;
    // The queries of the last few spans asked about (CSpanFacts), the oldest
    // replaced. An entry is found by its span (points, sub-spans and ends):
    // it keeps that span's vectors alive, so it can never answer for another
    // member's. The reference is good until the next call.
    CSpanFacts const& Facts(CSpan const& span) const {
        if (m_facts[m_lastFacts].Span() == span) return m_facts[m_lastFacts];
        for (std::size_t k = 0; k < kSpanFacts; ++k)
            if (m_facts[k].Span() == span) return m_facts[m_lastFacts = k];
        return NewFacts(span);
    }
    // The entry of a span not found: the oldest replaced.
    CSpanFacts const& NewFacts(CSpan const& span) const;
    // BucklingSenseLT from the span's kept queries.
    CCodeShare::LT_BuckleDirection SenseLT(CSpan const& span) const {
        CSpanFacts const& f = Facts(span);
        return BucklingSense(f.Max(true, 1), f.Min(true, 1));
    }
    static constexpr std::size_t kSpanFacts = 8;
    mutable CSpanFacts m_facts[kSpanFacts];
    mutable std::size_t m_nextFacts = 0, m_lastFacts = 0;
    Corvid::Data::CSection m_section;
    static constexpr double kWholeArea = 1.0;  // no holes, no shear lag: An = Ane = Ag
    double m_netAreaRatio = kWholeArea;
    double m_effectiveNetAreaRatio = kWholeArea;
    bool m_collectSpans = false;
    mutable std::vector<SpanSummary> m_spans;
};

}  // namespace Corvid::Steel::SteelCSAS1609

// The module's factory: a new member-design object owned by the caller
// (destroy it through its virtual destructor), or null.
extern "C" Corvid::Data::Design::CDesign* NewCode();
