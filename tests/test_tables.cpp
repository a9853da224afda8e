// Effective-length tables: Annex F (flexural buckling, major and minor axes), Table 1 (lateral-torsional segments),
// Table 2 (cantilevers). Every expected length is the table factor, read by hand for the end conditions, times L.
#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <functional>
#include <limits>
#include <type_traits>
#include <vector>

#include "Tolerance.h"
#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/ResultFlags.h"
#include "framework/SteelMember.h"
#include "tables/CSA_S16_09_Table.h"

using namespace Corvid;
using namespace Corvid::Data;
using namespace Corvid::Steel;
using Corvid::Steel::SteelCSAS1609::CCSA_S16_09_Table;
namespace RB = Corvid::Data::RestraintBits;
namespace RF = Corvid::Steel::ResultFlags;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr auto kTop = CCodeShare::LT_TopFlange;        // sense 0
constexpr auto kBottom = CCodeShare::LT_BottomFlange;  // sense 1
constexpr auto kReversal = CCodeShare::LT_Reversal;    // sense 2

constexpr int kXXFixed = RB::kMajorTranslation | RB::kMajorRotation;
constexpr int kXXPinned = RB::kMajorTranslation;
constexpr int kXXRotation = RB::kMajorRotation;
constexpr int kYYFixed = RB::kMinorTranslation | RB::kMinorRotation;
constexpr int kYYPinned = RB::kMinorTranslation;
constexpr int kYYRotation = RB::kMinorRotation;
constexpr int kSimple = RB::kCompFlangeLateral | RB::kTorsional;  // Table 1: 1.0 L

CString const kAnnexF = L"<i>CSA S16 - 09 Annex F: </i> ";
CString const kTable1 = L"<i>CSA S16 - 09 Table 1</i> condition: ";
CString const kTable2 = L"<i>CSA S16 - 09 Table 2</i> condition: ";

// Runs a lookup with a result (text on or off) and with none: both must give `expected`. Returns the result.
using Lookup = std::function<double(CCSA_S16_09_Table const&)>;
CMemberResult RunTable(Lookup const& f, double expected, bool text = true) {
    CMemberResult r;
    r.EnableText(text);
    double const got = f(CCSA_S16_09_Table(&r));
    double const bare = f(CCSA_S16_09_Table());
    for (double v : {got, bare}) EXPECT_REL(v, expected);  // an infinite length must be exactly infinite
    return r;
}

// An infinite length sets `flag` and an infinite utilisation; with text it writes `markup`, without none at all.
void ExpectMarked(CMemberResult const& r, unsigned flag, UtilKind kind, CString const& markup) {
    EXPECT_EQ(r.Flags(), flag);
    EXPECT_EQ(r.Entry(0).Util(kind), kInf);
    if (r.WantsText()) { EXPECT_EQ(r.GetMarkup(), markup); }
    else { EXPECT_TRUE(r.Entry(0).fragments.empty()); }
}

double AnnexF(CCSA_S16_09_Table const& t, bool major, int e1, int e2, double L) {
    return major ? t.AnnexF_XX(L, CRestraint(e1), CRestraint(e2)) : t.AnnexF_YY(L, CRestraint(e1), CRestraint(e2));
}

}  // namespace

// ---------------------------------------------------------------- Annex F

