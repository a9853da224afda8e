// The member object and its check driver: names, the section factory, copies, checks that cannot run, input
// validation, the buckling sense, the CSV round trip, entry layout, the local-only rule, restraint hand-over,
// warnings, quick-check stops, and the complete report of a member of every shape pinned by golden files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Tolerance.h"
#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/Section.h"
#include "member/CSA_S16_09_Member.h"
#include "shapes/SectionCalcAngle.h"
#include "shapes/SectionCalcCHS.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"
#include "shapes/SectionCalcRHS.h"
#include "shapes/SectionCalcT.h"

using namespace Corvid::Steel;
using Corvid::Data::CRestraint;
using Corvid::Data::CSection;
namespace S = Corvid::Steel::SteelCSAS1609;
namespace RB = Corvid::Data::RestraintBits;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
wchar_t const* const kW = L"I D=303 B=203 T=13.1 Tw=7.5 R=15";

// Reaches the driver's own steps.
struct Probe : S::CSA_S16_09_Member {
    using CSA_S16_09_Member::CheckBucklingGen, CSA_S16_09_Member::CheckLocal;
};

// A member on points x with restraints bits, sub-spans between them with axial N (tension positive) and major and
// minor moments Mx, My at the points (the shears follow from Mx).
struct Beam {
    CMemberResult result;
    Probe member;
    std::vector<CMemberPoint> points;
    std::vector<CSubSpan> subs;
    Beam(std::vector<double> const& x, std::vector<int> const& bits, double N, std::vector<double> const& Mx,
         std::vector<double> const& My, wchar_t const* section = kW, wchar_t const* grade = L"350W") {
        member.SetResult(&result);
        member.SetSection(CSection(section));
        member.SetSteelDesignProp(CSteelGrade(grade));
        for (std::size_t k = 0; k < x.size(); ++k) points.emplace_back(x[k], CRestraint(bits[k]));
        for (std::size_t k = 0; k + 1 < x.size(); ++k) {
            double const V = (Mx[k + 1] - Mx[k]) / (x[k + 1] - x[k]);
            subs.emplace_back(static_cast<int>(k), static_cast<int>(k), static_cast<int>(k) + 1);
            subs.back().SetForces({N, V, 0}, {N, V, 0});
            subs.back().SetMoments({0, Mx[k], My[k]}, {0, Mx[k + 1], My[k + 1]});
        }
        Apply();
    }
    // 6 m on three points (0, 3, 6 m): the major moment rises from 0 to M at mid-span and back to 0.
    explicit Beam(wchar_t const* section = kW, wchar_t const* grade = L"350W", int ends = RB::kPinned,
                  int mid = RB::kBraced, double N = 0.0, double M = 0.0)
        : Beam({0.0, 3.0, 6.0}, {ends, mid, ends}, N, {0, M, 0}, {0, 0, 0}, section, grade) {}
    void Override(double Lyy, double Lzz, double Llt) {
        member.SetLengthOverride(true); member.SetLyy(Lyy); member.SetLzz(Lzz); member.SetLlt(Llt);
    }
    void Apply() {
        member.SetMemberPointVec(points);
        member.SetSubSpanVec(subs);
    }
    // Validates and returns the report text ("" when accepted).
    std::wstring Refusal() {
        Apply();
        result.Reset();
        if (member.ValidateInputData()) return L"";
        EXPECT_EQ(result.UtilOverAll(), kInf) << "a refused member must not read as passing";
        return result.GetMarkup();
    }
};

bool Says(std::wstring const& text, wchar_t const* what) { return text.find(what) != std::wstring::npos; }

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

