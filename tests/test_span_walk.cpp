// Span walking and effective lengths of the member: the spans between
// restraints for each buckling mode, their effective lengths (override,
// Annex F, Table 1 and Table 2 of the report, destabilizing loads of
// CSA S16-09 cl. 13.6), and the effective-length summary for the host.
//
// The members use an I section of plates without root fillets,
// I D=300 B=200 T=10 Tw=10 (mm), whose properties follow by hand:
//   A   = 2 x 200 x 10 + 280 x 10                  = 6 800 mm²
//   Ixx = (200 x 300³ - 190 x 280³) / 12           = 102.426 667 x 10⁶ mm⁴
//   Iyy = 2 x 10 x 200³ / 12 + 280 x 10³ / 12      = 13.356 667 x 10⁶ mm⁴
// Every member's actions are zero unless a test says otherwise, so the
// top flange reads as the compression flange (sense 0).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "Tolerance.h"
#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "member/CSA_S16_09_Member.h"

using Corvid::CString;
using Corvid::Data::CRestraint;
using Corvid::Data::CSection;
using Corvid::Steel::CMemberPoint;
using Corvid::Steel::CMemberResult;
using Corvid::Steel::CSpan;
using Corvid::Steel::CSteelGrade;
using Corvid::Steel::CSubSpan;
using Corvid::Steel::SubspanEffectiveLengthData;
using Corvid::Steel::UtilKind;
namespace RB = Corvid::Data::RestraintBits;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
wchar_t const* const kISection = L"I D=300 B=200 T=10 Tw=10";
double const kArea = 6800e-6;                                                  // m²
double const kIxx = (200.0 * 300 * 300 * 300 - 190.0 * 280 * 280 * 280) / 12 * 1e-12;  // m⁴
double const kIyy = (2 * 10.0 * 200 * 200 * 200 / 12 + 280.0 * 10 * 10 * 10 / 12) * 1e-12;  // m⁴

// Reaches the member's protected span operations.
struct Probe : Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member {
    using CSA_S16_09_Member::EffectiveLengthLT;
    using CSA_S16_09_Member::EffectiveLengthXX;
    using CSA_S16_09_Member::EffectiveLengthYY;
    using CSA_S16_09_Member::EffectiveStrutLengthLT;
    using CSA_S16_09_Member::FindNextLTSpan;
    using CSA_S16_09_Member::FindNextUUStrutSpan;
    using CSA_S16_09_Member::FindNextXXSpan;
    using CSA_S16_09_Member::FindNextXXStrutSpan;
    using CSA_S16_09_Member::FindNextYYSpan;
    using CSA_S16_09_Member::FindNextYYStrutSpan;
    using CSA_S16_09_Member::GetSubspanEffectiveLengthDataLT;
    using CSA_S16_09_Member::MemberSpan;

    // Points at the given positions with the given restraints, one sub-span
    // between each pair of consecutive points.
    Probe(CMemberResult* result, std::vector<std::pair<double, int>> const& points,
          wchar_t const* section = kISection) {
        SetResult(result);
        SetSection(CSection(section));
        SetSteelDesignProp(CSteelGrade(L"350W"));
        std::vector<CMemberPoint> pts;
        std::vector<CSubSpan> subs;
        for (auto const& [pos, bits] : points) pts.emplace_back(pos, CRestraint(bits));
        for (int k = 0; k + 1 < static_cast<int>(points.size()); ++k) subs.emplace_back(k, k, k + 1);
        SetMemberPointVec(pts);
        SetSubSpanVec(subs);
    }
    // Replaces sub-span k (keeping its indices).
    template <class Edit>
    void EditSubSpan(int k, Edit edit) {
        auto subs = GetSubSpanVec();
        edit(subs[static_cast<std::size_t>(k)]);
        SetSubSpanVec(subs);
    }
    CSpan Span(int left, int right) const {
        CSpan s = MemberSpan();
        s.SetIndices(left, right);
        return s;
    }
};