// Translation held: braced; rotation held as well: fixed. The bits of one axis do not count for the other.
TEST(TablesAnnexF, FactorsForEveryEndCondition) {
    struct Case { bool major; int end1, end2; double K; wchar_t const* kL; } const cases[] = {
        {true, kXXFixed, kXXFixed, 0.65, L"0.650L"},     {true, kXXFixed, kXXPinned, 0.8, L"0.800L"},
        {true, kXXPinned, kXXFixed, 0.8, L"0.800L"},     {true, kXXPinned, kXXPinned, 1.0, L"1.000L"},
        {true, kXXFixed, 0, 2.0, L"2.000L"},             {true, 0, kXXFixed, 2.0, L"2.000L"},
        {true, kXXFixed, kXXRotation, 1.2, L"1.200L"},   {true, kXXRotation, kXXFixed, 1.2, L"1.200L"},
        {true, kXXPinned, kXXRotation, 2.0, L"2.000L"},  {true, kXXRotation, kXXPinned, 2.0, L"2.000L"},
        {false, kYYFixed, kYYFixed, 0.65, L"0.650L"},    {false, kYYFixed, kYYPinned, 0.8, L"0.800L"},
        {false, kYYPinned, kYYPinned, 1.0, L"1.000L"},   {false, kYYFixed, 0, 2.0, L"2.000L"},
        {false, 0, kYYFixed, 2.0, L"2.000L"},            {false, kYYFixed, kYYRotation, 1.2, L"1.200L"},
        {false, kYYPinned, kYYRotation, 2.0, L"2.000L"}, {false, kYYRotation, kYYPinned, 2.0, L"2.000L"},
        {false, kYYPinned | kXXRotation, kYYPinned | kXXRotation, 1.0, L"1.000L"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.major << " " << c.end1 << " " << c.end2);
        auto const r = RunTable([&](auto const& t) { return AnnexF(t, c.major, c.end1, c.end2, 4.0); }, c.K * 4.0);
        EXPECT_EQ(r.GetMarkup(), kAnnexF + c.kL + L"\n");
        EXPECT_EQ(r.Flags(), 0u);
    }
}

// No end held in translation, or only one: infinite and marked (512 major, 1024 minor), with or without text.
TEST(TablesAnnexF, WithoutTranslationRestraintIsInfiniteAndMarked) {
    struct Case { bool major; int e1, e2; } const cases[] = {
        {true, 0, 0},   {true, kXXRotation, kXXRotation},  {true, 0, kXXPinned},  {true, kXXPinned, 0},
        {true, kYYFixed, kYYFixed},  {false, 0, 0},        {false, kYYRotation, kYYRotation},
        {false, 0, kYYPinned},       {false, kYYPinned, 0}, {false, kXXFixed, kXXFixed},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.major << " " << c.e1 << " " << c.e2);
        for (bool text : {true, false}) {
            auto const r = RunTable([&](auto const& t) { return AnnexF(t, c.major, c.e1, c.e2, 3.0); }, kInf, text);
            ExpectMarked(r, c.major ? RF::kMajorAxisBuckling : RF::kMinorAxisBuckling, c.major ? UtilKind::BucklingAxialMajor : UtilKind::BucklingAxialMinor,
                         kAnnexF + L"\n");
            EXPECT_FALSE(r.Entry(0).IsSet(c.major ? UtilKind::BucklingAxialMinor : UtilKind::BucklingAxialMajor));
        }
    }
}

// ---------------------------------------------------------------- Table 1

// Every row, one end; torsionally free (no 64) increases the factor by 20 %. The end must hold the compression flange
// laterally (512), or be held laterally with partial torsional restraint (0x100080), or torsionally (64).
TEST(TablesLateralTorsionalSegmentLength, OneEndRowsAndTorsionalIncrease) {
    int const lat = RB::kCompFlangeLateral, tor = RB::kTorsional;
    int const both = RB::kBothFlangesRotationOnPlan, comp = RB::kCompFlangeRotationOnPlan;
    struct Case { int bits; bool destabilizing; double factor; wchar_t const* label; } const cases[] = {
        {lat | tor | both, false, 0.7, L"0.7L(normal)"},       {lat | tor | both, true, 0.85, L"0.85L(destabilizing)"},
        {lat | tor | comp, false, 0.85, L"0.85L(normal)"},     {lat | tor | comp, true, 1.0, L"1.0L(destabilizing)"},
        {lat | tor, false, 1.0, L"1.0L(normal)"},              {lat | tor, true, 1.2, L"1.2L(destabilizing)"},
        {lat | both, false, 0.7 * 1.2, L"0.7L(normal)"},       {lat | both, true, 0.85 * 1.2, L"0.85L(destabilizing)"},
        {lat | comp, false, 0.85 * 1.2, L"0.85L(normal)"},     {lat, false, 1.0 * 1.2, L"1.0L(normal)"},
        {lat, true, 1.2 * 1.2, L"1.2L(destabilizing)"},        {tor, false, 1.0, L"1.0L(normal)"},
        {RB::kMinorTranslation | RB::kPartialTorsional, false, 1.2, L"1.0L(normal)"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.bits << " destabilizing " << c.destabilizing);
        auto const r = RunTable(
            [&](auto const& t) { return t.LateralTorsionalSegmentLength(5.0, 0.3, kTop, CRestraint(c.bits), c.destabilizing); }, c.factor * 5);
        bool const free = !(c.bits & tor);
        EXPECT_EQ(r.GetMarkup(), kTable1 + c.label + (free ? L" increase 20% (no torsional restraint)\n" : L"") + L"\n");
        EXPECT_EQ(r.Flags(), 0u);
    }
    // The whole line, increase included, is one fragment: 0.7 L x 1.2 = 0.84 x 10 = 8.4 m.
    CMemberResult r;
    EXPECT_REL(CCSA_S16_09_Table(&r).LateralTorsionalSegmentLength(10.0, 0.5, kTop, CRestraint(lat | both), false), 8.4);
    EXPECT_EQ(r.Entry(0).fragments.size(), 1u);
}