TEST(Member, NamesOptionsCountryAndChecksThatCannotRun) {
    S::CSA_S16_09_Member m;
    EXPECT_EQ(m.NumDesOpt(), 2);
    EXPECT_EQ(m.Name(0), L"CSA S16-09");
    EXPECT_EQ(m.Name(1), L"CSA S16-14");
    EXPECT_EQ(m.Name(2), L"CSA S16-09");
    EXPECT_EQ(m.Name(-1), L"CSA S16-09");
    EXPECT_EQ(m.Country(5), L"CA");
    EXPECT_TRUE(m.GetSection().IsEmpty());
    // No result object: checks that cannot run return false, with nothing to write to.
    EXPECT_FALSE(m.Check());
    EXPECT_FALSE(m.QuickCheck());
    EXPECT_EQ(m.GetMemberEffectiveLengthData(), std::nullopt);
    // A result but no calculator: false with a message and a failing overall.
    CMemberResult r;
    m.SetResult(&r);
    EXPECT_FALSE(m.Check());
    EXPECT_EQ(r.UtilOverAll(), kInf);
    EXPECT_TRUE(Says(r.GetMarkup(), L"no section calculator"));
    r.Reset();
    EXPECT_FALSE(m.QuickCheck());
    EXPECT_EQ(r.UtilOverAll(), kInf);
    // Nor without a result object on a complete member.
    Beam b;
    b.member.SetResult(nullptr);
    b.Apply();
    EXPECT_FALSE(b.member.ValidateInputData());
}

TEST(Member, SectionFactoryMakesTheCalculatorOfEachShape) {
    CMemberResult r;
    S::CSA_S16_09_Member m;
    m.SetResult(&r);
    auto made = [&m](wchar_t const* text) {
        EXPECT_TRUE(m.SetSection(CSection(text))) << Corvid::Narrow(text);
        return m.Calculator().get();
    };
    EXPECT_NE(dynamic_cast<S::CSectionCalcI const*>(made(kW)), nullptr);
    EXPECT_NE(dynamic_cast<S::CSectionCalcI const*>(made(L"H D=200 B=200 T=15 Tw=9 R=18")), nullptr);
    EXPECT_NE(dynamic_cast<S::CSectionCalcPFC const*>(made(L"C D=254 B=69.6 T=11.1 Tw=9.63 R=10")), nullptr);
    EXPECT_NE(dynamic_cast<S::CSectionCalcT const*>(made(L"T D=152 B=203 T=13.1 Tw=7.5 R=15")), nullptr);
    EXPECT_NE(dynamic_cast<S::CSectionCalcAngle const*>(made(L"L D=102 B=76 t=9.5 R=8")), nullptr);
    EXPECT_NE(dynamic_cast<S::CSectionCalcCHS const*>(made(L"CHS D=168.3 t=6.4")), nullptr);
    EXPECT_NE(dynamic_cast<S::CSectionCalcRHS const*>(made(L"RHS D=203 B=102 t=6.4")), nullptr);
    EXPECT_EQ(r.Flags(), 0u);
    // A refused supported shape keeps its calculator.
    EXPECT_TRUE(m.SetSection(CSection(L"RHS D=203 B=102 t=6.4 fab=cold-formed")));
    EXPECT_NE(m.Calculator(), nullptr);
    EXPECT_EQ(r.GetMarkup(), L"<red>Cold formed sections are not yet supported</red>\n");
    // An unsupported shape is marked, and a later section still works.
    for (wchar_t const* text : {L"PL B=200 t=10", L"RB D=30", L""}) {
        CMemberResult r;
        S::CSA_S16_09_Member m;
        m.SetResult(&r);
        EXPECT_FALSE(m.SetSection(CSection(text)));
        EXPECT_EQ(m.Calculator(), nullptr);
        EXPECT_EQ(r.Flags(), 0xAu);  // 8 (shape not handled) and 2 (warning)
        EXPECT_EQ(r.UtilOverAll(), kInf);
        EXPECT_EQ(r.GetMarkup(), L"<b>Section shape not handled by steel code checker</b>\n");
        EXPECT_TRUE(m.SetSection(CSection(L"CHS D=168.3 t=6.4")));
        EXPECT_NE(m.Calculator(), nullptr);
    }
    // Without a result object nothing is written and nothing breaks.
    S::CSA_S16_09_Member n;
    EXPECT_FALSE(n.SetSection(CSection(L"RB D=30")));
    EXPECT_TRUE(n.SetSteelDesignProp(CSteelGrade(L"350W")));  // dropped, still true
}

