// Effective-length tables: Annex F (flexural buckling about the major and
// minor axes), Table 1 (lateral-torsional segments) and Table 2
// (lateral-torsional cantilevers).
//
// Every expected length is the table's factor times the span length L, the
// factor read from the table by hand for the end conditions given. Numbers in
// report lines are printed by the result's formatter: three decimals for
// dimensionless factors, "infinity" for an infinite one.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "Tolerance.h"
#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/SteelMember.h"
#include "tables/CSA_S16_09_Table.h"

using Corvid::CString;
using Corvid::Vec3;
using Corvid::Data::CRestraint;
using Corvid::Steel::CCodeShare;
using Corvid::Steel::CMemberResult;
using Corvid::Steel::UtilKind;
using Corvid::Steel::SteelCSAS1609::CCSA_S16_09_Table;
namespace RB = Corvid::Data::RestraintBits;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr auto kTop = CCodeShare::LT_TopFlange;        // sense 0: top flange in compression
constexpr auto kBottom = CCodeShare::LT_BottomFlange;  // sense 1: bottom flange in compression
constexpr auto kReversal = CCodeShare::LT_Reversal;    // sense 2: moment reversal

// Annex F end conditions, major axis.
constexpr int kXXFixed = RB::kMajorTranslation | RB::kMajorRotation;  // 0x210000
constexpr int kXXPinned = RB::kMajorTranslation;                       // 0x200000
constexpr int kXXRotation = RB::kMajorRotation;                        // 0x010000
// Annex F end conditions, minor axis.
constexpr int kYYFixed = RB::kMinorTranslation | RB::kMinorRotation;  // 0x140000
constexpr int kYYPinned = RB::kMinorTranslation;                       // 0x100000
constexpr int kYYRotation = RB::kMinorRotation;                        // 0x040000

CString const kAnnexF = L"<i>CSA S16 - 09 Annex F: </i> ";
CString const kTable1 = L"<i>CSA S16 - 09 Table 1</i> condition: ";
CString const kTable2 = L"<i>CSA S16 - 09 Table 2</i> condition: ";

struct AnnexFCase {
    int end1, end2;
    double K;           // Annex F factor
    wchar_t const* kL;  // its report text
    char const* why;
};

}  // namespace

// ---------------------------------------------------------------- Annex F

// Every rule of Annex F about the major axis, on a 4 m span. Ends held in
// translation are braced against sway; an end held in rotation as well is
// fixed.
TEST(TablesAnnexF, MajorAxisFactorsForEveryEndCondition) {
    double const L = 4.0;
    std::vector<AnnexFCase> const cases = {
        {kXXFixed, kXXFixed, 0.65, L"0.650L", "braced, both ends fixed"},
        {kXXFixed, kXXPinned, 0.8, L"0.800L", "braced, fixed and pinned"},
        {kXXPinned, kXXFixed, 0.8, L"0.800L", "braced, pinned and fixed"},
        {kXXPinned, kXXPinned, 1.0, L"1.000L", "braced, both ends pinned"},
        {kXXFixed, 0, 2.0, L"2.000L", "fixed root, free tip"},
        {0, kXXFixed, 2.0, L"2.000L", "free tip, fixed root"},
        {kXXFixed, kXXRotation, 1.2, L"1.200L", "sway, both ends fixed against rotation"},
        {kXXRotation, kXXFixed, 1.2, L"1.200L", "sway, both ends fixed against rotation (reversed)"},
        {kXXPinned, kXXRotation, 2.0, L"2.000L", "sway, pinned base, top fixed against rotation"},
        {kXXRotation, kXXPinned, 2.0, L"2.000L", "sway, top fixed against rotation, pinned base"},
    };
    for (auto const& c : cases) {
        CMemberResult r;
        CCSA_S16_09_Table const table(&r);
        EXPECT_REL(table.AnnexF_XX(L, CRestraint(c.end1), CRestraint(c.end2)), c.K * L) << c.why;
        EXPECT_EQ(r.GetMarkup(), kAnnexF + c.kL + L"\n") << c.why;
        EXPECT_EQ(r.Flags(), 0u) << c.why;
        // Without a result object: the same length.
        EXPECT_REL(CCSA_S16_09_Table().AnnexF_XX(L, CRestraint(c.end1), CRestraint(c.end2)), c.K * L) << c.why;
    }
}

