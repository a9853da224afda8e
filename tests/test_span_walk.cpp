// Span walking and effective lengths of the member: the spans between
// restraints for each buckling mode, their effective lengths (override,
// Annex F, Tables 1 and 2, destabilizing loads of cl. 13.6) and the summary.
//
// Section I D=300 B=200 T=10 Tw=10 (no root fillets):
//   A = 2 x 200 x 10 + 280 x 10 = 6 800 mm², Ixx = (200 x 300³ - 190 x 280³)/12,
//   Iyy = 2 x 10 x 200³/12 + 280 x 10³/12.
// Actions are zero unless stated, so the top flange is the compression flange.
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
double const kArea = 6800e-6;
double const kIxx = (200.0 * 300 * 300 * 300 - 190.0 * 280 * 280 * 280) / 12 * 1e-12;
double const kIyy = (2 * 10.0 * 200 * 200 * 200 / 12 + 280.0 * 10 * 10 * 10 / 12) * 1e-12;
using Points = std::vector<std::pair<double, int>>;

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

    // Points with their restraints, one sub-span between consecutive points.
    Probe(CMemberResult* result, Points const& points, wchar_t const* section = kISection) {
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
using Spans = std::vector<std::pair<int, int>>;
Finder const kFinders[] = {&Probe::FindNextXXSpan,      &Probe::FindNextYYSpan,      &Probe::FindNextLTSpan,
                           &Probe::FindNextUUStrutSpan, &Probe::FindNextXXStrutSpan, &Probe::FindNextYYStrutSpan};

// Every span a finder produces from a null span; the walk ends null.
Spans Walk(Probe const& m, Finder find) {
    Spans out;
    CSpan span = m.MemberSpan();
    while ((m.*find)(span)) {
        EXPECT_TRUE(span.IsValid());
        out.emplace_back(span.IndexLeft(), span.IndexRight());
        if (out.size() > 20) break;  // a walk that does not advance
    }
    EXPECT_TRUE(span.IsNull());
    EXPECT_FALSE(span.IsValid());
    return out;
}

}  // namespace

// ---------------------------------------------------------------- finders

TEST(SpanWalkFinders, EachModeEndsItsSpansAtItsOwnRestraints) {
    CMemberResult r;
    Probe const two(&r, {{0.0, RB::kPinned}, {6.0, RB::kPinned}});
    for (Finder find : kFinders) EXPECT_EQ(Walk(two, find), (Spans{{0, 1}}));

    // Interior points held by one bit each: 1 major rotation (major-axis
    // spans), 2 minor rotation (minor-axis), 3 major translation (major-axis
    // and U-U strut), 4 minor translation (minor-axis and U-U strut).
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

    // Override: one span over the whole member.
    Probe o(&r, {{0.0, RB::kPinned}, {2.0, RB::kFixed}, {4.0, RB::kBraced}, {6.0, RB::kPinned}});
    o.SetLengthOverride(true);
    for (Finder find : {&Probe::FindNextXXSpan, &Probe::FindNextYYSpan, &Probe::FindNextLTSpan,
                        &Probe::FindNextUUStrutSpan})
        EXPECT_EQ(Walk(o, find), (Spans{{0, 3}}));
}

TEST(SpanWalkFinders, LateralTorsionalSegmentsEndWhereTable1HoldsThem) {
    // 1 braced: an end; 2 held in the web plane only: passed over; 3 top
    // (compression) flange lateral: an end. The walk writes nothing.
    CMemberResult r;
    Probe const m(&r, {{0.0, RB::kPinned},
                       {1.5, RB::kBraced},
                       {3.0, RB::kMajorTranslation},
                       {4.5, RB::kTopFlangeLateral},
                       {6.0, RB::kPinned}});
    EXPECT_EQ(Walk(m, &Probe::FindNextLTSpan), (Spans{{0, 1}, {1, 3}, {3, 4}}));
    EXPECT_EQ(r.GetMarkup(), L"");
    EXPECT_EQ(r.Flags(), 0u);

    // CHS and square RHS take the whole member; a rectangular RHS and an I
    // stop at the braces, as do the flexural walks of a CHS.
    Points const braced = {{0.0, RB::kPinned}, {2.0, RB::kBraced}, {4.0, RB::kBraced}, {6.0, RB::kPinned}};
    Spans const three = {{0, 1}, {1, 2}, {2, 3}};
    EXPECT_EQ(Walk(Probe(&r, braced, L"CHS D=168.3 t=6.4"), &Probe::FindNextLTSpan), (Spans{{0, 3}}));
    EXPECT_EQ(Walk(Probe(&r, braced, L"RHS D=200 B=200 t=10"), &Probe::FindNextLTSpan), (Spans{{0, 3}}));
    EXPECT_EQ(Walk(Probe(&r, braced, L"RHS D=200 B=100 t=10"), &Probe::FindNextLTSpan), three);
    EXPECT_EQ(Walk(Probe(&r, braced), &Probe::FindNextLTSpan), three);
    EXPECT_EQ(Walk(Probe(&r, braced, L"CHS D=168.3 t=6.4"), &Probe::FindNextYYSpan), three);
}