using Finder = bool (Probe::*)(CSpan&) const;

// Every span a finder produces, as (left, right) pairs, from a null span.
std::vector<std::pair<int, int>> Walk(Probe const& m, Finder find) {
    std::vector<std::pair<int, int>> out;
    CSpan span = m.MemberSpan();
    while ((m.*find)(span)) {
        out.emplace_back(span.IndexLeft(), span.IndexRight());
        if (out.size() > 20) break;  // a walk that does not advance
    }
    EXPECT_TRUE(span.IsNull());
    return out;
}

using Spans = std::vector<std::pair<int, int>>;

}  // namespace

// ---------------------------------------------------------------- finders

TEST(SpanWalkFinders, TwoPointsGiveOneSpanInEveryMode) {
    CMemberResult r;
    Probe const m(&r, {{0.0, RB::kPinned}, {6.0, RB::kPinned}});
    for (Finder find : {&Probe::FindNextXXSpan, &Probe::FindNextYYSpan, &Probe::FindNextLTSpan,
                        &Probe::FindNextUUStrutSpan, &Probe::FindNextXXStrutSpan, &Probe::FindNextYYStrutSpan}) {
        CSpan span = m.MemberSpan();
        ASSERT_TRUE((m.*find)(span));
        EXPECT_EQ(span.IndexLeft(), 0);
        EXPECT_EQ(span.IndexRight(), 1);
        EXPECT_TRUE(span.IsValid());
        EXPECT_FALSE((m.*find)(span));
        EXPECT_TRUE(span.IsNull());
        EXPECT_FALSE(span.IsValid());
    }
}

TEST(SpanWalkFinders, EachAxisEndsItsSpansAtItsOwnRestraints) {
    // Points at 0, 1, 2, 3, 4, 5 m. Interior points held by one bit each:
    //   1: 0x10000 (major rotation)      ends major-axis spans only
    //   2: 0x40000 (minor rotation)      ends minor-axis spans only
    //   3: 0x200000 (major translation)  ends major-axis and U-U strut spans
    //   4: 0x100000 (minor translation)  ends minor-axis and U-U strut spans
    CMemberResult r;
    Probe const m(&r, {{0.0, RB::kPinned},
                       {1.0, RB::kMajorRotation},
                       {2.0, RB::kMinorRotation},
                       {3.0, RB::kMajorTranslation},
                       {4.0, RB::kMinorTranslation},
                       {5.0, RB::kPinned}});
    EXPECT_EQ(Walk(m, &Probe::FindNextXXSpan), (Spans{{0, 1}, {1, 3}, {3, 5}}));
    EXPECT_EQ(Walk(m, &Probe::FindNextXXStrutSpan), (Spans{{0, 1}, {1, 3}, {3, 5}}));
    EXPECT_EQ(Walk(m, &Probe::FindNextYYSpan), (Spans{{0, 2}, {2, 4}, {4, 5}}));
    EXPECT_EQ(Walk(m, &Probe::FindNextYYStrutSpan), (Spans{{0, 2}, {2, 4}, {4, 5}}));
    EXPECT_EQ(Walk(m, &Probe::FindNextUUStrutSpan), (Spans{{0, 3}, {3, 4}, {4, 5}}));
}

TEST(SpanWalkFinders, MajorRotationAloneEndsAMajorAxisSpanOnly) {
    CMemberResult r;
    Probe const m(&r, {{0.0, RB::kPinned}, {2.0, RB::kMajorRotation}, {6.0, RB::kPinned}});
    EXPECT_EQ(Walk(m, &Probe::FindNextXXSpan), (Spans{{0, 1}, {1, 2}}));
    EXPECT_EQ(Walk(m, &Probe::FindNextYYSpan), (Spans{{0, 2}}));
}