TEST(TablesLateralTorsionalSegmentLength, OneEndNotRestrainedIsInfiniteAndMarked) {
    for (int bits : {0, RB::kBothFlangesRotationOnPlan, RB::kMinorTranslation, RB::kPartialTorsional,
                     RB::kMajorTranslation | RB::kMajorRotation}) {
        SCOPED_TRACE(bits);
        for (bool text : {true, false}) {
            auto const r = RunTable([&](auto const& t) { return t.LateralTorsionalSegmentLength(4.0, 0.3, kTop, CRestraint(bits), true); },
                               kInf, text);
            ExpectMarked(r, RF::kLateralTorsionalBuckling, UtilKind::BucklingLT, kTable1 + L"?\n");
        }
    }
}

// Two ends: the mean length; one line when both ends write the same, else the left end's first. One infinite: infinite.
TEST(TablesLateralTorsionalSegmentLength, TwoEnds) {
    int const fixedOnPlan = kSimple | RB::kBothFlangesRotationOnPlan;  // 0.7 L
    CString const lineFixed = kTable1 + L"0.7L(normal)\n", lineSimple = kTable1 + L"1.0L(normal)\n";
    struct Case { int left, right; double length; CString text; } const cases[] = {  // 6 m span
        {fixedOnPlan, fixedOnPlan, 4.2, lineFixed},          // 0.7 x 6
        {fixedOnPlan, kSimple, 5.1, lineFixed + lineSimple},  // (0.7 + 1.0)/2 x 6
        {kSimple, fixedOnPlan, 5.1, lineSimple + lineFixed},
        {kSimple, 0, kInf, lineSimple + kTable1 + L"?\n"},
        {0, kSimple, kInf, kTable1 + L"?\n" + lineSimple},
        {0, 0, kInf, kTable1 + L"?\n"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.left << " " << c.right);
        for (bool text : {true, false}) {
            auto const r = RunTable(
                [&](auto const& t) { return t.LateralTorsionalSegmentLength(6.0, 0.3, kTop, CRestraint(c.left), CRestraint(c.right), false); },
                c.length, text);
            if (std::isinf(c.length)) {
                ExpectMarked(r, RF::kLateralTorsionalBuckling, UtilKind::BucklingLT, c.text);
            } else {
                EXPECT_EQ(r.GetMarkup(), text ? c.text : CString());
                EXPECT_EQ(r.Flags(), 0u);
            }
        }
    }
    // What the result already held is kept, not repeated; new lines follow at the current indentation.
    CMemberResult r;
    r.AddOutputString(L"before\n");
    r.SetUtilBucklingAxialMajor(0.5);
    r.AddFlags(2);
    r.IncreaseIndent();
    EXPECT_REL(CCSA_S16_09_Table(&r).LateralTorsionalSegmentLength(3.0, 0.3, kTop, CRestraint(kSimple), CRestraint(kSimple), false), 3.0);
    EXPECT_EQ(r.GetMarkup(), L"before\n\t" + kTable1 + L"1.0L(normal)\n");
    EXPECT_EQ(r.Entry(0).Util(UtilKind::BucklingAxialMajor), 0.5);
    EXPECT_EQ(r.Flags(), 2u);
    EXPECT_EQ(r.NumEntries(), 1);
}

