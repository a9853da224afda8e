// The member check driver: entry layout, the local-only rule, restraint
// hand-over, warnings, quick-check stops, and the complete report of a
// member of every shape pinned by golden files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "Tolerance.h"
#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/Section.h"
#include "member/CSA_S16_09_Member.h"

using Corvid::Data::CRestraint;
using Corvid::Data::CSection;
using Corvid::Steel::CMemberPoint;
using Corvid::Steel::CMemberResult;
using Corvid::Steel::CSteelGrade;
using Corvid::Steel::CSubSpan;
using Corvid::Steel::UtilKind;
using Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member;
namespace RB = Corvid::Data::RestraintBits;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

// Reaches the driver's own steps.
struct Probe : CSA_S16_09_Member {
    using CSA_S16_09_Member::CheckBucklingGen;
    using CSA_S16_09_Member::CheckBucklingStrut;
    using CSA_S16_09_Member::CheckLocal;
};

// A 6 m member on three points (0, 3, 6 m), two sub-spans, with the given
// section, end restraints and actions: axial N (tension positive), major
// moment rising linearly from 0 to M at mid-span and back to 0.
struct Member {
    CMemberResult result;
    Probe member;
    Member(wchar_t const* section, wchar_t const* grade, int endBits, int midBits, double N, double M) {
        member.SetResult(&result);
        member.SetSection(CSection(section));
        member.SetSteelDesignProp(CSteelGrade(grade));
        member.SetMemberPointVec({CMemberPoint(0.0, CRestraint(endBits)), CMemberPoint(3.0, CRestraint(midBits)),
                                  CMemberPoint(6.0, CRestraint(endBits))});
        CSubSpan s0(0, 0, 1), s1(1, 1, 2);
        double const V = M / 3.0;
        s0.SetForces({N, V, 0}, {N, V, 0});
        s0.SetMoments({0, 0, 0}, {0, M, 0});
        s1.SetForces({N, -V, 0}, {N, -V, 0});
        s1.SetMoments({0, M, 0}, {0, 0, 0});
        member.SetSubSpanVec({s0, s1});
    }
};

std::wstring Report(CMemberResult const& r) {
    std::wstring out;
    for (int k = 0; k < r.NumEntries(); ++k) out += L"== entry " + std::to_wstring(k) + L" ==\n" + r.GetText(k);
    return out;
}