TEST(Member, ClearCloneAreaRatiosAndDesignOption) {
    S::CSA_S16_09_Member m;
    m.SetNetAreaRatio(0.85);
    m.SetEffectiveNetAreaRatio(0.75);
    m.SetSection(CSection(kW));
    m.SetSteelDesignProp(CSteelGrade(L"350W"));
    EXPECT_EQ(m.Calculator()->NetAreaRatio(), 0.85);
    EXPECT_EQ(m.Calculator()->EffectiveNetAreaRatio(), 0.75);
    // A clone owns its own calculator.
    std::unique_ptr<S::CSA_S16_09_Member> copy(m.Clone());
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->Calculator(), nullptr);
    EXPECT_NE(copy->Calculator(), m.Calculator());
    copy->SetSteelDesignProp(CSteelGrade(L"300W"));
    EXPECT_REL(copy->Calculator()->DesignStressMin(), 300e6);
    EXPECT_REL(m.Calculator()->DesignStressMin(), 350e6);
    // Set after the section, the option still names the calculator's code.
    m.SetDesOpt(1);
    EXPECT_EQ(m.Calculator()->CodeName(), L"CSA S16-14");
    m.SetSection(CSection(L"CHS D=168.3 t=6.4"));
    EXPECT_EQ(m.Calculator()->NetAreaRatio(), 0.85);
    EXPECT_EQ(m.Calculator()->CodeName(), L"CSA S16-14");
    copy.reset(m.Clone());
    copy->SetSection(CSection(kW));
    EXPECT_EQ(copy->Calculator()->EffectiveNetAreaRatio(), 0.75);
    m.Clear();
    EXPECT_EQ(m.Calculator(), nullptr);
    EXPECT_EQ(m.GetSection().Name(), L"CHS D=168.3 t=6.4");
    EXPECT_TRUE(m.GetMemberPointVec().empty());
}

TEST(MemberValidation, RefusesEachMalformedInputWithAMessage) {
    auto lengths = [](double Lyy, double Lzz, double Llt) { return [=](Beam& b) { b.Override(Lyy, Lzz, Llt); }; };
    auto omega2 = [](double w) { return [w](Beam& b) { b.member.SetEquivalentUniformMomentFactor(w); }; };
    struct Case {
        std::function<void(Beam&)> change;
        wchar_t const* message;  // nullptr: accepted
    } const cases[] = {
        {[](Beam&) {}, nullptr},
        {[](Beam& b) { b.points.resize(1), b.subs.clear(); }, L"at least two member points"},
        {[](Beam& b) { b.points[2].SetPos(3.0); }, L"member point 3: positions must increase"},
        {[](Beam& b) { b.points[1].SetPos(kNaN); }, L"member point 2: position is not a finite number"},
        {[](Beam& b) { b.subs.pop_back(); }, L"needs 2 sub-spans"},
        {[](Beam& b) { b.subs[1] = CSubSpan(1, 0, 2); }, L"sub-span 2: must join member points 2 and 3"},
        {[](Beam& b) { b.subs[0].SetForces({kInf, 0, 0}, {0, 0, 0}); }, L"sub-span 1: forces are not finite"},
        {[](Beam& b) { b.subs[1].SetMoments({0, 0, 0}, {0, kNaN, 0}); }, L"sub-span 2: moments are not finite"},
        {[](Beam& b) { b.points[0].SetRestraint(CRestraint(0x4)); }, L"undefined bits"},  // a bit without a meaning
        {lengths(6.0, kInf, 6.0), L"override effective lengths must be finite"},
        // Above 0 and below 1 mm: a likely unit error (1e-11 all three used to mean
        // the cross-section checks alone); -0.0001 x 6 m = 0.6 mm. 0 and 1 mm are taken.
        {lengths(1e-11, 1e-11, 1e-11), L"override effective length Lyy = 1e-11 m is below 1 mm"},
        {lengths(6.0, -0.0001, 6.0), L"override effective length Lzz = 0.0006 m is below 1 mm"},
        {lengths(0.0, 0.001, 0.0), nullptr},
        // omega2 outside 1.0 ... 2.5 (CSA S16-09 cl. 13.6(a)); 0.5 used to be taken.
        {omega2(0.5), L"omega2 = 0.5 is outside 1.0 to 2.5 (CSA S16-09 cl. 13.6(a))"},
        {omega2(2.6), L"omega2 = 2.6 is outside 1.0 to 2.5"},
        {omega2(kNaN), L"omega2 = nan is outside"},
        {omega2(1.0), nullptr},
        {omega2(2.5), nullptr},
        {[](Beam& b) { b.member.SetSection(CSection(L"PL B=100 t=10")); }, L"no section calculator"},
        // the grade is not given again
        {[](Beam& b) { b.member.SetSection(CSection(L"CHS D=168.3 t=6.4")); }, L"no steel grade"},
    };
    for (auto const& c : cases) {
        Beam b;
        c.change(b);
        std::wstring const text = b.Refusal();
        EXPECT_TRUE(c.message ? Says(text, c.message) : text.empty()) << Corvid::Narrow(text);
    }
}