// ---------------------------------------------------------------- Table 2

// Supports: a built in (0x101840), b laterally and torsionally restrained (0x100040), c one flange held laterally
// (512 or 1024). Tips: 1 free, 2 compression flange lateral (512), 3 torsional (64), 4 one flange lateral and
// torsional (0x240 or 0x440).
TEST(TablesLateralTorsionalCantileverLength, EveryFactorOfTheTable) {
    struct Cell { wchar_t id; int bits; };
    Cell const supports[] = {{L'a', RB::kMinorTranslation | RB::kWarping | RB::kBothFlangesRotationOnPlan | RB::kTorsional},
                             {L'b', RB::kMinorTranslation | RB::kTorsional}, {L'c', RB::kCompFlangeLateral},
                             {L'c', RB::kTensionFlangeLateral}};
    Cell const tips[] = {{L'1', 0}, {L'2', RB::kCompFlangeLateral}, {L'3', RB::kTorsional},
                         {L'4', RB::kCompFlangeLateral | RB::kTorsional},
                         {L'4', RB::kTensionFlangeLateral | RB::kTorsional}};
    // Table 2 {normal, destabilizing} by support a..c and tip 1..4.
    double const table[3][4][2] = {
        {{0.8, 1.4}, {0.7, 1.4}, {0.6, 0.6}, {0.5, 0.5}},
        {{1.0, 2.5}, {0.9, 2.5}, {0.8, 1.5}, {0.7, 1.2}},
        {{3.0, 7.5}, {2.7, 7.5}, {2.4, 4.5}, {2.1, 3.6}},
    };
    for (auto const& s : supports)
        for (auto const& t : tips)
            for (bool destab : {false, true}) {
                CString const cell = CString(1, s.id) + t.id;
                SCOPED_TRACE(testing::Message() << Corvid::Narrow(cell) << " " << destab);
                double const f = table[s.id - L'a'][t.id - L'1'][destab];
                auto const r = RunTable(
                    [&](auto const& tb) { return tb.LateralTorsionalCantileverLength(2.0, kTop, CRestraint(s.bits), CRestraint(t.bits), destab); },
                    f * 2.0);
                wchar_t num[16];
                std::swprintf(num, 16, L"%.3f", f);
                EXPECT_EQ(r.GetMarkup(), kTable2 + cell + (destab ? L" (destabilizing) " : L" ") + num + L"*L\n");
                EXPECT_EQ(r.Flags(), 0u);
            }
}

// A support without lateral restraint of either flange is none of a, b, c.
TEST(TablesLateralTorsionalCantileverLength, UnknownSupportIsInfiniteAndMarked) {
    for (int bits : {0, RB::kTorsional, RB::kMajorTranslation | RB::kMajorRotation}) {
        SCOPED_TRACE(bits);
        for (bool text : {true, false}) {
            auto const r = RunTable(
                [&](auto const& t) { return t.LateralTorsionalCantileverLength(2.0, kTop, CRestraint(bits), CRestraint(RB::kTorsional), false); },
                kInf, text);
            ExpectMarked(r, RF::kLateralTorsionalBuckling, UtilKind::BucklingLT, kTable2 + L"?3 infinity*L\n");
        }
    }
}

// ---------------------------------------------------------------- buckling sense