// Compares with tests/golden/NAME.txt; S16_UPDATE_GOLDEN=1 rewrites it.
void ExpectGolden(std::string const& name, std::wstring const& text) {
    std::string const path = std::string(S16_GOLDEN_DIR) + "/" + name + ".txt";
    std::string const actual = Corvid::Narrow(text);
    if (std::getenv("S16_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing golden file " << path << " (run with S16_UPDATE_GOLDEN=1 to create it)";
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(actual, expected.str()) << "report of " << name << " changed; if on purpose, rerun with S16_UPDATE_GOLDEN=1";
}
}  // namespace

TEST(CheckDriver, EntryLayoutAndTheLocalOnlyRule) {
    // I section in compression and bending: entries 0 (probe, echo), 1 and 2
    // (sub-spans), 3 (buckling).
    Member m(L"I D=303 B=203 T=13.1 Tw=7.5 R=15", L"350W", RB::kPinned, RB::kBraced, -200e3, 100e3);
    m.member.Check();
    EXPECT_EQ(m.result.NumEntries(), 4);
    EXPECT_TRUE(m.result.Buckling());
    EXPECT_TRUE(m.result.Entry(1).IsSet(UtilKind::LocalCombined));
    EXPECT_TRUE(m.result.Entry(2).IsSet(UtilKind::LocalCombined));
    EXPECT_FALSE(m.result.Entry(3).IsSet(UtilKind::LocalCombined));
    EXPECT_NE(m.result.GetText(0).find(L"Section description:"), std::wstring::npos);
    EXPECT_NE(m.result.GetText(3).find(L"Buckling capacity checks:"), std::wstring::npos);
    // Override on with every length exactly 0 (-0.0 is 0 too): the local
    // check alone (tiny ones are refused, see MemberValidation).
    m.member.SetLengthOverride(true);
    m.member.SetLyy(0.0);
    m.member.SetLzz(-0.0);
    m.member.SetLlt(0.0);
    EXPECT_TRUE(m.member.Check());
    EXPECT_EQ(m.result.NumEntries(), 3);
    EXPECT_FALSE(m.result.Buckling());
    // Llt alone not zero: the buckling checks run again.
    m.member.SetLlt(2.0);
    m.member.Check();
    EXPECT_EQ(m.result.NumEntries(), 4);
    EXPECT_TRUE(m.result.Buckling());
}

TEST(CheckDriver, LocalCheckOfEveryStation) {
    // The local check writes one heading per sub-span and checks both ends;
    // the largest utilisation of a sub-span is that of its worse end.
    Member m(L"I D=303 B=203 T=13.1 Tw=7.5 R=15", L"350W", RB::kPinned, RB::kBraced, -200e3, 100e3);
    m.member.SetLengthOverride(true);  // local checks only
    ASSERT_TRUE(m.member.Check());
    auto const text = m.result.GetText(1);
    EXPECT_NE(text.find(L"SubSpan 1: 0.000 m to 3.000 m"), std::wstring::npos);
    EXPECT_NE(text.find(L"LH end: Position = 0.000 m"), std::wstring::npos);
    EXPECT_NE(text.find(L"RH end: Position = 3.000 m"), std::wstring::npos);
    // Both sub-spans reach M = 100 kN.m at mid-span: equal major-axis ratios.
    EXPECT_REL(m.result.Entry(1).Util(UtilKind::LocalMomMajor), m.result.Entry(2).Util(UtilKind::LocalMomMajor));
    EXPECT_GT(m.result.Entry(1).Util(UtilKind::LocalMomMajor), 0.0);
    // Without sub-spans the station loop has nothing to do and passes.
    Probe bare;
    CMemberResult r;
    bare.SetResult(&r);
    bare.SetSection(CSection(L"CHS D=168.3 t=6.4"));
    bare.SetSteelDesignProp(CSteelGrade(L"350W"));
    EXPECT_TRUE(bare.CheckLocal());
}

TEST(CheckDriver, RestraintHandOver) {
    // An I-section is never strut-only: only the first point's restraint
    // reaches its calculator.
    Member i(L"I D=303 B=203 T=13.1 Tw=7.5 R=15", L"350W", RB::kPinned, RB::kBraced, -200e3, 0.0);
    i.member.Check();
    EXPECT_EQ(i.member.Calculator()->MemberRestraint().Bits(), RB::kPinned);
    // A tee connected through its flange at every point: every point's
    // restraint reaches it, the last one remaining (held in translation,
    // pinned, flange connection).
    int const strut = RB::kMajorTranslation | RB::kMinorTranslation | RB::kFlangeConnection;
    Member t(L"T D=152 B=203 T=13.1 Tw=7.5", L"350W", strut, strut | RB::kTorsional, -50e3, 0.0);
    t.member.Check();
    EXPECT_EQ(t.member.Calculator()->MemberRestraint().Bits(), strut);
    EXPECT_TRUE(t.member.Calculator()->IsStrutAndTieOnly());
    EXPECT_NE(t.result.GetText(3).find(L"Strut buckling capacity checks:"), std::wstring::npos);
}

TEST(CheckDriver, FlexuralTorsionalBlockAndIyyWarning) {
    Member i(L"I D=303 B=203 T=13.1 Tw=7.5 R=15", L"350W", RB::kPinned, RB::kBraced, -200e3, 50e3);
    i.member.Check();
    EXPECT_EQ(i.result.GetText(3).find(L"Check flexural-torsional buckling"), std::wstring::npos);
    EXPECT_EQ(i.result.Flags() & 2u, 0u);
    Member c(L"C D=254 B=69.6 T=11.1 Tw=9.63 R=10", L"350W", RB::kPinned | RB::kEndConnection, RB::kBraced,
             -100e3, 10e3);
    c.member.Check();
    EXPECT_NE(c.result.GetText(3).find(L"Check flexural-torsional buckling"), std::wstring::npos);
    // RHS D=200 B=206 t=8: wider than deep, Iyy/Ixx = 1.03 > 1.01 (the
    // ratio of (B^3 D - b^3 d)/(D^3 B - d^3 b) with b = 190, d = 184):
    // the warning and flag 2.
    Member r(L"RHS D=200 B=206 t=8", L"350W", RB::kPinned, RB::kBraced, -100e3, 10e3);
    ASSERT_GT(r.member.Calculator()->Iyy() / r.member.Calculator()->Ixx(), 1.01);
    r.member.Check();
    EXPECT_NE(r.result.GetText(3).find(L"Warning: Iyy is greater than Ixx:"), std::wstring::npos);
    EXPECT_EQ(r.result.Flags() & 2u, 2u);
    // A square tube (ratio 1): no warning.
    Member sq(L"RHS D=200 B=200 t=8", L"350W", RB::kPinned, RB::kBraced, -100e3, 10e3);
    sq.member.Check();
    EXPECT_EQ(sq.result.GetText(3).find(L"Iyy is greater"), std::wstring::npos);
}

TEST(CheckDriver, RefusalsAndQuickCheck) {
    // A cold-formed section is refused at the probe: false, flags 8 and 2,
    // overall +infinity, the shape's message and the driver's line.
    Member cf(L"RHS D=200 B=100 t=8 fab=cold-formed", L"350W", RB::kPinned, RB::kBraced, -100e3, 0.0);
    EXPECT_FALSE(cf.member.Check());
    EXPECT_EQ(cf.result.Flags(), 0xAu);
    EXPECT_EQ(cf.result.UtilOverAll(), kInf);
    EXPECT_EQ(cf.result.GetMarkup(), L"<red>Cold formed sections are not yet supported</red>\n"
                                     L"<b>Section shape not handled by steel code checker</b>\n");
    // The quick check refuses it with no flags, utilisation or driver text.
    CMemberResult q;
    cf.member.SetResult(&q);
    EXPECT_FALSE(cf.member.QuickCheck());
    EXPECT_EQ(q.Flags(), 0u);
    EXPECT_EQ(q.UtilOverAll(), 0.0);
    // A valid member: the quick check writes no text and runs buckling
    // first (its entry holds utilisations), then the stations.
    Member ok(L"I D=303 B=203 T=13.1 Tw=7.5 R=15", L"350W", RB::kPinned, RB::kBraced, -200e3, 100e3);
    ok.member.QuickCheck();
    EXPECT_EQ(ok.result.GetMarkup(), L"");
    EXPECT_FALSE(ok.result.WantsText());
    EXPECT_TRUE(ok.result.Entry(1).IsSet(UtilKind::LocalCombined));
    // A second check on the same result starts afresh: nothing of the
    // cold-formed refusal above remains.
    cf.member.SetResult(&ok.result);
    ok.member.SetResult(&ok.result);
    ok.result.EnableText(true);
    ok.member.Check();
    EXPECT_EQ(ok.result.Flags() & 8u, 0u);
}

TEST(CheckDriver, QuickCheckStopsAtTheFailureBit) {
    // In quick-check mode a routine ends with false as soon as the result
    // holds the failure bit 4: the station loop after its first station,
    // the buckling sequence after its first span check.
    Member m(L"I D=303 B=203 T=13.1 Tw=7.5 R=15", L"350W", RB::kPinned, RB::kBraced, -200e3, 100e3);
    m.member.SetQuickCheckMode();
    m.result.IniDynaArray(4);
    m.result.AddFlags(4);
    EXPECT_FALSE(m.member.CheckLocal());
    EXPECT_TRUE(m.result.Entry(1).IsSet(UtilKind::LocalCombined));   // the left end was checked
    EXPECT_FALSE(m.result.Entry(2).IsSet(UtilKind::LocalCombined));  // sub-span 2 never reached
    m.result.SetEntryIndex(3);
    EXPECT_FALSE(m.member.CheckBucklingGen());
    EXPECT_EQ(m.result.GetText(3).find(L"Check axial buckling minor axis"), std::wstring::npos);
    // Outside quick-check mode the same bit stops nothing.
    m.member.SetQuickCheckMode(false);
    EXPECT_TRUE(m.member.CheckLocal());
    EXPECT_TRUE(m.result.Entry(2).IsSet(UtilKind::LocalCombined));
}

TEST(CheckDriver, CompleteReportOfEveryShape) {
    struct Case {
        char const* name;
        wchar_t const* section;
        wchar_t const* grade;
        int ends;
        double N, M;
    };
    int const beam = RB::kPinned | RB::kEndConnection;
    for (Case const& c : {Case{"check_i", L"I D=303 B=203 T=13.1 Tw=7.5 R=15", L"350W", beam, -300e3, 120e3},
                          Case{"check_channel", L"C D=254 B=69.6 T=11.1 Tw=9.63 R=10", L"300W", beam, -80e3, 15e3},
                          Case{"check_tee", L"T D=152 B=203 T=13.1 Tw=7.5 R=15", L"350W", beam, 60e3, -8e3},
                          Case{"check_rhs", L"RHS D=203 B=102 t=6.4 Ro=12.8", L"350W", beam, -150e3, 25e3},
                          Case{"check_chs", L"CHS D=168.3 t=6.4", L"350W", beam, -250e3, 20e3},
                          Case{"check_angle", L"L D=102 B=76 t=9.5 R=8", L"300W", RB::kPinned, -60e3, 0.0}}) {
        SCOPED_TRACE(c.name);
        Member m(c.section, c.grade, c.ends, RB::kBraced, c.N, c.M);
        m.member.Check();
        ExpectGolden(c.name, Report(m.result));
        // The quick check of the same member never crashes and writes no text.
        CMemberResult q;
        m.member.SetResult(&q);
        m.member.QuickCheck();
        EXPECT_EQ(q.GetMarkup(), L"");
    }
}

TEST(CheckDriver, BeamColumnReportWithThreeSpans) {
    // W310x60-size beam-column over 0, 3, 5 and 8 m: pinned ends, a lateral
    // and torsional brace at 3 m, the top flange held laterally at 5 m;
    // 400 kN compression, major-axis moment -60, +45, +30, -50 kN.m at the
    // points (with a load between them) and a small minor-axis moment.
    CMemberResult result;
    Probe member;
    member.SetResult(&result);
    member.SetSection(CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=15"));
    member.SetSteelDesignProp(CSteelGrade(L"350W"));
    member.SetMemberPointVec({CMemberPoint(0.0, CRestraint(RB::kPinned)), CMemberPoint(3.0, CRestraint(RB::kBraced)),
                              CMemberPoint(5.0, CRestraint(RB::kTopFlangeLateral)),
                              CMemberPoint(8.0, CRestraint(RB::kPinned))});
    double const x[] = {0.0, 3.0, 5.0, 8.0};
    double const Mx[] = {-60e3, 45e3, 30e3, -50e3};
    double const My[] = {0.0, 4e3, 4e3, 0.0};
    std::vector<CSubSpan> subs;
    for (int k = 0; k < 3; ++k) {
        CSubSpan s(k, k, k + 1);
        double const L = x[k + 1] - x[k];
        double const V = (Mx[k + 1] - Mx[k]) / L;
        s.SetForces({-400e3, V, 0}, {-400e3, V, 0});
        s.SetMoments({0, Mx[k], My[k]}, {0, Mx[k + 1], My[k + 1]});
        subs.push_back(s);
    }
    member.SetSubSpanVec(subs);
    member.Check();
    ExpectGolden("check_beam_column", Report(result));
}