TEST(SpanWalkFinders, OverrideGivesOneSpanOverTheWholeMember) {
    CMemberResult r;
    Probe m(&r, {{0.0, RB::kPinned}, {2.0, RB::kFixed}, {4.0, RB::kBraced}, {6.0, RB::kPinned}});
    m.SetLengthOverride(true);
    for (Finder find : {&Probe::FindNextXXSpan, &Probe::FindNextYYSpan, &Probe::FindNextLTSpan,
                        &Probe::FindNextUUStrutSpan})
        EXPECT_EQ(Walk(m, find), (Spans{{0, 3}}));
}

TEST(SpanWalkFinders, LateralTorsionalSegmentsEndWhereTable1HoldsThem) {
    // Interior points: 1 braced (lateral and torsional restraint: a segment
    // end), 2 held only in the plane of the web (no lateral-torsional
    // restraint, passed over), 3 top flange held laterally (the compression
    // flange under zero moments: a segment end).
    CMemberResult r;
    Probe const m(&r, {{0.0, RB::kPinned},
                       {1.5, RB::kBraced},
                       {3.0, RB::kMajorTranslation},
                       {4.5, RB::kTopFlangeLateral},
                       {6.0, RB::kPinned}});
    EXPECT_EQ(Walk(m, &Probe::FindNextLTSpan), (Spans{{0, 1}, {1, 3}, {3, 4}}));
    // The walk writes nothing.
    EXPECT_EQ(r.GetMarkup(), L"");
    EXPECT_EQ(r.Flags(), 0u);
}

TEST(SpanWalkFinders, CircularAndSquareHollowSectionsTakeTheWholeMember) {
    std::vector<std::pair<double, int>> const points = {
        {0.0, RB::kPinned}, {2.0, RB::kBraced}, {4.0, RB::kBraced}, {6.0, RB::kPinned}};
    CMemberResult r;
    EXPECT_EQ(Walk(Probe(&r, points, L"CHS D=168.3 t=6.4"), &Probe::FindNextLTSpan), (Spans{{0, 3}}));
    EXPECT_EQ(Walk(Probe(&r, points, L"RHS D=200 B=200 t=10"), &Probe::FindNextLTSpan), (Spans{{0, 3}}));
    // A rectangular hollow section and an I section stop at the braces.
    EXPECT_EQ(Walk(Probe(&r, points, L"RHS D=200 B=100 t=10"), &Probe::FindNextLTSpan),
              (Spans{{0, 1}, {1, 2}, {2, 3}}));
    EXPECT_EQ(Walk(Probe(&r, points), &Probe::FindNextLTSpan), (Spans{{0, 1}, {1, 2}, {2, 3}}));
    // The flexural walks of a CHS still stop at the braces (minor axis).
    EXPECT_EQ(Walk(Probe(&r, points, L"CHS D=168.3 t=6.4"), &Probe::FindNextYYSpan),
              (Spans{{0, 1}, {1, 2}, {2, 3}}));
}

TEST(SpanWalkFinders, MembersWithoutASpanGiveNone) {
    // One point, no points, and no calculator: nothing to walk, nothing breaks.
    CMemberResult r;
    Probe const one(&r, {{0.0, RB::kPinned}});
    Probe const none(&r, {});
    Probe const noSection(&r, {{0.0, RB::kPinned}, {3.0, RB::kBraced}, {6.0, RB::kPinned}}, L"");
    for (Finder find : {&Probe::FindNextXXSpan, &Probe::FindNextYYSpan, &Probe::FindNextLTSpan,
                        &Probe::FindNextUUStrutSpan}) {
        EXPECT_EQ(Walk(one, find), Spans{});
        EXPECT_EQ(Walk(none, find), Spans{});
    }
    EXPECT_EQ(Walk(noSection, &Probe::FindNextLTSpan), (Spans{{0, 1}, {1, 2}}));
}

// ---------------------------------------------------------------- effective lengths