TEST(SpanWalkFinders, MembersWithoutASpanGiveNone) {
    CMemberResult r;
    Probe const one(&r, {{0.0, RB::kPinned}});
    Probe const none(&r, {});
    for (Finder find : kFinders) {
        EXPECT_EQ(Walk(one, find), Spans{});
        EXPECT_EQ(Walk(none, find), Spans{});
    }
    // Without a calculator the walk still stops at the brace.
    Probe const noSection(&r, {{0.0, RB::kPinned}, {3.0, RB::kBraced}, {6.0, RB::kPinned}}, L"");
    EXPECT_EQ(Walk(noSection, &Probe::FindNextLTSpan), (Spans{{0, 1}, {1, 2}}));
}

// ---------------------------------------------------------------- effective lengths

TEST(SpanWalkLengths, OverrideAndFlexuralLengths) {
    // Override: negative values are multiples of the 6 m member, on any span,
    // unreported: Lyy -0.5 -> 3 m, Lzz 2.5 m as given, Llt -1 -> 6 m.
    CMemberResult r;
    Probe o(&r, {{0.0, RB::kPinned}, {2.0, RB::kBraced}, {6.0, RB::kPinned}});
    o.SetLengthOverride(true);
    o.SetLyy(-0.5);
    o.SetLzz(2.5);
    o.SetLlt(-1.0);
    EXPECT_REL(o.EffectiveLengthXX(o.Span(0, 2), true), 3.0);
    EXPECT_REL(o.EffectiveLengthYY(o.Span(0, 2), true), 2.5);
    EXPECT_REL(o.EffectiveLengthLT(o.Span(0, 2), 0.3, false), 6.0);
    EXPECT_REL(o.EffectiveLengthXX(o.Span(0, 1), true), 3.0);
    EXPECT_EQ(r.GetMarkup(), L"");

    // Fixed (both axes) and pinned over 4 m: Annex F 0.8 x 4 = 3.2 m, written
    // only when asked.
    int const fixedBoth = RB::kMajorTranslation | RB::kMajorRotation | RB::kMinorTranslation | RB::kMinorRotation;
    Probe const m(&r, {{0.0, fixedBoth}, {4.0, RB::kPinned}});
    for (bool report : {false, true}) {
        EXPECT_REL(m.EffectiveLengthXX(m.Span(0, 1), report), 3.2);
        EXPECT_REL(m.EffectiveLengthYY(m.Span(0, 1), report), 3.2);
    }
    EXPECT_EQ(r.GetMarkup(), L"<i>CSA S16 - 09 Annex F: </i> 0.800L\n<i>CSA S16 - 09 Annex F: </i> 0.800L\n");

    // Both ends free in both planes: infinite, marked only when reported.
    CMemberResult u;
    Probe const free(&u, {{0.0, RB::kTorsional}, {4.0, RB::kTorsional}});
    EXPECT_EQ(free.EffectiveLengthXX(free.Span(0, 1), false), kInf);
    EXPECT_EQ(free.EffectiveLengthYY(free.Span(0, 1), false), kInf);
    EXPECT_EQ(u.Flags(), 0u);
    EXPECT_EQ(free.EffectiveLengthXX(free.Span(0, 1), true), kInf);
    EXPECT_EQ(u.Flags(), 512u);
    EXPECT_EQ(free.EffectiveLengthYY(free.Span(0, 1), true), kInf);
    EXPECT_EQ(u.Flags(), 512u | 1024u);
    EXPECT_EQ(u.Entry(0).Util(UtilKind::BucklingAxialMajor), kInf);
    EXPECT_EQ(u.Entry(0).Util(UtilKind::BucklingAxialMinor), kInf);
}