TEST(TablesAnnexF, MajorAxisWithoutTranslationRestraintIsInfiniteAndMarked) {
    // Neither end held in the plane of the web, or only one end held in
    // rotation with the other held in translation alone: the member sways
    // freely, no finite length.
    for (auto const& [e1, e2] : std::vector<std::pair<int, int>>{
             {0, 0}, {kXXRotation, kXXRotation}, {0, kXXPinned}, {kXXPinned, 0}, {kYYFixed, kYYFixed}}) {
        CMemberResult r;
        EXPECT_EQ(CCSA_S16_09_Table(&r).AnnexF_XX(3.0, CRestraint(e1), CRestraint(e2)), kInf);
        EXPECT_EQ(r.Flags(), 512u);
        EXPECT_EQ(r.Entry(0).Util(UtilKind::BucklingAxialMajor), kInf);
        EXPECT_FALSE(r.Entry(0).IsSet(UtilKind::BucklingAxialMinor));
        EXPECT_EQ(r.GetMarkup(), kAnnexF + L"\n");
        EXPECT_EQ(CCSA_S16_09_Table().AnnexF_XX(3.0, CRestraint(e1), CRestraint(e2)), kInf);
    }
    // A result that wants no text is still marked, with no text.
    CMemberResult quiet;
    quiet.EnableText(false);
    EXPECT_EQ(CCSA_S16_09_Table(&quiet).AnnexF_XX(3.0, CRestraint(), CRestraint()), kInf);
    EXPECT_EQ(quiet.Flags(), 512u);
    EXPECT_EQ(quiet.Entry(0).Util(UtilKind::BucklingAxialMajor), kInf);
    EXPECT_TRUE(quiet.Entry(0).fragments.empty());
}

TEST(TablesAnnexF, MinorAxisFactorsForEveryEndCondition) {
    double const L = 2.5;
    std::vector<AnnexFCase> const cases = {
        {kYYFixed, kYYFixed, 0.65, L"0.650L", "braced, both ends fixed on plan"},
        {kYYFixed, kYYPinned, 0.8, L"0.800L", "braced, fixed and pinned"},
        {kYYPinned, kYYPinned, 1.0, L"1.000L", "braced, both ends pinned"},
        {kYYFixed, 0, 2.0, L"2.000L", "fixed root, free tip"},
        {0, kYYFixed, 2.0, L"2.000L", "free tip, fixed root"},
        {kYYFixed, kYYRotation, 1.2, L"1.200L", "sway, both ends fixed on plan"},
        {kYYPinned, kYYRotation, 2.0, L"2.000L", "sway, one end pinned, the other fixed on plan"},
        {kYYRotation, kYYPinned, 2.0, L"2.000L", "sway, one end fixed on plan, the other pinned"},
        // Major-axis bits do not count for the minor axis.
        {kYYPinned | kXXRotation, kYYPinned | kXXRotation, 1.0, L"1.000L", "major-axis rotation ignored"},
    };
    for (auto const& c : cases) {
        CMemberResult r;
        EXPECT_REL(CCSA_S16_09_Table(&r).AnnexF_YY(L, CRestraint(c.end1), CRestraint(c.end2)), c.K * L) << c.why;
        EXPECT_EQ(r.GetMarkup(), kAnnexF + c.kL + L"\n") << c.why;
        EXPECT_EQ(r.Flags(), 0u) << c.why;
    }
}

TEST(TablesAnnexF, MinorAxisWithoutTranslationRestraintIsInfiniteAndMarked) {
    // Neither end held laterally, or both held only on plan, or one end
    // held laterally with the other free; major-axis bits do not count.
    for (auto const& [e1, e2] : std::vector<std::pair<int, int>>{
             {0, 0}, {kYYRotation, kYYRotation}, {0, kYYPinned}, {kYYPinned, 0}, {kXXFixed, kXXFixed}}) {
        CMemberResult r;
        EXPECT_EQ(CCSA_S16_09_Table(&r).AnnexF_YY(6.0, CRestraint(e1), CRestraint(e2)), kInf);
        EXPECT_EQ(r.Flags(), 1024u);
        EXPECT_EQ(r.Entry(0).Util(UtilKind::BucklingAxialMinor), kInf);
        EXPECT_FALSE(r.Entry(0).IsSet(UtilKind::BucklingAxialMajor));
        EXPECT_EQ(r.GetMarkup(), kAnnexF + L"\n");
        EXPECT_EQ(CCSA_S16_09_Table().AnnexF_YY(6.0, CRestraint(e1), CRestraint(e2)), kInf);
    }
}

