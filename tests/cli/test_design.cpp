// s16check design: the chosen section against every candidate checked in
// full, the same with one and four threads, the own weight by hand, and the
// command's refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "CliRun.h"
#include "Tolerance.h"
#include "app/Design.h"
#include "framework/Section.h"

using namespace s16app;

namespace {

// A member file with a "design" block, the points and the actions given.
MemberInput Member(std::string const& design, std::string const& body) {
    return ReadMemberFile("{\"grade\": \"350W\", \"design\": " + design + ", " + body + "}", "m.json").front();
}

// "points" pinned at 0 and L (m), and the sub-spans of one end action on both ends.
std::string Pinned(char const* L, char const* action = nullptr) {
    return std::string(R"("points": [{"x": 0, "restraint": "pinned"}, {"x": )") + L + R"(, "restraint": "pinned"}])" +
           (action ? std::string(R"(, "subspans": [{"left": )") + action + R"(, "right": )" + action + "}]" : "");
}

// One member of each family, loaded so that a section in the middle of the family is needed.
struct FamilyMember { char const* design; std::string body; };
FamilyMember const kMembers[] = {
    // 10 m beam-column, braced at 2.5 and 7.5 m, 400 kN and 8 kN/m: 4 sub-spans
    {R"({"family": "W"})",
     R"("points": [{"x": 0, "restraint": "pinned"}, {"x": 2.5, "restraint": "braced"}, {"x": 5},
                   {"x": 7.5, "restraint": "braced"}, {"x": 10, "restraint": "pinned"}],
        "subspans": [{"left": {"N": -400, "Vy": -40}, "loads": [{"type": "uniform", "w": 8}]},
                     {"left": {"N": -400, "Vy": -20, "Mx": -75}, "loads": [{"type": "uniform", "w": 8}]},
                     {"left": {"N": -400, "Vy": 0, "Mx": -100}, "loads": [{"type": "uniform", "w": 8}]},
                     {"left": {"N": -400, "Vy": 20, "Mx": -75}, "loads": [{"type": "uniform", "w": 8}]}])"},
    {R"({"family": "HP", "limit": 0.9})", Pinned("6", R"({"N": -1500})")},
    {R"({"family": "C", "max_depth": 310})",
     R"("points": [{"x": 0, "restraint": "pinned"}, {"x": 2, "restraint": "braced"}, {"x": 4, "restraint": "pinned"}],
        "subspans": [{"left": {"Vy": -12}, "loads": [{"type": "uniform", "w": 6}]},
                     {"left": {"Mx": -12}, "loads": [{"type": "uniform", "w": 6}]}])"},
    {R"({"family": "MC"})", Pinned("3") + R"(, "subspans": [{"left": {"Vy": -15}, "loads": [{"type": "uniform", "w": 10}]}])"},
    {R"({"family": "WT", "top": 2})",
     R"("points": [{"x": 0, "restraint": ["pinned", "flange-connected"]}, {"x": 3, "restraint": "pinned"}],
        "subspans": [{"left": {"N": -250}, "right": {"N": -250}}])"},
    {R"({"family": "L"})", Pinned("3", R"({"N": -60})")},
    {R"({"family": "HSS-rect"})", Pinned("5", R"({"N": -300})")},
    {R"({"family": "HSS-square", "min_depth": 120})", Pinned("5") + R"(, "cases": [{"subspans": [{"left": {"N": -450},
        "right": {"N": -450}}]}, {"subspans": [{"left": {"N": 600}, "right": {"N": 600}}]}])"},
    {R"({"family": "HSS-round", "self_weight": true})",
     Pinned("4") + R"(, "subspans": [{"left": {"N": -500, "Vy": -10}, "loads": [{"type": "uniform", "w": 5}]}])"},
};

class Design : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(S16_SHARED_SECTIONS)) GTEST_SKIP() << "section tables not found";
        Corvid::Data::CSection::SetCatalogDirectory(S16_SHARED_SECTIONS);
        run.options.sections = &sections, run.families = &families;
    }
    void TearDown() override { Corvid::Data::CSection::SetCatalogDirectory(""); }
    SectionCache sections;
    FamilyCache families;
    DesignRun run;
};

// The chosen section is the lightest of all candidates passing the full
// check (with the own weight where asked); the failing ones listed are the
// candidates just lighter.
TEST_F(Design, ChosenIsTheLightestPassingOfEveryCandidate) {
    for (auto const& fm : kMembers) {
        SCOPED_TRACE(fm.design);
        MemberInput const input = Member(fm.design, fm.body);
        DesignOutcome const d = DesignMember(input, run);
        auto const family = *FamilyOf(*input.design->family);
        RunOptions full;
        full.text = false, full.sections = &sections;
        std::vector<std::string> passing, failing, warnings;
        for (auto const& c : families.Get(family, "", &sections)) {
            auto const& b = *input.design;
            if ((b.maxDepth && c.depth > *b.maxDepth) || (b.minDepth && c.depth < *b.minDepth)) continue;
            MemberInput m = b.selfWeight ? WithSelfWeight(input, c.mass, 1.25, warnings) : input;
            m.section = c.name;
            MemberOutcome const o = CheckMember(m, full);
            bool const pass = o.Pass() && o.Governing().utilisation <= b.limit.value_or(1.0);
            if (pass) passing.push_back(c.name);
            else if (passing.empty()) failing.push_back(c.name);
            if (passing.size() == static_cast<std::size_t>(b.top.value_or(3))) break;
        }
        ASSERT_TRUE(!passing.empty() && d.chosen && !d.lighterFailing.empty());
        EXPECT_EQ(d.chosen->section, passing.front());
        std::vector<std::string> listed;
        for (auto const& r : d.passing) listed.push_back(r.section);
        EXPECT_EQ(listed, passing);
        EXPECT_EQ(d.lighterFailing.front().section, failing.back());
        EXPECT_TRUE(d.skipped.empty());
    }
}