TEST(SpanWalkLengths, OverrideLengthsAndMultiplesOfTheMemberLength) {
    CMemberResult r;
    Probe m(&r, {{0.0, RB::kPinned}, {2.0, RB::kBraced}, {6.0, RB::kPinned}});
    m.SetLengthOverride(true);
    m.SetLyy(-0.5);  // half the 6 m member: 3 m
    m.SetLzz(2.5);   // as given
    m.SetLlt(-1.0);  // the whole member: 6 m
    CSpan const span = m.Span(0, 2);
    EXPECT_REL(m.EffectiveLengthXX(span, true), 3.0);
    EXPECT_REL(m.EffectiveLengthYY(span, true), 2.5);
    EXPECT_REL(m.EffectiveLengthLT(span, 0.3, false), 6.0);
    // The override applies to any span, nothing is reported.
    EXPECT_REL(m.EffectiveLengthXX(m.Span(0, 1), true), 3.0);
    EXPECT_EQ(r.GetMarkup(), L"");
}

TEST(SpanWalkLengths, FlexuralLengthsFromAnnexFAndTheReportSwitch) {
    // Span 0..4 m: left end fixed in the plane of the web and on plan, right
    // end pinned. Annex F: 0.8 x 4 = 3.2 m about both axes.
    CMemberResult r;
    int const fixedBoth = RB::kMajorTranslation | RB::kMajorRotation | RB::kMinorTranslation | RB::kMinorRotation;
    Probe const m(&r, {{0.0, fixedBoth}, {4.0, RB::kPinned}});
    CSpan const span = m.Span(0, 1);
    EXPECT_REL(m.EffectiveLengthXX(span, false), 3.2);
    EXPECT_REL(m.EffectiveLengthYY(span, false), 3.2);
    EXPECT_EQ(r.GetMarkup(), L"");
    EXPECT_REL(m.EffectiveLengthXX(span, true), 3.2);
    EXPECT_REL(m.EffectiveLengthYY(span, true), 3.2);
    EXPECT_EQ(r.GetMarkup(), L"<i>CSA S16 - 09 Annex F: </i> 0.800L\n<i>CSA S16 - 09 Annex F: </i> 0.800L\n");
}

TEST(SpanWalkLengths, UnbracedFlexuralSpanIsMarkedOnlyWhenReported) {
    // Both ends free in the plane of the web and laterally: no finite length.
    CMemberResult r;
    Probe const m(&r, {{0.0, RB::kTorsional}, {4.0, RB::kTorsional}});
    CSpan const span = m.Span(0, 1);
    EXPECT_EQ(m.EffectiveLengthXX(span, false), kInf);
    EXPECT_EQ(m.EffectiveLengthYY(span, false), kInf);
    EXPECT_EQ(r.Flags(), 0u);
    EXPECT_EQ(m.EffectiveLengthXX(span, true), kInf);
    EXPECT_EQ(r.Flags(), 512u);
    EXPECT_EQ(m.EffectiveLengthYY(span, true), kInf);
    EXPECT_EQ(r.Flags(), 512u | 1024u);
    EXPECT_EQ(r.Entry(0).Util(UtilKind::BucklingAxialMajor), kInf);
    EXPECT_EQ(r.Entry(0).Util(UtilKind::BucklingAxialMinor), kInf);
}