TEST(MemberValidation, BucklingSenseFromTheMajorAxisMoments) {
    Beam b;
    auto sense = [&b](double m0, double m1, double m2) {
        b.subs[0].SetMoments({0, m0, 0}, {0, m1, 0});
        b.subs[1].SetMoments({0, m1, 0}, {0, m2, 0});
        b.Apply();
        return b.member.BucklingSenseLT(CSpan(b.member.PointsPtr(), b.member.SubSpansPtr(), 0, 2));
    };
    // A negative major-axis moment compresses the top flange.
    EXPECT_EQ(sense(0, -50e3, 0), CCodeShare::LT_TopFlange);
    EXPECT_EQ(sense(10e3, 50e3, 0), CCodeShare::LT_BottomFlange);
    EXPECT_EQ(sense(-30e3, 10e3, 40e3), CCodeShare::LT_Reversal);
    // 0.4 kN.m against 50 kN.m is below 1 % of the largest: not a reversal.
    EXPECT_EQ(sense(400, -50e3, 0), CCodeShare::LT_TopFlange);
    EXPECT_EQ(sense(0, 0, 0), CCodeShare::LT_TopFlange);
}

TEST(MemberInputCsv, RoundTripsAndRefusesMalformedLines) {
    Beam b;
    b.subs[0].SetForces({-100e3, 5e3, 0}, {-100e3, 5e3, 0});
    b.subs[0].SetMoments({0, 0, 0}, {0, 15e3, 1e3});
    b.subs[1].SetContinuousRestraint(CRestraint(RB::kTopFlangeLateral));
    b.subs[1].SetTransverseLoad(true, false);
    b.points[1].SetRestraint(CRestraint(RB::kBraced, Corvid::Data::LoadDestabilizing, 0.15));
    b.Apply();
    b.member.SetTitle(L"Beam \"B1\", level 2");
    b.member.SetLengthOverride(true);
    b.member.SetLyy(-0.5);
    b.member.SetEquivalentUniformMomentFactor(1.75);
    CSteelGrade grade(L"350W");
    auto const text = b.member.CSVInputData(grade);
    S::CSA_S16_09_Member copy;
    CSteelGrade readGrade;
    ASSERT_TRUE(copy.CSVInputData(text, readGrade));
    EXPECT_EQ(copy.GetTitle(), L"Beam \"B1\", level 2");
    EXPECT_TRUE(copy.LengthOverride());
    EXPECT_EQ(copy.Lyy(), -0.5);
    EXPECT_EQ(copy.EquivalentUniformMomentFactor(), 1.75);
    EXPECT_REL(readGrade.DesignStrength(0.01), 350e6);
    ASSERT_EQ(copy.GetMemberPointVec().size(), 3u);
    EXPECT_TRUE(copy.GetMemberPointVec()[1].GetRestraint() == b.points[1].GetRestraint());
    ASSERT_EQ(copy.GetSubSpanVec().size(), 2u);
    EXPECT_EQ(copy.GetSubSpanVec()[0].GetMomentsRight().z, 1e3);
    EXPECT_TRUE(copy.GetSubSpanVec()[1].HasTransverseLoad(false));
    EXPECT_EQ(copy.GetSubSpanVec()[1].GetContinuousRestraint().Bits(), RB::kTopFlangeLateral);
    // A malformed line leaves the member as it was and says which line.
    CMemberResult r;
    copy.SetResult(&r);
    EXPECT_FALSE(copy.CSVInputData(L"title,\"x\"\npoint,1.0,abc,0,0\n", readGrade));
    EXPECT_EQ(copy.GetTitle(), L"Beam \"B1\", level 2");
    EXPECT_TRUE(Says(r.GetMarkup(), L"CSV line 2"));
    EXPECT_FALSE(copy.CSVInputData(L"bogus,1\n", readGrade));
}