TEST(SpanWalkLengths, ContinuousRestraintRemovesFlexuralBuckling) {
    // Free ends; sub-span 0 held continuously in the web plane, sub-span 1
    // also laterally.
    CMemberResult r;
    Probe m(&r, {{0.0, 0}, {3.0, 0}, {6.0, 0}});
    m.EditSubSpan(0, [](CSubSpan& s) { s.SetContinuousRestraint(CRestraint(RB::kMajorTranslation)); });
    m.EditSubSpan(1, [](CSubSpan& s) {
        s.SetContinuousRestraint(CRestraint(RB::kMajorTranslation | RB::kMinorTranslation));
    });
    EXPECT_EQ(m.EffectiveLengthXX(m.Span(0, 2), true), 0.0);
    EXPECT_EQ(m.EffectiveLengthYY(m.Span(1, 2), true), 0.0);
    EXPECT_EQ(m.EffectiveLengthYY(m.Span(0, 2), false), kInf);
    EXPECT_EQ(r.GetMarkup(), L"");
    EXPECT_EQ(r.Flags(), 0u);
}

// Segments (not cantilevers): the span length, times 1.2 (both ends
// torsionally restrained) or 1.4 (otherwise) under destabilizing load;
// infinite when an end holds no lateral-torsional restraint. Cantilevers
// (an end free at the member's end) read Table 2.
TEST(SpanWalkLengths, LateralTorsionalLengths) {
    int const held = RB::kMajorTranslation | RB::kMinorTranslation;
    int const tor = held | RB::kTorsional, top = held | RB::kTopFlangeLateral;
    struct Case {
        Points points;
        bool destabilizing;
        double length;  // m
    } const cases[] = {
        {{{0.0, tor}, {5.0, tor}}, true, 6.0},           // 1.2 x 5
        {{{0.0, tor}, {5.0, top}}, true, 7.0},           // 1.4 x 5
        {{{0.0, top}, {5.0, tor}}, true, 7.0},
        {{{0.0, tor}, {5.0, top}}, false, 5.0},          // not Table 1's (1.0 + 1.2)/2
        {{{0.0, RB::kFixed}, {5.0, RB::kFixed}}, false, 5.0},  // not Table 1's 0.7
        {{{0.0, tor}, {5.0, held}}, false, kInf},
        {{{0.0, tor}, {5.0, held}}, true, kInf},
        {{{0.0, RB::kFixed}, {3.0, 0}}, false, 2.4},     // Table 2 a1: 0.8 x 3
        {{{0.0, RB::kFixed}, {3.0, 0}}, true, 4.2},      // 1.4 x 3
        {{{0.0, 0}, {3.0, RB::kFixed}}, false, 2.4},
        {{{0.0, 0}, {3.0, RB::kFixed}}, true, 4.2},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.points[0].second << " " << c.points[1].second << " "
                                        << c.destabilizing);
        CMemberResult r;
        Probe m(&r, c.points);
        m.EditSubSpan(0, [&c](CSubSpan& s) { s.SetDestabilized(c.destabilizing); });
        double const Le = m.EffectiveLengthLT(m.Span(0, 1), 0.3, false);
        if (std::isinf(c.length)) {
            EXPECT_EQ(Le, kInf);
        } else {
            EXPECT_REL(Le, c.length);
        }
        EXPECT_EQ(r.GetMarkup(), L"");
        EXPECT_EQ(r.Flags(), 0u);
    }
    // A destabilizing load at an interior point counts: 1.2 x 6 = 7.2 m.
    CMemberResult r;
    Probe d(&r, {{0.0, RB::kPinned}, {3.0, 0}, {6.0, RB::kPinned}});
    auto pts = d.GetMemberPointVec();
    pts[1].SetRestraint(CRestraint(0, Corvid::Data::LoadDestabilizing, 0.15));
    d.SetMemberPointVec(pts);
    EXPECT_REL(d.EffectiveLengthLT(d.Span(0, 2), 0.3, false), 7.2);
    // A free end inside the member is no cantilever: the span, 3 m and 2 m.
    Probe const f(&r, {{0.0, RB::kFixed}, {2.0, RB::kBraced}, {5.0, RB::kFixed}});
    EXPECT_REL(f.EffectiveLengthLT(f.Span(1, 2), 0.3, false), 3.0);
    EXPECT_REL(f.EffectiveLengthLT(f.Span(0, 1), 0.3, false), 2.0);
    // Strut: the span, 2.5 m.
    Probe const s(&r, {{0.0, 0}, {1.0, 0}, {3.5, 0}});
    EXPECT_REL(s.EffectiveStrutLengthLT(s.Span(1, 2), true), 2.5);
}