TEST(SpanWalkLengths, ContinuousRestraintRemovesFlexuralBuckling) {
    // Sub-spans 0 and 1 held continuously in the plane of the web (0x200000),
    // sub-span 1 also laterally (0x100000); the ends are free, which would
    // otherwise give an infinite length.
    CMemberResult r;
    Probe m(&r, {{0.0, 0}, {3.0, 0}, {6.0, 0}});
    m.EditSubSpan(0, [](CSubSpan& s) { s.SetContinuousRestraint(CRestraint(RB::kMajorTranslation)); });
    m.EditSubSpan(1, [](CSubSpan& s) {
        s.SetContinuousRestraint(CRestraint(RB::kMajorTranslation | RB::kMinorTranslation));
    });
    EXPECT_EQ(m.EffectiveLengthXX(m.Span(0, 2), true), 0.0);
    EXPECT_EQ(m.EffectiveLengthYY(m.Span(1, 2), true), 0.0);
    // Over both sub-spans only the major-axis bit is held all along.
    EXPECT_EQ(m.EffectiveLengthYY(m.Span(0, 2), false), kInf);
    EXPECT_EQ(r.GetMarkup(), L"");
    EXPECT_EQ(r.Flags(), 0u);
}

TEST(SpanWalkLengths, SegmentLengthIsTheSpanOrIncreasedForDestabilizingLoad) {
    // A 5 m segment held in the plane of the web at both ends (not a cantilever).
    int const held = RB::kMajorTranslation | RB::kMinorTranslation;
    struct Case {
        int left, right;
        bool destabilizing;
        double length;  // m
        char const* why;
    } const cases[] = {
        // Both ends torsionally restrained (64): 1.2 x 5 = 6 m when destabilizing.
        {held | RB::kTorsional, held | RB::kTorsional, true, 6.0, "destabilizing, both ends torsional"},
        // Right end holds the compression (top) flange only (512), torsionally
        // free: 1.4 x 5 = 7 m.
        {held | RB::kTorsional, held | RB::kTopFlangeLateral, true, 7.0, "destabilizing, one end torsionally free"},
        {held | RB::kTopFlangeLateral, held | RB::kTorsional, true, 7.0, "destabilizing, other end torsionally free"},
        // Normal load: the span length, whatever the table's factor (here
        // Table 1 gives (1.0 + 1.0 x 1.2) / 2 L, and 0.7 L for fixed ends).
        {held | RB::kTorsional, held | RB::kTopFlangeLateral, false, 5.0, "normal, one end torsionally free"},
        {RB::kFixed, RB::kFixed, false, 5.0, "normal, both ends fixed (Table 1 gives 0.7 L)"},
        // An end without lateral-torsional restraint: infinite.
        {held | RB::kTorsional, held, false, kInf, "right end not restrained"},
        {held | RB::kTorsional, held, true, kInf, "right end not restrained, destabilizing"},
    };
    for (auto const& c : cases) {
        CMemberResult r;
        Probe m(&r, {{0.0, c.left}, {5.0, c.right}});
        m.EditSubSpan(0, [&c](CSubSpan& s) { s.SetDestabilized(c.destabilizing); });
        double const Le = m.EffectiveLengthLT(m.Span(0, 1), 0.3, false);
        if (std::isinf(c.length)) EXPECT_EQ(Le, kInf) << c.why;
        else EXPECT_REL(Le, c.length) << c.why;
        EXPECT_EQ(r.GetMarkup(), L"") << c.why;
        EXPECT_EQ(r.Flags(), 0u) << c.why;
    }
}

TEST(SpanWalkLengths, DestabilizingLoadAtAnInteriorPointCounts) {
    // The load position of an interior point's restraint makes the span
    // destabilized: 1.2 x 6 = 7.2 m with torsional restraint at both ends.
    CMemberResult r;
    Probe m(&r, {{0.0, RB::kPinned}, {3.0, 0}, {6.0, RB::kPinned}});
    auto pts = m.GetMemberPointVec();
    pts[1].SetRestraint(CRestraint(0, Corvid::Data::LoadDestabilizing, 0.15));
    m.SetMemberPointVec(pts);
    EXPECT_REL(m.EffectiveLengthLT(m.Span(0, 2), 0.3, false), 7.2);
}