TEST(CheckDriver, EntryLayoutAndTheLocalOnlyRule) {
    // I section in compression and bending: entries 0 (probe, echo), 1 and 2
    // (sub-spans), 3 (buckling; its text is pinned by the golden check_i).
    Beam m(kW, L"350W", RB::kPinned, RB::kBraced, -200e3, 100e3);
    m.member.Check();
    EXPECT_EQ(m.result.NumEntries(), 4);
    EXPECT_TRUE(m.result.Buckling());
    EXPECT_TRUE(m.result.Entry(1).IsSet(UtilKind::LocalCombined));
    EXPECT_TRUE(m.result.Entry(2).IsSet(UtilKind::LocalCombined));
    EXPECT_FALSE(m.result.Entry(3).IsSet(UtilKind::LocalCombined));
    EXPECT_EQ(m.result.Flags() & 2u, 0u);  // no warning
    // Override on with every length exactly 0 (-0.0 is 0 too): the local
    // check alone (tiny ones are refused, see MemberValidation).
    m.Override(0.0, -0.0, 0.0);
    EXPECT_TRUE(m.member.Check());
    EXPECT_EQ(m.result.NumEntries(), 3);
    EXPECT_FALSE(m.result.Buckling());
    // Both sub-spans reach M = 100 kN.m at mid-span: equal major-axis ratios.
    EXPECT_REL(m.result.Entry(1).Util(UtilKind::LocalMomMajor), m.result.Entry(2).Util(UtilKind::LocalMomMajor));
    EXPECT_GT(m.result.Entry(1).Util(UtilKind::LocalMomMajor), 0.0);
    // Llt alone not zero: the buckling checks run again.
    m.member.SetLlt(2.0);
    m.member.Check();
    EXPECT_EQ(m.result.NumEntries(), 4);
    EXPECT_TRUE(m.result.Buckling());
    // Without sub-spans the station loop has nothing to do and passes.
    Probe bare;
    CMemberResult r;
    bare.SetResult(&r);
    bare.SetSection(CSection(L"CHS D=168.3 t=6.4"));
    bare.SetSteelDesignProp(CSteelGrade(L"350W"));
    EXPECT_TRUE(bare.CheckLocal());
}

TEST(CheckDriver, RestraintHandOverAndIyyWarning) {
    // An I-section is never strut-only: only the first point's restraint reaches its calculator.
    Beam i(kW, L"350W", RB::kPinned, RB::kBraced, -200e3, 0.0);
    i.member.Check();
    EXPECT_EQ(i.member.Calculator()->MemberRestraint().Bits(), RB::kPinned);
    // A tee connected through its flange at every point: every point's restraint
    // reaches it, the last one remaining (held in translation, pinned, flange connection).
    int const strut = RB::kMajorTranslation | RB::kMinorTranslation | RB::kFlangeConnection;
    Beam t(L"T D=152 B=203 T=13.1 Tw=7.5", L"350W", strut, strut | RB::kTorsional, -50e3, 0.0);
    t.member.Check();
    EXPECT_EQ(t.member.Calculator()->MemberRestraint().Bits(), strut);
    EXPECT_TRUE(t.member.Calculator()->IsStrutAndTieOnly());
    EXPECT_TRUE(Says(t.result.GetText(3), L"Strut buckling capacity checks:"));
    // RHS D=200 B=206 t=8, wider than deep: Iyy/Ixx = (B^3 D - b^3 d)/(D^3 B - d^3 b)
    // = 1.03 > 1.01 (b = 190, d = 184): the warning and flag 2. A square tube (1.0): neither.
    Beam r(L"RHS D=200 B=206 t=8", L"350W", RB::kPinned, RB::kBraced, -100e3, 10e3);
    ASSERT_GT(r.member.Calculator()->Iyy() / r.member.Calculator()->Ixx(), 1.01);
    r.member.Check();
    EXPECT_TRUE(Says(r.result.GetText(3), L"Warning: Iyy is greater than Ixx:"));
    EXPECT_EQ(r.result.Flags() & 2u, 2u);
    Beam sq(L"RHS D=200 B=200 t=8", L"350W", RB::kPinned, RB::kBraced, -100e3, 10e3);
    sq.member.Check();
    EXPECT_FALSE(Says(sq.result.GetText(3), L"Iyy is greater"));
}