TEST(SpanWalkLengths, ReportedLinesAndMarks) {
    // Cantilever: the sense line, then the Table 2 line.
    CMemberResult c;
    Probe const cant(&c, {{0.0, RB::kFixed}, {3.0, 0}});
    EXPECT_REL(cant.EffectiveLengthLT(cant.Span(0, 1), 0.3, true), 2.4);
    EXPECT_EQ(c.GetMarkup(),
              L"top flange(1) is bending compressive\n"
              L"<i>CSA S16 - 09 Table 2</i> condition: a1 0.800*L\n");

    // Segment: the sense line by the end moments (N.m), then Table 1.
    int const simple = RB::kMajorTranslation | RB::kMinorTranslation | RB::kTorsional | RB::kTopFlangeLateral;
    struct Case {
        double mLeft, mRight;
        wchar_t const* senseLine;
    } const cases[] = {
        {-50e3, -20e3, L"top flange(1) is bending compressive\n"},
        {50e3, 20e3, L"bottom flange(2) is bending compressive\n"},
        {-50e3, 40e3, L"moment reversal in this span\n"},
    };
    for (auto const& k : cases) {
        CMemberResult r;
        Probe m(&r, {{0.0, simple}, {4.0, simple}});
        m.EditSubSpan(0, [&k](CSubSpan& s) { s.SetMoments({0, k.mLeft, 0}, {0, k.mRight, 0}); });
        EXPECT_REL(m.EffectiveLengthLT(m.Span(0, 1), 0.3, true), 4.0);
        EXPECT_EQ(r.GetMarkup(), CString(k.senseLine) + L"<i>CSA S16 - 09 Table 1</i> condition: 1.0L(normal)\n");
    }
    // An end held in the web plane only: infinite; marked only when reported.
    CMemberResult r;
    Probe const m(&r, {{0.0, simple}, {4.0, RB::kMajorTranslation}});
    EXPECT_EQ(m.EffectiveLengthLT(m.Span(0, 1), 0.3, false), kInf);
    EXPECT_EQ(r.GetMarkup(), L"");
    EXPECT_EQ(r.Flags(), 0u);
    EXPECT_EQ(m.EffectiveLengthLT(m.Span(0, 1), 0.3, true), kInf);
    EXPECT_EQ(r.GetMarkup(), L"top flange(1) is bending compressive\n"
                             L"<i>CSA S16 - 09 Table 1</i> condition: 1.0L(normal)\n"
                             L"<i>CSA S16 - 09 Table 1</i> condition: ?\n");
    EXPECT_EQ(r.Flags(), 256u);
    EXPECT_EQ(r.Entry(0).Util(UtilKind::BucklingLT), kInf);
}

// ---------------------------------------------------------------- summary