// ---------------------------------------------------------------- Table 1

namespace {
struct Table1Case {
    int bits;
    bool destabilizing;
    double factor;         // Table 1 factor, times 1.2 when torsionally free
    wchar_t const* label;  // condition text
};
}  // namespace

// One end, every row of Table 1, with and without torsional restraint. The
// compression flange is held laterally (512) in every case; the rows are
// chosen by both flanges (2048) or the compression flange (8192) held on plan.
TEST(TablesTable01, OneEndRowsAndTorsionalIncrease) {
    double const L = 5.0;
    wchar_t const* const inc = L" increase 20% (no torsional restraint)\n";
    int const lat = RB::kCompFlangeLateral;  // 512
    int const tor = RB::kTorsional;          // 64
    std::vector<Table1Case> const cases = {
        {lat | tor | RB::kBothFlangesRotationOnPlan, false, 0.7, L"0.7L(normal)"},
        {lat | tor | RB::kBothFlangesRotationOnPlan, true, 0.85, L"0.85L(destabilizing)"},
        {lat | tor | RB::kCompFlangeRotationOnPlan, false, 0.85, L"0.85L(normal)"},
        {lat | tor | RB::kCompFlangeRotationOnPlan, true, 1.0, L"1.0L(destabilizing)"},
        {lat | tor, false, 1.0, L"1.0L(normal)"},
        {lat | tor, true, 1.2, L"1.2L(destabilizing)"},
        // Torsionally free: the factor increased by 20 %, e.g. 0.7 x 1.2 = 0.84.
        {lat | RB::kBothFlangesRotationOnPlan, false, 0.84, L"0.7L(normal)"},
        {lat | RB::kBothFlangesRotationOnPlan, true, 0.85 * 1.2, L"0.85L(destabilizing)"},
        {lat | RB::kCompFlangeRotationOnPlan, false, 0.85 * 1.2, L"0.85L(normal)"},
        {lat, false, 1.2, L"1.0L(normal)"},
        {lat, true, 1.44, L"1.2L(destabilizing)"},  // 1.2 x 1.2
        // Held laterally with partial torsional restraint (0x100080): torsionally free.
        {RB::kMinorTranslation | RB::kPartialTorsional, false, 1.2, L"1.0L(normal)"},
        // Torsional restraint alone (64) is enough to hold the segment end.
        {tor, false, 1.0, L"1.0L(normal)"},
    };
    for (auto const& c : cases) {
        CMemberResult r;
        double const length = CCSA_S16_09_Table(&r).Table01(L, 0.3, kTop, CRestraint(c.bits), c.destabilizing);
        EXPECT_REL(length, c.factor * L) << std::hex << c.bits << " destabilizing " << c.destabilizing;
        bool const free = !(c.bits & tor);
        EXPECT_EQ(r.GetMarkup(), kTable1 + c.label + (free ? inc : L"") + L"\n") << std::hex << c.bits;
        EXPECT_EQ(r.Flags(), 0u);
        EXPECT_REL(CCSA_S16_09_Table().Table01(L, 0.3, kTop, CRestraint(c.bits), c.destabilizing), c.factor * L);
    }
}

TEST(TablesTable01, OneEndHeldForTwoThousandFortyEightAndTorsionallyFree) {
    // Compression flange held laterally, both flanges on plan, no torsional
    // restraint, normal load: 0.7 L x 1.2 = 0.84 L = 0.84 x 10 = 8.4 m.
    CMemberResult r;
    double const length = CCSA_S16_09_Table(&r).Table01(
        10.0, 0.5, kTop, CRestraint(RB::kCompFlangeLateral | RB::kBothFlangesRotationOnPlan), false);
    EXPECT_REL(length, 8.4);
    ASSERT_EQ(r.Entry(0).fragments.size(), 1u);
    EXPECT_EQ(r.Entry(0).fragments[0].text,
              L"<i>CSA S16 - 09 Table 1</i> condition: 0.7L(normal) increase 20% (no torsional restraint)\n\n");
}