TEST_F(Design, SameResultOnOneAndFourThreads) {
    std::vector<MemberInput> members;
    for (auto const& fm : kMembers) members.push_back(Member(fm.design, fm.body));
    auto const one = DesignAll(members, run, 1);
    FamilyCache others;
    run.families = &others;
    auto const four = DesignAll(members, run, 4);
    ASSERT_EQ(one.size(), four.size());
    for (std::size_t i = 0; i < one.size(); ++i) {
        ASSERT_TRUE(one[i].outcome && four[i].outcome);
        auto const &a = *one[i].outcome, &b = *four[i].outcome;
        EXPECT_TRUE(a.chosen->section == b.chosen->section && a.chosen->utilisation == b.chosen->utilisation &&
                    a.lighterFailing.size() == b.lighterFailing.size() && a.passing.size() == b.passing.size()) << i;
    }
}

// Two made-up W rows with no fillets (kdes = tf), so the plastic modulus is
// Zx = B T (D - T) + Tw (D - 2T)^2 / 4 and the area A = 2 B T + (D - 2T) Tw:
//   W300x40: D 300, B 150, T 10, Tw 6: Zx = 435000 + 117600 = 552600 mm^3,
//            A = 4680 mm^2, 36.738 kg/m; Mr = 0.9 Zx Fy = 174.069 kN*m
//   W300x50: T 13, Tw 8: Zx = 559650 + 150152 = 709802 mm^3, A = 6092 mm^2,
//            47.822 kg/m; Mr = 223.588 kN*m
// (class 1: 75/10 and 75/13 below 145/sqrt(350) = 7.75, 280/6 below 58.8).
// 6 m simply supported under 38.5 kN/m, cross-section checks only:
// Mf = w L^2 / 8 = 173.250 kN*m, 0.9953 of W300x40's Mr. Its own weight
// adds 1.25 x 36.738 x 9.80665 = 450.35 N/m: Mf = 38.95035 x 4.5 =
// 175.277 kN*m, 1.00694 of Mr; W300x50 with its own weight passes.
TEST(DesignSelfWeight, OwnWeightMakesTheLightSectionFail) {
    std::filesystem::create_directories(clitest::ScratchDir() + "/two_w");
    clitest::WriteFile("two_w/i_shapes.csv",
                       "designation,type,d,bf,tw,tf,k_des_or_r\nW300x50,W,300,150,8,13,13\nW300x40,W,300,150,6,10,10\n");
    std::string const body = Pinned("6") + R"(, "effective_lengths": {"Lyy": 0, "Lzz": 0, "Llt": 0},
        "subspans": [{"left": {"Vy": -115.5}, "loads": [{"type": "uniform", "w": 38.5}]}])";
    Corvid::Data::CSection::SetCatalogDirectory(clitest::ScratchDir() + "/two_w");
    SectionCache sections;
    FamilyCache families;
    DesignRun run;
    run.options.sections = &sections, run.families = &families;
    DesignOutcome const without = DesignMember(Member(R"({"family": "W"})", body), run);
    DesignOutcome const with = DesignMember(Member(R"({"family": "W", "self_weight": true})", body), run);
    Corvid::Data::CSection::SetCatalogDirectory("");
    ASSERT_TRUE(without.chosen && with.chosen);
    EXPECT_EQ(without.chosen->section, "W300x40");
    EXPECT_REL_TOL(without.chosen->utilisation, 173.25 / 174.069, 1e-4);  // hand values to 6 digits
    EXPECT_EQ(with.chosen->section, "W300x50");
    ASSERT_EQ(with.lighterFailing.size(), 1u);
    EXPECT_REL_TOL(with.lighterFailing[0].utilisation, 175.277 / 174.069, 1e-4);  // hand values to 6 digits
}

