// Restraints, spans, span walking and effective lengths: the spans between restraints for each buckling mode, their
// effective lengths (override, Annex F, Tables 1 and 2, destabilizing loads of cl. 13.6) and the summary. Section
// I D=300 B=200 T=10 Tw=10 (no fillets): A = 2(200)(10) + 280(10) = 6 800 mm2, Ixx = (200(300)^3 - 190(280)^3)/12,
// Iyy = 2(10)(200)^3/12 + 280(10)^3/12. Actions are zero unless stated: the top flange is the compression flange.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "Tolerance.h"
#include "framework/DesFormat.h"
#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/ResultFlags.h"
#include "framework/Section.h"
#include "framework/Span.h"
#include "framework/SteelGrade.h"
#include "member/CSA_S16_09_Member.h"

using namespace Corvid::Steel;
using Corvid::CString;
using namespace Corvid::Data;
namespace RB = Corvid::Data::RestraintBits;
namespace RF = Corvid::Steel::ResultFlags;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
wchar_t const* const kISection = L"I D=300 B=200 T=10 Tw=10";
double const kArea = 6800e-6;
double const kIxx = (200.0 * 300 * 300 * 300 - 190.0 * 280 * 280 * 280) / 12 * 1e-12;
double const kIyy = (2 * 10.0 * 200 * 200 * 200 / 12 + 280.0 * 10 * 10 * 10 / 12) * 1e-12;
using Points = std::vector<std::pair<double, int>>;
using LengthReport = Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member::LengthReport;