// The compression-flange conditions (512, 1024, 8192) are read from the physical flange bits by the sense.
TEST(TablesSense, TopFlangeRestraintCountsOnlyWhenTheTopFlangeIsCompressed) {
    double const L = 4.0;
    CRestraint const top(RB::kTopFlangeLateral | RB::kTopFlangeRotationOnPlan | RB::kTorsional),
        lateralTop(RB::kTopFlangeLateral), lateralBoth(RB::kTopFlangeLateral | RB::kBottomFlangeLateral);
    CRestraint const bothOnPlan(RB::kTopFlangeLateral | RB::kBottomFlangeLateral | RB::kTopFlangeRotationOnPlan |
                                RB::kBottomFlangeRotationOnPlan | RB::kTorsional);
    // label: the Table 1 line, where checked.
    struct Case { std::remove_const_t<decltype(kTop)> sense; CRestraint const* end; double factor; wchar_t const* label; }
    const cases[] = {
        {kTop, &top, 0.85, L"0.85L(normal)"},  // compression flange on plan (8192)
        {kBottom, &top, 1.0, L"1.0L(normal)"},  // held flange in tension: torsional only
        {kTop, &lateralTop, 1.2, nullptr},      // 512, torsionally free: 1.0 x 1.2
        {kBottom, &lateralTop, kInf, nullptr}, {kReversal, &lateralTop, kInf, nullptr},  // reversal: both flanges held
        {kReversal, &lateralBoth, 1.2, nullptr},
        // 2048 whatever the sense
        {kTop, &bothOnPlan, 0.7, nullptr}, {kBottom, &bothOnPlan, 0.7, nullptr}, {kReversal, &bothOnPlan, 0.7, nullptr},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sense << " " << c.factor);
        auto const r = RunTable([&](auto const& t) { return t.LateralTorsionalSegmentLength(L, 0.3, c.sense, *c.end, false); }, c.factor * L);
        if (c.label) { EXPECT_EQ(r.GetMarkup(), kTable1 + c.label + L"\n"); }
    }

// A sense carried by the restraint is kept under a reversal (written only for 0 and 1); an explicit one overrides it.
    CRestraint carried(RB::kTopFlangeLateral);
    Vec3<double> f, m;
    bool set = false;
    carried.GetForcesAndMoments(f, m, set);
    m.y = -1.0;
    carried.SetForcesAndMoments(f, m, set);
    EXPECT_REL(CCSA_S16_09_Table().LateralTorsionalSegmentLength(2.0, 0.3, kReversal, carried, false), 2.4);  // 1.0 L x 1.2
    EXPECT_EQ(CCSA_S16_09_Table().LateralTorsionalSegmentLength(2.0, 0.3, kBottom, carried, false), kInf);
}

TEST(TablesSense, CantileverSupportAndTipReadThePhysicalFlanges) {
    double const L = 2.0;
    // Support: bottom flange lateral; top compressed: tension flange held (1024), support c, tip free: 3.0 L.
    CRestraint const bottomLateral(RB::kBottomFlangeLateral);
    auto const r = RunTable([&](auto const& t) { return t.LateralTorsionalCantileverLength(L, kTop, bottomLateral, CRestraint(), false); }, 3.0 * L);
    EXPECT_EQ(r.GetMarkup(), kTable2 + L"c1 3.000*L\n");
    EXPECT_EQ(CCSA_S16_09_Table().LateralTorsionalCantileverLength(L, kReversal, bottomLateral, CRestraint(), false), kInf);  // none met
    // Tip: top flange lateral, support b: tip 2 (0.9 L) with the top flange compressed, free (1.0 L) with the bottom.
    CRestraint const supportB(RB::kMinorTranslation | RB::kTorsional), tipTop(RB::kTopFlangeLateral);
    EXPECT_REL(CCSA_S16_09_Table().LateralTorsionalCantileverLength(L, kTop, supportB, tipTop, false), 0.9 * L);
    EXPECT_REL(CCSA_S16_09_Table().LateralTorsionalCantileverLength(L, kBottom, supportB, tipTop, false), 1.0 * L);
    // Built in by its physical bits (kFixed): support a whatever the sense.
    for (auto sense : {kTop, kBottom, kReversal})
        EXPECT_REL(CCSA_S16_09_Table().LateralTorsionalCantileverLength(L, sense, CRestraint(RB::kFixed), CRestraint(), false), 0.8 * L);
}