TEST(SpanWalkSummary, FourPointBeamWithMixedRestraints) {
    // 0 pinned; 2 braced (ends minor-axis and LT spans); 3.5 major translation
    // (ends major-axis spans); 6 pinned. Sub-span 0 held continuously
    // laterally and at the compression flange; sub-span 2 destabilized.
    CMemberResult r;
    Probe m(&r, {{0.0, RB::kPinned}, {2.0, RB::kBraced}, {3.5, RB::kMajorTranslation}, {6.0, RB::kPinned}});
    m.EditSubSpan(0, [](CSubSpan& s) {
        s.SetContinuousRestraint(CRestraint(RB::kMinorTranslation | RB::kCompFlangeLateral));
    });
    m.EditSubSpan(2, [](CSubSpan& s) { s.SetDestabilized(true); });
    EXPECT_TRUE(m.InteractionRecords().empty());

    auto const data = m.GetMemberEffectiveLengthData();
    ASSERT_TRUE(data.has_value());
    double const rx = std::sqrt(kIxx / kArea), ry = std::sqrt(kIyy / kArea);
    struct Row {
        SubspanEffectiveLengthData::Map const* map;
        int n, left, right;
        double posL, posR, length, radius;
    } const rows[] = {
        {&data->majorAxis, 1, 0, 2, 0.0, 3.5, 3.5, rx},  // Annex F 1.0 L
        {&data->majorAxis, 2, 2, 3, 3.5, 6.0, 2.5, rx},
        {&data->minorAxis, 1, 0, 1, 0.0, 2.0, 0.0, ry},  // held continuously
        {&data->minorAxis, 2, 1, 3, 2.0, 6.0, 4.0, ry},
        {&data->lateralTorsional, 1, 0, 1, 0.0, 2.0, 0.0, rx},
        {&data->lateralTorsional, 2, 1, 3, 2.0, 6.0, 4.8, rx},  // 1.2 x 4, point 2 passed over
    };
    EXPECT_EQ(data->majorAxis.size(), 2u);
    EXPECT_EQ(data->minorAxis.size(), 2u);
    EXPECT_EQ(data->lateralTorsional.size(), 2u);
    for (auto const& w : rows) {
        SCOPED_TRACE(testing::Message() << "span " << w.n << " length " << w.length);
        auto const it = w.map->find(w.n);
        ASSERT_NE(it, w.map->end());
        auto const& e = it->second;
        EXPECT_EQ(e.left, w.left);
        EXPECT_EQ(e.right, w.right);
        EXPECT_REL(e.posLeft, w.posL);
        EXPECT_REL(e.posRight, w.posR);
        EXPECT_REL(e.length, w.length);
        EXPECT_REL(e.radius, w.radius);
    }
    // One default interaction record per sub-span, nothing written.
    EXPECT_EQ(m.InteractionRecords().size(), 3u);
    EXPECT_EQ(r.GetMarkup(), L"");
    EXPECT_EQ(r.Flags(), 0u);
}

TEST(SpanWalkSummary, ContinuousTorsionalRestraintOverrideAndInfiniteSegment) {
    // Held continuously against twist: LT length 0.
    CMemberResult r;
    Probe m(&r, {{0.0, RB::kPinned}, {4.0, RB::kPinned}});
    m.EditSubSpan(0, [](CSubSpan& s) { s.SetContinuousRestraint(CRestraint(RB::kTorsional)); });
    auto data = m.GetMemberEffectiveLengthData();
    ASSERT_TRUE(data.has_value());
    ASSERT_EQ(data->lateralTorsional.size(), 1u);
    EXPECT_EQ(data->lateralTorsional.at(1).length, 0.0);
    // Override wins: Llt -0.75 x 4 = 3 m, Lyy 2 m, Lzz -0.25 x 4 = 1 m.
    m.SetLengthOverride(true);
    m.SetLyy(2.0);
    m.SetLzz(-0.25);
    m.SetLlt(-0.75);
    data = m.GetMemberEffectiveLengthData();
    ASSERT_TRUE(data.has_value());
    EXPECT_REL(data->lateralTorsional.at(1).length, 3.0);
    EXPECT_REL(data->majorAxis.at(1).length, 2.0);
    EXPECT_REL(data->minorAxis.at(1).length, 1.0);

    // No lateral-torsional restraint anywhere: one infinite segment, no mark.
    CMemberResult q;
    int const held = RB::kMajorTranslation | RB::kMinorTranslation;
    Probe const n(&q, {{0.0, held}, {2.0, held}, {6.0, held}});
    auto const lt = n.GetSubspanEffectiveLengthDataLT();
    ASSERT_EQ(lt.size(), 1u);
    EXPECT_EQ(lt.at(1).left, 0);
    EXPECT_EQ(lt.at(1).right, 2);
    EXPECT_EQ(lt.at(1).length, kInf);
    EXPECT_EQ(q.Flags(), 0u);
}

TEST(SpanWalkSummary, InvalidMemberGivesNothing) {
    // No result object, one point, no calculator, sub-spans that do not join.
    CMemberResult r;
    Points const two = {{0.0, RB::kPinned}, {6.0, RB::kPinned}};
    EXPECT_FALSE(Probe(nullptr, two).GetMemberEffectiveLengthData().has_value());
    EXPECT_FALSE(Probe(&r, {{0.0, RB::kPinned}}).GetMemberEffectiveLengthData().has_value());
    EXPECT_FALSE(Probe(&r, two, L"").GetMemberEffectiveLengthData().has_value());
    Probe badSubs(&r, {{0.0, RB::kPinned}, {3.0, RB::kPinned}, {6.0, RB::kPinned}});
    badSubs.SetSubSpanVec({CSubSpan(0, 0, 2)});
    EXPECT_FALSE(badSubs.GetMemberEffectiveLengthData().has_value());
}