TEST(SpanWalkLengths, CantileversReadTable2) {
    // 3 m cantilever built in at one end (kFixed holds 0x101840: support a),
    // tip free (tip 1): 0.8 x 3 = 2.4 m; destabilizing 1.4 x 3 = 4.2 m.
    for (bool rootLeft : {true, false}) {
        for (bool destab : {false, true}) {
            CMemberResult r;
            Probe m(&r, rootLeft ? std::vector<std::pair<double, int>>{{0.0, RB::kFixed}, {3.0, 0}}
                                 : std::vector<std::pair<double, int>>{{0.0, 0}, {3.0, RB::kFixed}});
            m.EditSubSpan(0, [destab](CSubSpan& s) { s.SetDestabilized(destab); });
            EXPECT_REL(m.EffectiveLengthLT(m.Span(0, 1), 0.3, false), destab ? 4.2 : 2.4) << rootLeft << destab;
            EXPECT_EQ(r.GetMarkup(), L"");
        }
    }
    // Reported: the sense line, then the Table 2 line.
    CMemberResult r;
    Probe const m(&r, {{0.0, RB::kFixed}, {3.0, 0}});
    EXPECT_REL(m.EffectiveLengthLT(m.Span(0, 1), 0.3, true), 2.4);
    EXPECT_EQ(r.GetMarkup(),
              L"top flange(1) is bending compressive\n"
              L"<i>CSA S16 - 09 Table 2</i> condition: a1 0.800*L\n");
}

TEST(SpanWalkLengths, FreeEndInsideTheMemberIsNotACantilever) {
    // Points 0, 2, 5 m; point 1 is free in the plane of the web but held
    // laterally and torsionally. Span 1..2 does not start at the member's
    // start, so Table 1 applies (finite: both ends torsional) and the length
    // is the span, 3 m; span 0..1 does not end at the member's end: 2 m.
    CMemberResult r;
    Probe const m(&r, {{0.0, RB::kFixed}, {2.0, RB::kBraced}, {5.0, RB::kFixed}});
    EXPECT_REL(m.EffectiveLengthLT(m.Span(1, 2), 0.3, false), 3.0);
    EXPECT_REL(m.EffectiveLengthLT(m.Span(0, 1), 0.3, false), 2.0);
}

TEST(SpanWalkLengths, ReportedSegmentWritesSenseAndTable1Lines) {
    int const simple = RB::kMajorTranslation | RB::kMinorTranslation | RB::kTorsional | RB::kTopFlangeLateral;
    struct Case {
        double mLeft, mRight;  // major-axis moments at the ends, N.m
        wchar_t const* senseLine;
    } const cases[] = {
        {-50e3, -20e3, L"top flange(1) is bending compressive\n"},
        {50e3, 20e3, L"bottom flange(2) is bending compressive\n"},
        {-50e3, 40e3, L"moment reversal in this span\n"},
    };
    for (auto const& c : cases) {
        CMemberResult r;
        Probe m(&r, {{0.0, simple}, {4.0, simple}});
        m.EditSubSpan(0, [&c](CSubSpan& s) { s.SetMoments({0, c.mLeft, 0}, {0, c.mRight, 0}); });
        // Both ends torsionally restrained: finite whatever the sense, 4 m.
        EXPECT_REL(m.EffectiveLengthLT(m.Span(0, 1), 0.3, true), 4.0);
        EXPECT_EQ(r.GetMarkup(), CString(c.senseLine) + L"<i>CSA S16 - 09 Table 1</i> condition: 1.0L(normal)\n");
    }
    // Not reported: nothing written, not even the mark of an end without
    // lateral-torsional restraint (held in the plane of the web only).
    CMemberResult r;
    Probe const m(&r, {{0.0, simple}, {4.0, RB::kMajorTranslation}});
    EXPECT_EQ(m.EffectiveLengthLT(m.Span(0, 1), 0.3, false), kInf);
    EXPECT_EQ(r.GetMarkup(), L"");
    EXPECT_EQ(r.Flags(), 0u);
    // Reported: both ends' lines and the mark.
    EXPECT_EQ(m.EffectiveLengthLT(m.Span(0, 1), 0.3, true), kInf);
    EXPECT_EQ(r.GetMarkup(), L"top flange(1) is bending compressive\n"
                             L"<i>CSA S16 - 09 Table 1</i> condition: 1.0L(normal)\n"
                             L"<i>CSA S16 - 09 Table 1</i> condition: ?\n");
    EXPECT_EQ(r.Flags(), 256u);
    EXPECT_EQ(r.Entry(0).Util(UtilKind::BucklingLT), kInf);
}