TEST(TablesTable01, OneEndNotRestrainedIsInfiniteAndMarked) {
    // None of 512, 64 and 0x100080: on-plan restraint or lateral restraint
    // without partial torsional restraint alone do not hold a segment end.
    for (int bits : {0, RB::kBothFlangesRotationOnPlan, RB::kMinorTranslation, RB::kPartialTorsional,
                     RB::kMajorTranslation | RB::kMajorRotation}) {
        CMemberResult r;
        EXPECT_EQ(CCSA_S16_09_Table(&r).Table01(4.0, 0.3, kTop, CRestraint(bits), true), kInf) << bits;
        EXPECT_EQ(r.GetMarkup(), kTable1 + L"?\n");
        EXPECT_EQ(r.Flags(), 256u);
        EXPECT_EQ(r.Entry(0).Util(UtilKind::BucklingLT), kInf);
        EXPECT_EQ(CCSA_S16_09_Table().Table01(4.0, 0.3, kTop, CRestraint(bits), true), kInf);
    }
    // Marked even when no text is wanted.
    CMemberResult quiet;
    quiet.EnableText(false);
    EXPECT_EQ(CCSA_S16_09_Table(&quiet).Table01(4.0, 0.3, kTop, CRestraint(), false), kInf);
    EXPECT_EQ(quiet.Flags(), 256u);
    EXPECT_EQ(quiet.Entry(0).Util(UtilKind::BucklingLT), kInf);
    EXPECT_TRUE(quiet.Entry(0).fragments.empty());
}

TEST(TablesTable01, TwoEndsIdenticalWriteOneLineDifferentWriteTwo) {
    int const fixedOnPlan = RB::kCompFlangeLateral | RB::kTorsional | RB::kBothFlangesRotationOnPlan;  // 0.7 L
    int const simple = RB::kCompFlangeLateral | RB::kTorsional;                                          // 1.0 L
    CString const lineFixed = kTable1 + L"0.7L(normal)\n";
    CString const lineSimple = kTable1 + L"1.0L(normal)\n";

    // Identical ends: (0.7 + 0.7) / 2 x 6 = 4.2 m, one line.
    CMemberResult same;
    EXPECT_REL(CCSA_S16_09_Table(&same).Table01(6.0, 0.3, kTop, CRestraint(fixedOnPlan), CRestraint(fixedOnPlan),
                                                false),
               4.2);
    EXPECT_EQ(same.GetMarkup(), lineFixed);

    // Different ends: (0.7 + 1.0) / 2 x 6 = 5.1 m, the left end's line first.
    CMemberResult diff;
    EXPECT_REL(
        CCSA_S16_09_Table(&diff).Table01(6.0, 0.3, kTop, CRestraint(fixedOnPlan), CRestraint(simple), false), 5.1);
    EXPECT_EQ(diff.GetMarkup(), lineFixed + lineSimple);
    CMemberResult swapped;
    CCSA_S16_09_Table(&swapped).Table01(6.0, 0.3, kTop, CRestraint(simple), CRestraint(fixedOnPlan), false);
    EXPECT_EQ(swapped.GetMarkup(), lineSimple + lineFixed);

    // Without a result object: the same lengths.
    CCSA_S16_09_Table const bare;
    EXPECT_REL(bare.Table01(6.0, 0.3, kTop, CRestraint(fixedOnPlan), CRestraint(simple), false), 5.1);
    EXPECT_REL(bare.Table01(6.0, 0.3, kTop, CRestraint(fixedOnPlan), CRestraint(fixedOnPlan), false), 4.2);
}

TEST(TablesTable01, TwoEndsKeepWhatTheResultAlreadyHeld) {
    // Earlier report lines, utilisations and flags are neither lost nor
    // repeated; the new lines follow at the current indentation.
    CMemberResult r;
    r.AddOutputString(L"before\n");
    r.SetUtilBucklingAxialMajor(0.5);
    r.AddFlags(2);
    r.IncreaseIndent();
    int const simple = RB::kCompFlangeLateral | RB::kTorsional;
    EXPECT_REL(CCSA_S16_09_Table(&r).Table01(3.0, 0.3, kTop, CRestraint(simple), CRestraint(simple), false), 3.0);
    EXPECT_EQ(r.GetMarkup(), L"before\n\t" + kTable1 + L"1.0L(normal)\n");
    EXPECT_EQ(r.Entry(0).Util(UtilKind::BucklingAxialMajor), 0.5);
    EXPECT_EQ(r.Flags(), 2u);
    EXPECT_EQ(r.NumEntries(), 1);
}