TEST(CheckDriver, RefusalsAndQuickCheck) {
    // A cold-formed section is refused at the probe: false, flags 8 and 2,
    // overall +infinity, the shape's message and the driver's line.
    Beam cf(L"RHS D=200 B=100 t=8 fab=cold-formed", L"350W", RB::kPinned, RB::kBraced, -100e3, 0.0);
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
    // A valid member: the quick check writes no text and runs buckling first
    // (its entry holds utilisations), then the stations.
    Beam ok(kW, L"350W", RB::kPinned, RB::kBraced, -200e3, 100e3);
    ok.member.QuickCheck();
    EXPECT_EQ(ok.result.GetMarkup(), L"");
    EXPECT_FALSE(ok.result.WantsText());
    EXPECT_TRUE(ok.result.Entry(1).IsSet(UtilKind::LocalCombined));
    // A second check on the same result starts afresh: nothing of the refusal remains.
    cf.member.SetResult(&ok.result);
    ok.member.SetResult(&ok.result);
    ok.result.EnableText(true);
    ok.member.Check();
    EXPECT_EQ(ok.result.Flags() & 8u, 0u);
}

TEST(CheckDriver, QuickCheckStopsAtTheFailureBit) {
    // In quick-check mode a routine ends with false as soon as the result holds the failure bit 4: the station loop
    // after its first station, the buckling sequence after its first span check.
    Beam m(kW, L"350W", RB::kPinned, RB::kBraced, -200e3, 100e3);
    m.member.SetQuickCheckMode();
    m.result.IniDynaArray(4);
    m.result.AddFlags(4);
    EXPECT_FALSE(m.member.CheckLocal());
    EXPECT_TRUE(m.result.Entry(1).IsSet(UtilKind::LocalCombined));   // the left end was checked
    EXPECT_FALSE(m.result.Entry(2).IsSet(UtilKind::LocalCombined));  // sub-span 2 never reached
    m.result.SetEntryIndex(3);
    EXPECT_FALSE(m.member.CheckBucklingGen());
    EXPECT_FALSE(Says(m.result.GetText(3), L"Check axial buckling minor axis"));
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
    for (Case const& c : {Case{"check_i", kW, L"350W", beam, -300e3, 120e3},
                          Case{"check_channel", L"C D=254 B=69.6 T=11.1 Tw=9.63 R=10", L"300W", beam, -80e3, 15e3},
                          Case{"check_tee", L"T D=152 B=203 T=13.1 Tw=7.5 R=15", L"350W", beam, 60e3, -8e3},
                          Case{"check_rhs", L"RHS D=203 B=102 t=6.4 Ro=12.8", L"350W", beam, -150e3, 25e3},
                          Case{"check_chs", L"CHS D=168.3 t=6.4", L"350W", beam, -250e3, 20e3},
                          Case{"check_angle", L"L D=102 B=76 t=9.5 R=8", L"300W", RB::kPinned, -60e3, 0.0}}) {
        SCOPED_TRACE(c.name);
        Beam m(c.section, c.grade, c.ends, RB::kBraced, c.N, c.M);
        m.member.Check();
        ExpectGolden(c.name, Report(m.result));
        // The quick check of the same member never crashes and writes no text.
        CMemberResult q;
        m.member.SetResult(&q);
        m.member.QuickCheck();
        EXPECT_EQ(q.GetMarkup(), L"");
    }
    // W310x60-size beam-column over 0, 3, 5 and 8 m: pinned ends, a lateral and torsional brace at 3 m, the top flange
    // held laterally at 5 m; 400 kN compression, major moment -60, +45, +30, -50 kN.m (a load between the points) and a
    // small minor-axis moment.
    Beam b({0.0, 3.0, 5.0, 8.0}, {RB::kPinned, RB::kBraced, RB::kTopFlangeLateral, RB::kPinned}, -400e3,
           {-60e3, 45e3, 30e3, -50e3}, {0.0, 4e3, 4e3, 0.0});
    b.member.Check();
    ExpectGolden("check_beam_column", Report(b.result));
}