// Reaches the member's protected span operations.
struct Probe : Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member {
    using M = CSA_S16_09_Member;
    using M::EffectiveLengthLT, M::EffectiveLengthXX, M::EffectiveLengthYY, M::EffectiveStrutLengthLT, M::MemberSpan;
    using M::FindNextLTSpan, M::FindNextUUStrutSpan, M::FindNextXXSpan, M::FindNextXXStrutSpan, M::FindNextYYSpan;
    using M::FindNextYYStrutSpan, M::GetSubspanEffectiveLengthDataLT;

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
    void Override(double Lyy, double Lzz, double Llt) { SetLengthOverride(true); SetLyy(Lyy); SetLzz(Lzz); SetLlt(Llt); }
    template <class Edit> void EditSubSpan(int k, Edit edit) {
        auto subs = GetSubSpanVec();
        edit(subs[static_cast<std::size_t>(k)]);
        SetSubSpanVec(subs);
    }
    CSpan Span(int left, int right) const { return CSpan(PointsPtr(), SubSpansPtr(), left, right); }
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

TEST(SpanWalkFinders, EachModeEndsItsSpansAtItsOwnRestraintsAndNoneWithoutASpan) {
    CMemberResult r;
    Probe const two(&r, {{0.0, RB::kPinned}, {6.0, RB::kPinned}});
    for (Finder find : kFinders) EXPECT_EQ(Walk(two, find), (Spans{{0, 1}}));
    // Interior points held by one bit each: 1 major rotation (major-axis spans), 2 minor rotation (minor-axis), 3 major
    // translation (major-axis and U-U strut), 4 minor translation (minor-axis and U-U strut). The X-X and Y-Y strut
    // finders forward to these.
    Probe const m(&r, {{0.0, RB::kPinned}, {1.0, RB::kMajorRotation}, {2.0, RB::kMinorRotation},
                       {3.0, RB::kMajorTranslation}, {4.0, RB::kMinorTranslation}, {5.0, RB::kPinned}});
    EXPECT_EQ(Walk(m, &Probe::FindNextXXSpan), (Spans{{0, 1}, {1, 3}, {3, 5}}));
    EXPECT_EQ(Walk(m, &Probe::FindNextYYSpan), (Spans{{0, 2}, {2, 4}, {4, 5}}));
    EXPECT_EQ(Walk(m, &Probe::FindNextUUStrutSpan), (Spans{{0, 3}, {3, 4}, {4, 5}}));
    // Override: one span over the whole member.
    Probe o(&r, {{0.0, RB::kPinned}, {2.0, RB::kFixed}, {4.0, RB::kBraced}, {6.0, RB::kPinned}});
    o.SetLengthOverride(true);
    for (Finder find : {&Probe::FindNextXXSpan, &Probe::FindNextYYSpan, &Probe::FindNextLTSpan, &Probe::FindNextUUStrutSpan})
        EXPECT_EQ(Walk(o, find), (Spans{{0, 3}}));
    // Members without a span give none.
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

TEST(SpanWalkFinders, LateralTorsionalSegmentsEndWhereTable1HoldsThem) {
    // 1 braced: an end; 2 held in the web plane only: passed over; 3 top
    // (compression) flange lateral: an end. The walk writes nothing.
    CMemberResult r;
    Probe const m(&r, {{0.0, RB::kPinned}, {1.5, RB::kBraced}, {3.0, RB::kMajorTranslation}, {4.5, RB::kTopFlangeLateral},
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

TEST(SpanWalkLengths, OverrideAndFlexuralLengths) {
    // Override: negative values are multiples of the 6 m member, on any span,
    // unreported: Lyy -0.5 -> 3 m, Lzz 2.5 m as given, Llt -1 -> 6 m.
    CMemberResult r;
    Probe o(&r, {{0.0, RB::kPinned}, {2.0, RB::kBraced}, {6.0, RB::kPinned}});
    o.Override(-0.5, 2.5, -1.0);
    EXPECT_REL(o.EffectiveLengthXX(o.Span(0, 2), LengthReport::Written), 3.0);
    EXPECT_REL(o.EffectiveLengthYY(o.Span(0, 2), LengthReport::Written), 2.5);
    EXPECT_REL(o.EffectiveLengthLT(o.Span(0, 2), 0.3, LengthReport::Silent), 6.0);
    EXPECT_REL(o.EffectiveLengthXX(o.Span(0, 1), LengthReport::Written), 3.0);
    EXPECT_EQ(r.GetMarkup(), L"");
    // Finite Annex F lengths: TablesAnnexF, unreported in SpanWalkSummary, reported in the goldens check_*.
    // Both ends free in both planes: infinite, marked (flags 512, 1024) only when reported.
    CMemberResult u;
    Probe const free(&u, {{0.0, RB::kTorsional}, {4.0, RB::kTorsional}});
    EXPECT_EQ(free.EffectiveLengthXX(free.Span(0, 1), LengthReport::Silent), kInf);
    EXPECT_EQ(free.EffectiveLengthYY(free.Span(0, 1), LengthReport::Silent), kInf);
    EXPECT_EQ(u.Flags(), 0u);
    EXPECT_EQ(free.EffectiveLengthXX(free.Span(0, 1), LengthReport::Written), kInf);
    EXPECT_EQ(u.Flags(), RF::kMajorAxisBuckling);
    EXPECT_EQ(free.EffectiveLengthYY(free.Span(0, 1), LengthReport::Written), kInf);
    EXPECT_EQ(u.Flags(), RF::kMajorAxisBuckling | RF::kMinorAxisBuckling);
    EXPECT_EQ(u.Entry(0).Util(UtilKind::BucklingAxialMajor), kInf);
    EXPECT_EQ(u.Entry(0).Util(UtilKind::BucklingAxialMinor), kInf);
    // Free ends; sub-span 0 held continuously in the web plane, sub-span 1 also laterally.
    CMemberResult c;
    Probe h(&c, {{0.0, 0}, {3.0, 0}, {6.0, 0}});
    h.EditSubSpan(0, [](CSubSpan& s) { s.SetContinuousRestraint(CRestraint(RB::kMajorTranslation)); });
    h.EditSubSpan(1, [](CSubSpan& s) { s.SetContinuousRestraint(CRestraint(RB::kMajorTranslation | RB::kMinorTranslation)); });
    EXPECT_EQ(h.EffectiveLengthXX(h.Span(0, 2), LengthReport::Written), 0.0);
    EXPECT_EQ(h.EffectiveLengthYY(h.Span(1, 2), LengthReport::Written), 0.0);
    EXPECT_EQ(h.EffectiveLengthYY(h.Span(0, 2), LengthReport::Silent), kInf);
    EXPECT_EQ(c.GetMarkup(), L"");
    EXPECT_EQ(c.Flags(), 0u);
}

// Segments: the span length, times 1.2 (both ends torsionally restrained) or 1.4 (otherwise) under destabilizing load;
// infinite when an end holds no lateral-torsional restraint. Cantilevers (free at the member's end): Table 2.
TEST(SpanWalkLengths, LateralTorsionalLengths) {
    int const held = RB::kMajorTranslation | RB::kMinorTranslation;
    int const tor = held | RB::kTorsional, top = held | RB::kTopFlangeLateral;
    struct { Points points; bool destabilizing; double length; } const cases[] = {  // length in m
        {{{0.0, tor}, {5.0, tor}}, true, 6.0},           // 1.2 x 5
        {{{0.0, tor}, {5.0, top}}, true, 7.0},           // 1.4 x 5
        {{{0.0, top}, {5.0, tor}}, true, 7.0},
        {{{0.0, tor}, {5.0, top}}, false, 5.0},          // not Table 1's (1.0 + 1.2)/2
        {{{0.0, RB::kFixed}, {5.0, RB::kFixed}}, false, 5.0},  // not Table 1's 0.7
        {{{0.0, tor}, {5.0, held}}, false, kInf},
        {{{0.0, tor}, {5.0, held}}, true, kInf},
        {{{0.0, RB::kFixed}, {3.0, 0}}, true, 4.2},      // Table 2: 1.4 x 3 (0.8 x 3 = 2.4 below, reported)
        {{{0.0, 0}, {3.0, RB::kFixed}}, false, 2.4},
        {{{0.0, 0}, {3.0, RB::kFixed}}, true, 4.2},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.points[0].second << " " << c.points[1].second << " " << c.destabilizing);
        CMemberResult r;
        Probe m(&r, c.points);
        m.EditSubSpan(0, [&c](CSubSpan& s) { s.SetDestabilized(c.destabilizing); });
        EXPECT_REL(m.EffectiveLengthLT(m.Span(0, 1), 0.3, LengthReport::Silent), c.length);  // Near: an infinity only equals itself
        EXPECT_EQ(r.GetMarkup(), L"");
        EXPECT_EQ(r.Flags(), 0u);
    }
    // A destabilizing load at an interior point counts: 1.2 x 6 = 7.2 m.
    CMemberResult r;
    Probe d(&r, {{0.0, RB::kPinned}, {3.0, 0}, {6.0, RB::kPinned}});
    auto pts = d.GetMemberPointVec();
    pts[1].SetRestraint(CRestraint(0, LoadDestabilizing, 0.15));
    d.SetMemberPointVec(pts);
    EXPECT_REL(d.EffectiveLengthLT(d.Span(0, 2), 0.3, LengthReport::Silent), 7.2);
    // A free end inside the member is no cantilever: the span, 3 m and 2 m.
    Probe const f(&r, {{0.0, RB::kFixed}, {2.0, RB::kBraced}, {5.0, RB::kFixed}});
    EXPECT_REL(f.EffectiveLengthLT(f.Span(1, 2), 0.3, LengthReport::Silent), 3.0);
    EXPECT_REL(f.EffectiveLengthLT(f.Span(0, 1), 0.3, LengthReport::Silent), 2.0);
    // Strut: the span, 2.5 m.
    Probe const s(&r, {{0.0, 0}, {1.0, 0}, {3.5, 0}});
    EXPECT_REL(s.EffectiveStrutLengthLT(s.Span(1, 2), LengthReport::Written), 2.5);
}

TEST(SpanWalkLengths, ReportedSenseAndTableLines) {
    // A cantilever writes the same sense line, then its Table 2 line (TablesLateralTorsionalCantileverLength; length: LateralTorsionalLengths).
    // Segment: the sense line by the end moments (N.m; a reversal needs both signs beyond max(1 N.m, 1 % of the largest)),
    // then Table 1.
    int const simple = RB::kMajorTranslation | RB::kMinorTranslation | RB::kTorsional | RB::kTopFlangeLateral;
    struct { double mLeft, mRight; wchar_t const* senseLine; } const cases[] = {
        {-50e3, -20e3, L"top flange(1) is bending compressive\n"},
        {50e3, 20e3, L"bottom flange(2) is bending compressive\n"},
        {-50e3, 40e3, L"moment reversal in this span\n"},
        {400, -50e3, L"top flange(1) is bending compressive\n"},  // 400 < 0.01 x 50e3 = 500: no reversal
        {0, 0, L"top flange(1) is bending compressive\n"},        // 0 < 1 N.m
    };
    for (auto const& k : cases) {
        CMemberResult r;
        Probe m(&r, {{0.0, simple}, {4.0, simple}});
        m.EditSubSpan(0, [&k](CSubSpan& s) { s.SetMoments({0, k.mLeft, 0}, {0, k.mRight, 0}); });
        EXPECT_REL(m.EffectiveLengthLT(m.Span(0, 1), 0.3, LengthReport::Written), 4.0);
        EXPECT_EQ(r.GetMarkup(), CString(k.senseLine) + L"<i>CSA S16 - 09 Table 1</i> condition: 1.0L(normal)\n");
    }
}

TEST(SpanWalkSummary, FourPointBeamWithMixedRestraints) {
    // 0 pinned; 2 braced (ends minor-axis and LT spans); 3.5 major translation (ends major-axis spans); 6 pinned.
    // Sub-span 0 held continuously laterally and at the compression flange; sub-span 2 destabilized.
    CMemberResult r;
    Probe m(&r, {{0.0, RB::kPinned}, {2.0, RB::kBraced}, {3.5, RB::kMajorTranslation}, {6.0, RB::kPinned}});
    m.EditSubSpan(0, [](CSubSpan& s) { s.SetContinuousRestraint(CRestraint(RB::kMinorTranslation | RB::kCompFlangeLateral)); });
    m.EditSubSpan(2, [](CSubSpan& s) { s.SetDestabilized(true); });
    EXPECT_TRUE(m.InteractionRecords().empty());
    auto const data = m.GetMemberEffectiveLengthData();
    ASSERT_TRUE(data.has_value());
    double const rx = std::sqrt(kIxx / kArea), ry = std::sqrt(kIyy / kArea);
    struct { SubspanEffectiveLengthData::Map const* map; int n, left, right; double posL, posR, length, radius; }
    const rows[] = {
        {&data->majorAxis, 1, 0, 2, 0.0, 3.5, 3.5, rx},  // Annex F 1.0 L
        {&data->majorAxis, 2, 2, 3, 3.5, 6.0, 2.5, rx},
        {&data->minorAxis, 1, 0, 1, 0.0, 2.0, 0.0, ry},  // held continuously
        {&data->minorAxis, 2, 1, 3, 2.0, 6.0, 4.0, ry},
        {&data->lateralTorsional, 1, 0, 1, 0.0, 2.0, 0.0, rx},
        {&data->lateralTorsional, 2, 1, 3, 2.0, 6.0, 4.8, rx},  // 1.2 x 4, point 2 passed over
    };
    for (auto const& w : rows) {
        SCOPED_TRACE(testing::Message() << "span " << w.n << " length " << w.length);
        ASSERT_EQ(w.map->size(), 2u);
        auto const& e = w.map->at(w.n);
        EXPECT_EQ(std::make_pair(e.left, e.right), std::make_pair(w.left, w.right));
        EXPECT_REL(e.posLeft, w.posL);
        EXPECT_REL(e.posRight, w.posR);
        EXPECT_REL(e.length, w.length);
        EXPECT_REL(e.radius, w.radius);
    }
    // One default interaction record per sub-span, nothing written.
    EXPECT_EQ(m.InteractionRecords().size(), 3u);
    EXPECT_EQ(r.GetMarkup(), L"");
    EXPECT_EQ(r.Flags(), 0u);
    // Held continuously against twist: LT length 0; the override wins there: Llt -0.75 x 4 = 3 m (Lyy and Lzz:
    // OverrideAndFlexuralLengths).
    Probe t(&r, {{0.0, RB::kPinned}, {4.0, RB::kPinned}});
    t.EditSubSpan(0, [](CSubSpan& s) { s.SetContinuousRestraint(CRestraint(RB::kTorsional)); });
    auto const o = t.GetMemberEffectiveLengthData();
    ASSERT_TRUE(o.has_value());
    ASSERT_EQ(o->lateralTorsional.size(), 1u);
    EXPECT_EQ(o->lateralTorsional.at(1).length, 0.0);
    t.Override(2.0, -0.25, -0.75);
    EXPECT_REL(t.GetMemberEffectiveLengthData()->lateralTorsional.at(1).length, 3.0);
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
    // No result object, one point, no calculator, sub-spans that do not join: nothing.
    Points const two = {{0.0, RB::kPinned}, {6.0, RB::kPinned}};
    EXPECT_FALSE(Probe(nullptr, two).GetMemberEffectiveLengthData().has_value());
    EXPECT_FALSE(Probe(&r, {{0.0, RB::kPinned}}).GetMemberEffectiveLengthData().has_value());
    EXPECT_FALSE(Probe(&r, two, L"").GetMemberEffectiveLengthData().has_value());
    Probe badSubs(&r, {{0.0, RB::kPinned}, {3.0, RB::kPinned}, {6.0, RB::kPinned}});
    badSubs.SetSubSpanVec({CSubSpan(0, 0, 2)});
    EXPECT_FALSE(badSubs.GetMemberEffectiveLengthData().has_value());
}

TEST(Restraint, SeveralBitsAreTestedTogether) {
    CRestraint const r(RB::kMajorTranslation | RB::kMajorRotation);
    EXPECT_TRUE(r.IsRestrained(0x210000, true));  // fixed end for major-axis buckling
    EXPECT_FALSE(r.IsRestrained(0x210000 | RB::kMinorTranslation, true));
    EXPECT_TRUE(r.IsRestrained(RB::kMajorTranslation | RB::kMinorTranslation, false));  // any one
    EXPECT_TRUE(r.IsFree(RB::kMinorTranslation | RB::kMinorRotation, true));
    EXPECT_FALSE(r.IsFree(RB::kMinorTranslation | RB::kMajorRotation, true));
    EXPECT_TRUE(r.IsFree(RB::kMinorTranslation | RB::kMajorRotation, false));  // at least one free
    // Bit 31 is tested like any other bit.
    EXPECT_TRUE(CRestraint(static_cast<int>(0x80000000u)).IsRestrained(static_cast<int>(0x80000000u)));
    // The shorthands and the text.
    CRestraint const pinned(RB::kPinned);
    EXPECT_TRUE(pinned.IsRestrained(RB::kMajorTranslation | RB::kMinorTranslation | RB::kTorsional));
    EXPECT_TRUE(pinned.IsFree(RB::kMajorRotation | RB::kMinorRotation));
    CRestraint const fixed(RB::kFixed);
    EXPECT_TRUE(fixed.IsRestrained(0x210000) && fixed.IsRestrained(0x140000));
    EXPECT_EQ(CRestraint().GetString(), L"free");
    EXPECT_EQ(CRestraint(RB::kTorsional, LoadDestabilizing, 0.15).GetString(), L"torsional (destabilizing load)");
}

// The senses set by the tables: TablesSense (test_tables.cpp). Unset, the compression flange is not known to be held.
TEST(Restraint, CompressionFlangeBitsWithoutASense) {
    CRestraint r(RB::kTopFlangeLateral | RB::kTopFlangeRotationOnPlan);
    Corvid::Vec3<double> f, m;
    bool set = true;
    r.GetForcesAndMoments(f, m, set);
    EXPECT_FALSE(set);
    EXPECT_FALSE(r.IsRestrained(RB::kCompFlangeLateral));
}

namespace {
// Points at 0, 2 and 6 m; sub-span 0: uniform 100 kN.m, axial -50 kN; sub-span 1: 100 to -60 kN.m, axial +20 kN.
struct ThreePointMember {
    std::shared_ptr<CMemberPointVec> points = std::make_shared<CMemberPointVec>();
    std::shared_ptr<CSubSpanVec> subs = std::make_shared<CSubSpanVec>();
    ThreePointMember() {
        points->emplace_back(0.0, CRestraint(RB::kPinned));
        points->emplace_back(2.0, CRestraint(RB::kBraced));
        points->emplace_back(6.0, CRestraint(RB::kPinned));
        subs->assign({CSubSpan(0, 0, 1), CSubSpan(1, 1, 2)});
        (*subs)[0].SetForces({-50e3, 0, 0}, {-50e3, 0, 0});
        (*subs)[0].SetMoments({0, 100e3, 0}, {0, 100e3, 0});
        (*subs)[0].SetContinuousRestraint(CRestraint(RB::kTopFlangeLateral | RB::kTorsional));
        (*subs)[1].SetForces({20e3, -40e3, 0}, {20e3, -40e3, 0});
        (*subs)[1].SetMoments({0, 100e3, 0}, {0, -60e3, 0});
        (*subs)[1].SetContinuousRestraint(CRestraint(RB::kTopFlangeLateral));
    }
    CSpan Span(int l, int r) const { return CSpan(points, subs, l, r); }
};
}  // namespace

TEST(Span, IndicesPositionsAndRestraints) {
    ThreePointMember m;
    CSpan const whole = m.Span(0, 2);
    EXPECT_TRUE(whole.IsValid());
    EXPECT_EQ(whole.Length(), 6.0);
    EXPECT_EQ(whole.GetCSSIndexLeft(), 0);
    EXPECT_EQ(whole.GetCSSIndexRight(), 1);
    EXPECT_TRUE(whole.StartsAtMemberStart() && whole.EndsAtMemberEnd());
    EXPECT_EQ(whole.RestraintEndR().Bits(), RB::kPinned);
    // Only the top flange bit is held along both sub-spans.
    EXPECT_EQ(whole.ContinuousRestraint().Bits(), RB::kTopFlangeLateral);
    CSpan const second = m.Span(1, 2);
    EXPECT_EQ(second.GetCSSIndexLeft(), 1);
    EXPECT_EQ(second.PosLeft(), 2.0);
    EXPECT_EQ(second.GetString(Corvid::Util::CDesFormat()), L"2.000 m to 6.000 m");
    // Null and invalid spans answer safely.
    CSpan null;
    EXPECT_TRUE(null.IsNull());
    EXPECT_FALSE(null.IsValid());
    EXPECT_EQ(null.Length(), 0.0);
    EXPECT_EQ(null.GetCSSIndexLeft(), -1);
    EXPECT_FALSE(m.Span(2, 1).IsValid());
    EXPECT_FALSE(m.Span(0, 3).IsValid());
    EXPECT_NE(whole, second);
    EXPECT_EQ(whole, m.Span(0, 2));
}

TEST(Span, ExtremeActionsAndInterpolation) {
    ThreePointMember m;
    // The same sub-spans listed in reverse: a query must not take sub-span k
    // to join points k and k + 1 unless every one does.
    auto const reversed = std::make_shared<CSubSpanVec>(m.subs->rbegin(), m.subs->rend());
    for (CSpan const& whole : {m.Span(0, 2), CSpan(m.points, reversed, 0, 2)}) {
        // Largest axial +20 kN, smallest -50 kN; moments 100 and -60 kN.m.
        EXPECT_EQ(whole.MaxForces().GetForcesLeft().x, 20e3);
        EXPECT_EQ(whole.MaxComponent(false, 0), 20e3);
        EXPECT_EQ(whole.MinForces().GetForcesRight().x, -50e3);
        EXPECT_EQ(whole.MinComponent(false, 0), -50e3);
        EXPECT_EQ(whole.MaxForces().GetMomentsRight().y, 100e3);
        EXPECT_EQ(whole.MinForces().GetMomentsLeft().y, -60e3);
        EXPECT_EQ(whole.MinComponent(true, 1), -60e3);
        // Relative position 0.5 is x = 3 m, a quarter along sub-span 1: 100 + (-60 - 100) * (1/4) = 60 kN.m.
        EXPECT_REL(whole.InterpolateMoments(0.5).y, 60e3);
        EXPECT_REL(whole.InterpolateMoments(1.0).y, -60e3);
        EXPECT_REL(whole.InterpolateMoments(-3.0).y, 100e3);  // clamped to the left end
    }
    // The second sub-span alone (axial +20 kN), in either order.
    for (CSpan const& second : {m.Span(1, 2), CSpan(m.points, reversed, 1, 2)}) {
        EXPECT_EQ(second.MinComponent(false, 0), 20e3);
        EXPECT_EQ(second.GetCSSIndexLeft(), 1);
    }
}

TEST(Span, TransverseLoadAndDestabilizingLoad) {
    ThreePointMember m;
    // Shear jumps from 0 to -40 kN at x = 2 m (a point load there): loaded.
    EXPECT_TRUE(m.Span(0, 2).IsLoaded(false));
    EXPECT_FALSE(m.Span(0, 2).HasNoMajorAxisTransverseLoad());
    // Each sub-span alone has constant shear and linear moment.
    EXPECT_FALSE(m.Span(1, 2).IsLoaded(false));
    EXPECT_TRUE(m.Span(1, 2).HasNoMajorAxisTransverseLoad());
    EXPECT_FALSE(m.Span(0, 2).IsLoaded(true));
    // A host flag marks a load that the end actions do not show.
    (*m.subs)[1].SetTransverseLoad(false, true);
    EXPECT_TRUE(m.Span(1, 2).IsLoaded(true));
    // A destabilizing load at an interior point, not at the span's ends.
    EXPECT_FALSE(m.Span(0, 2).IsDestabilized());
    (*m.points)[1].SetRestraint(CRestraint(0, LoadDestabilizing, 0.2));
    EXPECT_TRUE(m.Span(0, 2).IsDestabilized());
    EXPECT_FALSE(m.Span(1, 2).IsDestabilized());
    (*m.subs)[1].SetDestabilized(true);
    EXPECT_TRUE(m.Span(1, 2).IsDestabilized());
}