TEST(TablesTable01, TwoEndsWithOneInfiniteAreInfinite) {
    int const simple = RB::kCompFlangeLateral | RB::kTorsional;
    // Right end holds nothing: (1.0 L + infinity) / 2 is infinite; both lines.
    CMemberResult r;
    EXPECT_EQ(CCSA_S16_09_Table(&r).Table01(6.0, 0.3, kTop, CRestraint(simple), CRestraint(), false), kInf);
    EXPECT_EQ(r.GetMarkup(), kTable1 + L"1.0L(normal)\n" + kTable1 + L"?\n");
    EXPECT_EQ(r.Flags(), 256u);
    EXPECT_EQ(r.Entry(0).Util(UtilKind::BucklingLT), kInf);
    // Left end holds nothing.
    CMemberResult l;
    EXPECT_EQ(CCSA_S16_09_Table(&l).Table01(6.0, 0.3, kTop, CRestraint(), CRestraint(simple), false), kInf);
    EXPECT_EQ(l.Flags(), 256u);
    // Both ends hold nothing: identical output, one line.
    CMemberResult both;
    EXPECT_EQ(CCSA_S16_09_Table(&both).Table01(6.0, 0.3, kTop, CRestraint(), CRestraint(), false), kInf);
    EXPECT_EQ(both.GetMarkup(), kTable1 + L"?\n");
    EXPECT_EQ(CCSA_S16_09_Table().Table01(6.0, 0.3, kTop, CRestraint(simple), CRestraint(), false), kInf);
    // No text wanted: marked, nothing written.
    CMemberResult quiet;
    quiet.EnableText(false);
    EXPECT_EQ(CCSA_S16_09_Table(&quiet).Table01(6.0, 0.3, kTop, CRestraint(simple), CRestraint(), false), kInf);
    EXPECT_EQ(quiet.Flags(), 256u);
    EXPECT_TRUE(quiet.Entry(0).fragments.empty());
}

// ---------------------------------------------------------------- Table 2

namespace {
struct Table2Support {
    wchar_t letter;
    int bits;
};
struct Table2Tip {
    wchar_t digit;
    int bits;
};
}  // namespace

TEST(TablesTable02, EveryFactorOfTheTable) {
    double const L = 2.0;
    // Supports: a built in (0x101840), b laterally and torsionally restrained
    // (0x100040), c one flange held laterally (512 or 1024).
    std::vector<Table2Support> const supports = {
        {L'a', RB::kMinorTranslation | RB::kWarping | RB::kBothFlangesRotationOnPlan | RB::kTorsional},
        {L'b', RB::kMinorTranslation | RB::kTorsional},
        {L'c', RB::kCompFlangeLateral},
        {L'c', RB::kTensionFlangeLateral},
    };
    // Tips: 1 free, 2 compression flange held laterally (512), 3 torsionally
    // restrained (64), 4 one flange held laterally and torsionally restrained
    // (0x240 or 0x440).
    std::vector<Table2Tip> const tips = {
        {L'1', 0},
        {L'2', RB::kCompFlangeLateral},
        {L'3', RB::kTorsional},
        {L'4', RB::kCompFlangeLateral | RB::kTorsional},
        {L'4', RB::kTensionFlangeLateral | RB::kTorsional},
    };
    // Table 2 factors by support (a, b, c) and tip (1 to 4):
    // {normal, destabilizing} with their report text.
    struct Factor {
        double normal, destab;
        wchar_t const *normalText, *destabText;
    };
    auto factor = [](wchar_t letter, wchar_t digit) -> Factor {
        static Factor const table[3][4] = {
            {{0.8, 1.4, L"0.800", L"1.400"},
             {0.7, 1.4, L"0.700", L"1.400"},
             {0.6, 0.6, L"0.600", L"0.600"},
             {0.5, 0.5, L"0.500", L"0.500"}},
            {{1.0, 2.5, L"1.000", L"2.500"},
             {0.9, 2.5, L"0.900", L"2.500"},
             {0.8, 1.5, L"0.800", L"1.500"},
             {0.7, 1.2, L"0.700", L"1.200"}},
            {{3.0, 7.5, L"3.000", L"7.500"},
             {2.7, 7.5, L"2.700", L"7.500"},
             {2.4, 4.5, L"2.400", L"4.500"},
             {2.1, 3.6, L"2.100", L"3.600"}},
        };
        return table[letter - L'a'][digit - L'1'];
    };
    for (auto const& s : supports) {
        for (auto const& t : tips) {
            Factor const f = factor(s.letter, t.digit);
            CString const cell = CString(1, s.letter) + t.digit;
            for (bool destab : {false, true}) {
                CMemberResult r;
                double const length = CCSA_S16_09_Table(&r).Table02(L, kTop, CRestraint(s.bits), CRestraint(t.bits),
                                                                    destab);
                EXPECT_REL(length, (destab ? f.destab : f.normal) * L) << Corvid::Narrow(cell) << " " << destab;
                EXPECT_EQ(r.GetMarkup(), kTable2 + cell + (destab ? L" (destabilizing) " : L" ") +
                                             (destab ? f.destabText : f.normalText) + L"*L\n");
                EXPECT_EQ(r.Flags(), 0u);
                EXPECT_REL(CCSA_S16_09_Table().Table02(L, kTop, CRestraint(s.bits), CRestraint(t.bits), destab),
                           (destab ? f.destab : f.normal) * L);
            }
        }
    }
}