TEST(SpanWalkLengths, StrutLateralTorsionalLengthIsTheSpan) {
    CMemberResult r;
    Probe const m(&r, {{0.0, 0}, {1.0, 0}, {3.5, 0}});
    EXPECT_REL(m.EffectiveStrutLengthLT(m.Span(1, 2), true), 2.5);
}

// ---------------------------------------------------------------- summary

TEST(SpanWalkSummary, FourPointBeamWithMixedRestraints) {
    // Points (m) and restraints:
    //   0   pinned  0x300043  ends every span
    //   2   braced  0x100043  lateral and torsional: ends minor-axis and
    //                         lateral-torsional spans
    //   3.5 0x200000          held in the plane of the web: ends major-axis spans
    //   6   pinned
    // Sub-span 0 (0..2 m) held continuously laterally and at the compression
    // flange (0x100200); sub-span 2 (3.5..6 m) carries a destabilizing load.
    CMemberResult r;
    Probe m(&r, {{0.0, RB::kPinned}, {2.0, RB::kBraced}, {3.5, RB::kMajorTranslation}, {6.0, RB::kPinned}});
    m.EditSubSpan(0, [](CSubSpan& s) {
        s.SetContinuousRestraint(CRestraint(RB::kMinorTranslation | RB::kCompFlangeLateral));
    });
    m.EditSubSpan(2, [](CSubSpan& s) { s.SetDestabilized(true); });
    EXPECT_TRUE(m.InteractionRecords().empty());

    auto const data = m.GetMemberEffectiveLengthData();
    ASSERT_TRUE(data.has_value());
    double const rx = std::sqrt(kIxx / kArea);  // 122.731 mm
    double const ry = std::sqrt(kIyy / kArea);  // 44.319 mm
    auto expect = [](SubspanEffectiveLengthData::Map const& map, int n, int left, int right, double posL,
                     double posR, double length, double radius) {
        auto const it = map.find(n);
        ASSERT_NE(it, map.end()) << "span " << n;
        auto const& e = it->second;
        EXPECT_EQ(e.left, left);
        EXPECT_EQ(e.right, right);
        EXPECT_REL(e.posLeft, posL);
        EXPECT_REL(e.posRight, posR);
        EXPECT_REL(e.length, length);
        EXPECT_REL(e.radius, radius);
    };
    // Major axis: 0..3.5 m and 3.5..6 m, both ends held in translation only,
    // Annex F 1.0 L: 3.5 m and 2.5 m.
    ASSERT_EQ(data->majorAxis.size(), 2u);
    expect(data->majorAxis, 1, 0, 2, 0.0, 3.5, 3.5, rx);
    expect(data->majorAxis, 2, 2, 3, 3.5, 6.0, 2.5, rx);
    // Minor axis: 0..2 m held continuously (0), 2..6 m Annex F 1.0 L = 4 m.
    ASSERT_EQ(data->minorAxis.size(), 2u);
    expect(data->minorAxis, 1, 0, 1, 0.0, 2.0, 0.0, ry);
    expect(data->minorAxis, 2, 1, 3, 2.0, 6.0, 4.0, ry);
    // Lateral-torsional: 0..2 m held continuously at the compression flange
    // (0); 2..6 m (point 2 holds no lateral-torsional restraint and is passed
    // over) with a destabilizing load and both ends torsional: 1.2 x 4 = 4.8 m.
    ASSERT_EQ(data->lateralTorsional.size(), 2u);
    expect(data->lateralTorsional, 1, 0, 1, 0.0, 2.0, 0.0, rx);
    expect(data->lateralTorsional, 2, 1, 3, 2.0, 6.0, 4.8, rx);

    // One default interaction record per sub-span, nothing written.
    EXPECT_EQ(m.InteractionRecords().size(), 3u);
    EXPECT_EQ(r.GetMarkup(), L"");
    EXPECT_EQ(r.Flags(), 0u);
}