// The actions the own weight adds to a 6 m member, w = 1 kN/m (factor 1,
// mass 1000/g kg/m), by the supports: V = dM/dx, positive M compresses the
// bottom flange. Simply supported: V = -wL/2 = -3 kN at the left, +3 at the
// right. Fixed-fixed: also M = wL^2/12 = 3 kN*m at both ends. Fixed at the
// left, pinned at the right: M = wL^2/8 = 4.5 there, V = -3 - 4.5/6 =
// -3.75 and -3.75 + 6 = 2.25. Cantilevers: M = wL^2/2 = 18 and V = -wL = -6
// at a fixed left end, 18 and +6 at a fixed right end, 0 at the free tip.
TEST(DesignSelfWeight, EndActionsOfTheSupports) {
    struct Case { char const *left, *right; double Vl, Ml, Vr, Mr; } const cases[] = {  // kN, kN*m
        {"pinned", "pinned", -3, 0, 3, 0}, {"fixed", "fixed", -3, 3, 3, 3}, {"fixed", "pinned", -3.75, 4.5, 2.25, 0},
        {"fixed", "free", -6, 18, 0, 0},   {"free", "fixed", 0, 0, 6, 18},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.left) + "-" + c.right);
        MemberInput const in = Member("{}", std::string(R"("points": [{"x": 0, "restraint": ")") + c.left +
                                                R"("}, {"x": 6, "restraint": ")" + c.right + R"("}],
            "subspans": [{"left": {"Vy": -3, "Mx": 10}, "loads": [{"type": "uniform", "w": 1}]}])");
        std::vector<std::string> warnings;
        MemberInput const out = WithSelfWeight(in, 1000.0 / 9.80665, 1.0, warnings);
        auto const& a = in.cases[0].subspans[0];
        auto const& b = out.cases[0].subspans[0];
        // The input's end actions (-3 and 3 kN, 10 kN*m) are never 0: each sum compared relatively.
        EXPECT_REL(b.left.Vy, a.left.Vy + c.Vl * 1e3);
        EXPECT_REL(b.left.Mx, a.left.Mx + c.Ml * 1e3);
        EXPECT_REL(b.right.Vy, a.right.Vy + c.Vr * 1e3);
        EXPECT_REL(b.right.Mx, a.right.Mx + c.Mr * 1e3);
        EXPECT_TRUE(warnings.empty());
    }
}

// A member without a family, limits that exclude every section, self-weight
// on a continuous beam and a family the catalogue lacks are refused naming
// the field (the block's own fields: tests/python/test_schema.py); a check
// run refuses a member to design.
TEST(DesignInput, RefusedNamingTheField) {
    std::string const beam = R"({"grade": "350W", "design": DESIGN, "points": [{"x": 0, "restraint": "pinned"},
        {"x": 3, "restraint": "pinned"}, {"x": 6, "restraint": "pinned"}],
        "subspans": [{"left": {"Vy": -10}, "loads": [{"type": "uniform", "w": 5}]},
                     {"left": {"Vy": -10}, "loads": [{"type": "uniform", "w": 5}]}]})";
    struct Case { char const *design, *args, *message; } const cases[] = {
        {"{}", "", "m.json: design.family: no family given"},
        {"{}", "--family Z", "--family: unknown family \"Z\""},
        {R"({"family": "HSS-round", "max_depth": 20, "limit": 0.005})", "", "m.json: design: the limits (max_depth 20 mm) exclude every HSS-round section"},
        {R"({"family": "HSS-round", "self_weight": true})", "", "m.json: design.self_weight: the actions of the own weight"},
        {R"({"family": "HSS-round"})", "--family W", "m.json: design.family: also given on the command line"},
        {"{}", "--family W", "m.json (--family): the W sections come from the catalogue"},
        {R"({"family": "HP"})", "--catalog only_w", "m.json: design.family: the section catalogue \"only_w\" holds no HP"},
    };
    std::filesystem::create_directories(clitest::ScratchDir() + "/only_w");
    clitest::WriteFile("only_w/i_shapes.csv", "designation,type,d,bf,tw,tf,k_des_or_r\nW300x40,W,300,150,6,10,10\n");
    for (auto const& c : cases) {
        SCOPED_TRACE(c.design);
        std::string text = beam;
        text.replace(text.find("DESIGN"), 6, c.design);
        clitest::WriteFile("m.json", text);
        // No catalogue from the environment: the W case needs none to be set.
        auto const r = clitest::RunShell("env -u S16_SECTION_CATALOG '" + clitest::Binary() + "' design m.json " + c.args);
        EXPECT_TRUE(r.status == 2 && r.err.find(c.message) != std::string::npos) << r.err;
    }
    auto const check = clitest::RunCli("check m.json");
    EXPECT_EQ(check.status, 2);
    EXPECT_NE(check.err.find("m.json: design: a member with a \"design\" block"), std::string::npos) << check.err;
}

// With no catalogue the square tubes are the CSA G40.20 list's.
TEST(DesignInput, TubesWithoutCatalogueFromTheG40List) {
    auto const r = clitest::RunShell("env -u S16_SECTION_CATALOG '" + clitest::Binary() + "' design '" +
                                     clitest::Example("design_brace.json") + "' --format json");
    ASSERT_EQ(r.status, 0) << r.err;
    auto const chosen = clitest::ParseOutput(r)["members"][0]["chosen"]["section"].get<std::string>();
    auto const list = G40Sizes(Family::HssSquare);
    EXPECT_NE(std::find(list.begin(), list.end(), chosen), list.end()) << chosen;
}

}  // namespace