TEST(TablesTable02, SupportBTipThreeDestabilizing) {
    // Support laterally and torsionally restrained (b), tip torsionally
    // restrained (3), destabilizing load: 1.5 L = 1.5 x 3 = 4.5 m.
    CMemberResult r;
    double const length = CCSA_S16_09_Table(&r).Table02(3.0, kTop, CRestraint(RB::kMinorTranslation | RB::kTorsional),
                                                        CRestraint(RB::kTorsional), true);
    EXPECT_REL(length, 4.5);
    EXPECT_EQ(r.GetMarkup(), L"<i>CSA S16 - 09 Table 2</i> condition: b3 (destabilizing) 1.500*L\n");
}

TEST(TablesTable02, UnknownSupportIsInfiniteAndMarked) {
    // A support without lateral restraint of either flange is none of a, b, c.
    for (int bits : {0, RB::kTorsional, RB::kMajorTranslation | RB::kMajorRotation}) {
        CMemberResult r;
        EXPECT_EQ(CCSA_S16_09_Table(&r).Table02(2.0, kTop, CRestraint(bits), CRestraint(RB::kTorsional), false), kInf);
        EXPECT_EQ(r.GetMarkup(), kTable2 + L"?3 infinity*L\n");
        EXPECT_EQ(r.Flags(), 256u);
        EXPECT_EQ(r.Entry(0).Util(UtilKind::BucklingLT), kInf);
        EXPECT_EQ(CCSA_S16_09_Table().Table02(2.0, kTop, CRestraint(bits), CRestraint(RB::kTorsional), false), kInf);
    }
    CMemberResult quiet;
    quiet.EnableText(false);
    EXPECT_EQ(CCSA_S16_09_Table(&quiet).Table02(2.0, kTop, CRestraint(), CRestraint(), true), kInf);
    EXPECT_EQ(quiet.Flags(), 256u);
    EXPECT_TRUE(quiet.Entry(0).fragments.empty());
}

// ---------------------------------------------------------------- buckling sense