TEST(SpanWalkSummary, ContinuousTorsionalRestraintAndOverride) {
    // Sub-span held continuously against twist (64): lateral-torsional length 0.
    CMemberResult r;
    Probe m(&r, {{0.0, RB::kPinned}, {4.0, RB::kPinned}});
    m.EditSubSpan(0, [](CSubSpan& s) { s.SetContinuousRestraint(CRestraint(RB::kTorsional)); });
    auto data = m.GetMemberEffectiveLengthData();
    ASSERT_TRUE(data.has_value());
    ASSERT_EQ(data->lateralTorsional.size(), 1u);
    EXPECT_EQ(data->lateralTorsional.at(1).length, 0.0);
    // Override on: the override lengths, before any continuous restraint;
    // Llt = -0.75 of the 4 m member = 3 m, Lyy 2 m, Lzz -0.25 x 4 = 1 m.
    m.SetLengthOverride(true);
    m.SetLyy(2.0);
    m.SetLzz(-0.25);
    m.SetLlt(-0.75);
    data = m.GetMemberEffectiveLengthData();
    ASSERT_TRUE(data.has_value());
    EXPECT_REL(data->lateralTorsional.at(1).length, 3.0);
    EXPECT_REL(data->majorAxis.at(1).length, 2.0);
    EXPECT_REL(data->minorAxis.at(1).length, 1.0);
}

TEST(SpanWalkSummary, WalkWithoutAFiniteSegmentReachesTheSummaryAsInfinite) {
    // No point holds any lateral-torsional restraint: one segment over the
    // whole member, infinite, and no mark in the result.
    CMemberResult r;
    int const held = RB::kMajorTranslation | RB::kMinorTranslation;
    Probe const m(&r, {{0.0, held}, {2.0, held}, {6.0, held}});
    auto const lt = m.GetSubspanEffectiveLengthDataLT();
    ASSERT_EQ(lt.size(), 1u);
    EXPECT_EQ(lt.at(1).left, 0);
    EXPECT_EQ(lt.at(1).right, 2);
    EXPECT_EQ(lt.at(1).length, kInf);
    EXPECT_EQ(r.Flags(), 0u);
}

TEST(SpanWalkSummary, InvalidMemberGivesNothing) {
    CMemberResult r;
    // No result object.
    Probe noResult(nullptr, {{0.0, RB::kPinned}, {6.0, RB::kPinned}});
    EXPECT_FALSE(noResult.GetMemberEffectiveLengthData().has_value());
    // One point only.
    Probe onePoint(&r, {{0.0, RB::kPinned}});
    EXPECT_FALSE(onePoint.GetMemberEffectiveLengthData().has_value());
    // No section calculator (so no grade either).
    Probe noSection(&r, {{0.0, RB::kPinned}, {6.0, RB::kPinned}}, L"");
    EXPECT_FALSE(noSection.GetMemberEffectiveLengthData().has_value());
    // Sub-spans that do not join the points.
    Probe badSubs(&r, {{0.0, RB::kPinned}, {3.0, RB::kPinned}, {6.0, RB::kPinned}});
    badSubs.SetSubSpanVec({CSubSpan(0, 0, 2)});
    EXPECT_FALSE(badSubs.GetMemberEffectiveLengthData().has_value());
}