// The tables test the compression-flange conditions (512, 1024, 8192) on
// copies of the restraints that know which flange is in compression, so a
// restraint given by its physical top and bottom flange bits reads the row
// the engineer expects.
TEST(TablesSense, TopFlangeRestraintCountsOnlyWhenTheTopFlangeIsCompressed) {
    double const L = 4.0;
    // Top flange held laterally and on plan, section held against twist.
    CRestraint const top(RB::kTopFlangeLateral | RB::kTopFlangeRotationOnPlan | RB::kTorsional);

    // Top flange in compression: compression flange held on plan (8192), 0.85 L.
    CMemberResult r0;
    EXPECT_REL(CCSA_S16_09_Table(&r0).Table01(L, 0.3, kTop, top, false), 0.85 * L);
    EXPECT_EQ(r0.GetMarkup(), kTable1 + L"0.85L(normal)\n");
    // Bottom flange in compression: the held top flange is the tension
    // flange, only the torsional restraint counts, 1.0 L.
    CMemberResult r1;
    EXPECT_REL(CCSA_S16_09_Table(&r1).Table01(L, 0.3, kBottom, top, false), 1.0 * L);
    EXPECT_EQ(r1.GetMarkup(), kTable1 + L"1.0L(normal)\n");

    // Top flange held laterally only: with the top flange in compression the
    // end is held (512) but torsionally free, 1.0 L x 1.2; otherwise nothing.
    CRestraint const lateralTop(RB::kTopFlangeLateral);
    EXPECT_REL(CCSA_S16_09_Table().Table01(L, 0.3, kTop, lateralTop, false), 1.2 * L);
    EXPECT_EQ(CCSA_S16_09_Table().Table01(L, 0.3, kBottom, lateralTop, false), kInf);
    // Moment reversal: both flanges must be held.
    EXPECT_EQ(CCSA_S16_09_Table().Table01(L, 0.3, kReversal, lateralTop, false), kInf);
    CRestraint const lateralBoth(RB::kTopFlangeLateral | RB::kBottomFlangeLateral);
    EXPECT_REL(CCSA_S16_09_Table().Table01(L, 0.3, kReversal, lateralBoth, false), 1.2 * L);

    // Both flanges held on plan: 2048 whatever the sense, 0.7 L.
    CRestraint const bothOnPlan(RB::kTopFlangeLateral | RB::kBottomFlangeLateral | RB::kTopFlangeRotationOnPlan |
                                RB::kBottomFlangeRotationOnPlan | RB::kTorsional);
    for (auto sense : {kTop, kBottom, kReversal})
        EXPECT_REL(CCSA_S16_09_Table().Table01(L, 0.3, sense, bothOnPlan, false), 0.7 * L) << sense;
}

TEST(TablesSense, ReversalLeavesASenseAlreadyCarriedByTheRestraint) {
    // A restraint that already says the top flange is in compression keeps
    // saying so under a reversal sense (the sense is written only for 0 and 1).
    CRestraint lateralTop(RB::kTopFlangeLateral);
    Vec3<double> f, m;
    bool set = false;
    lateralTop.GetForcesAndMoments(f, m, set);
    m.y = -1.0;
    lateralTop.SetForcesAndMoments(f, m, set);
    EXPECT_REL(CCSA_S16_09_Table().Table01(2.0, 0.3, kReversal, lateralTop, false), 2.4);  // 1.0 L x 1.2
    // An explicit sense overrides it: bottom flange in compression, nothing held.
    EXPECT_EQ(CCSA_S16_09_Table().Table01(2.0, 0.3, kBottom, lateralTop, false), kInf);
}

TEST(TablesSense, CantileverSupportAndTipReadThePhysicalFlanges) {
    double const L = 2.0;
    // Support: bottom flange held laterally only. Top flange in compression:
    // the tension flange is held (1024), support c; tip free: 3.0 L.
    CRestraint const bottomLateral(RB::kBottomFlangeLateral);
    CMemberResult r;
    EXPECT_REL(CCSA_S16_09_Table(&r).Table02(L, kTop, bottomLateral, CRestraint(), false), 3.0 * L);
    EXPECT_EQ(r.GetMarkup(), kTable2 + L"c1 3.000*L\n");
    // Moment reversal: neither flange condition is met, no finite length.
    EXPECT_EQ(CCSA_S16_09_Table().Table02(L, kReversal, bottomLateral, CRestraint(), false), kInf);
    // Tip: top flange held laterally. Top flange in compression: tip 2
    // (512) under support b, 0.9 L; bottom flange in compression the held
    // flange is the tension flange and the tip reads as free, 1.0 L.
    CRestraint const supportB(RB::kMinorTranslation | RB::kTorsional);
    CRestraint const tipTop(RB::kTopFlangeLateral);
    EXPECT_REL(CCSA_S16_09_Table().Table02(L, kTop, supportB, tipTop, false), 0.9 * L);
    EXPECT_REL(CCSA_S16_09_Table().Table02(L, kBottom, supportB, tipTop, false), 1.0 * L);
    // Built in by its physical bits (kFixed: both flanges on plan, warping,
    // lateral and torsional restraint): support a whatever the sense.
    for (auto sense : {kTop, kBottom, kReversal})
        EXPECT_REL(CCSA_S16_09_Table().Table02(L, sense, CRestraint(RB::kFixed), CRestraint(), false), 0.8 * L);
}
