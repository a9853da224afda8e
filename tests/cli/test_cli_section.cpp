// s16check section: properties, classes and resistances of one section, and
// the command line's own behaviour (help, version, usage errors).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CliRun.h"
#include "Tolerance.h"
#include "SectionTables.h"

using clitest::ParseOutput;
using clitest::RunCli;
using clitest::RunShell;

TEST(CliSection, RectangularTubeByHand) {
    auto const r = RunCli("section 'RHS D=200 B=100 t=10' --format json");
    ASSERT_EQ(r.status, 0) << r.err;
    auto const j = ParseOutput(r);
    EXPECT_TRUE(j["shape"] == "rectangular hollow section" && j["shape_code"] == 9 && j["fabrication"] == "rolled") << j;
    EXPECT_REL(j["dimensions"]["D"].get<double>(), 0.2);
    auto const& p = j["properties"];
    // Square corners: A = 200*100 - 180*80 = 5600 mm²;
    // Ixx = (100*200³ - 80*180³)/12 = 27.7867e6 mm⁴;
    // plastic Sxx = (100*200² - 80*180²)/4 = 352e3 mm³;
    // elastic Zxx = Ixx/100 = 277.867e3 mm³.
    double const Ixx = (100.0 * 8e6 - 80.0 * 5832e3) / 12.0;
    for (auto const& [key, v] : std::initializer_list<std::pair<char const*, double>>{
             {"A", 5600e-6}, {"Ixx", Ixx * 1e-12}, {"Sxx", 352e3 * 1e-9}, {"Zxx", Ixx / 100 * 1e-9}})
        EXPECT_REL(p[key].get<double>(), v) << key;
    EXPECT_FALSE(p.contains("Iuu"));  // principal axes are given for angles only
    // 350W at 10 mm: Fy 350 MPa, Fu 450 MPa (CSA G40.21).
    EXPECT_REL(j["grade"]["Fy"].get<double>(), 350e6);
    EXPECT_REL(j["grade"]["Fu"].get<double>(), 450e6);
    // Flange (100-2*10)/10 = 8 and web (200-2*10)/10 = 18 are class 1 for
    // every case here (limit 420/sqrt(350) = 22.4 for the flange in
    // compression, CSA S16-09 Table 1).
    for (char const* k : {"overall", "axial", "major", "minor"}) EXPECT_EQ(j["classes"][k], 1) << k;
    auto const& res = j["resistances"];
    // CSA S16-09 cl. 13.2(a): Tr = 0.9*5600*350 N = 1 764 000 N (0.75*5600*450
    // = 1 890 000 N is larger); squash load (cl. 13.3.1 with lambda = 0)
    // the same; cl. 13.5(a): Mrx = 0.9*352e3*350 N.mm = 110 880 N.m.
    EXPECT_REL(res["Tr"].get<double>(), 1764000.0);
    EXPECT_REL(res["Cr"].get<double>(), 1764000.0);
    EXPECT_REL(res["Mrx"].get<double>(), 110880.0);
    // CSA S16-09 cl. 13.4.1.1, the webs (walls of depth D) along the depth:
    // hw/t = (200 - 4*10)/10 = 16 <= 54.2, Vr = 0.9*2*200*10*0.66*350 N =
    // 831 600 N; the flanges across: 0.9*2*100*10*231 N = 415 800 N.
    EXPECT_REL(res["Vr_major"].get<double>(), 831600.0);
    EXPECT_REL(res["Vr_minor"].get<double>(), 415800.0);
    EXPECT_EQ(j["shear_resisted_by"]["Vr_major"],
              "major-axis shear (along the depth): webs (the two walls of depth D), hw = D - 4*tf");
}

TEST(CliSection, AnglesCodesAndRefusals) {
    auto const angle = ParseOutput(RunCli("section 'L D=102 B=76 t=9.5 R=10' --format json --code 'CSA S16-14'"));
    EXPECT_EQ(angle["code"], "CSA S16-14");
    for (char const* k : {"Iuu", "Ivv", "alpha"}) EXPECT_TRUE(angle["properties"].contains(k)) << k;
    // Principal second moments keep the sum of the axis ones.
    auto const& p = angle["properties"];
    EXPECT_REL(p["Iuu"].get<double>() + p["Ivv"].get<double>(), p["Ixx"].get<double>() + p["Iyy"].get<double>());
    for (auto const& [args, error] : std::initializer_list<std::pair<char const*, char const*>>{
             {"'PL B=100 t=10'", "the design code does not handle this flat plate section"},
             {"'RHS D=200 B=100 t=10' --grade 999Z", "--grade: unknown steel grade"}}) {
        auto const r = RunCli(std::string("section ") + args);
        EXPECT_TRUE(r.status == 2 && r.err.find(error) != std::string::npos) << r.err;
    }
    EXPECT_NE(RunCli("section 'RHS D=200 B=100 t=10'").out.find("Tr        1.764e+06"), std::string::npos);
    // ASTM A500 Grade C: a round tube takes Fy 317 MPa, a rectangular one 345.
    EXPECT_REL(ParseOutput(RunCli("section HSS168x6.4 --grade 'A500 Grade C' --format json"))["grade"]["Fy"].get<double>(),
               317e6);
    EXPECT_REL(ParseOutput(RunCli("section HSS102x102x6.4 --grade A500C --format json"))["grade"]["Fy"].get<double>(),
               345e6);
}

TEST(CliCommandLine, HelpVersionAndUsageErrors) {
    // --version: CliOutput.JsonLayoutAndUnboundedUtilisations. The bash completion is valid bash and completes every command that
    // --help lists under "Subcommands:" and every --option of every help.
    std::string const script = std::string(S16_EXAMPLES_DIR) + "/../scripts/s16check-completion.bash";
    EXPECT_EQ(RunShell("bash -n '" + script + "'").status, 0);
    auto const r = RunShell("(b='" + clitest::Binary() + "'; cmds=$($b --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 {print $1}');" +
                 R"( { echo "$cmds"; for c in "" $cmds; do $b $c --help || echo --help-failed; done |)" +
                 R"( grep -o -- '--[a-z][a-z-]*'; } | sort -u | tee /dev/stderr | while read -r w; do)" +
                 R"sh( grep -qE -- "(^|[^a-z-])$w($|[^a-z-])" ')sh" + script + "' || echo \"$w\"; done)");
    EXPECT_EQ(r.out, "") << "not completed";
    for (char const* word : {"design", "--catalog", "--no-color", "--max-width", "--list"})
        EXPECT_NE(("\n" + r.err).find(std::string("\n") + word + "\n"), std::string::npos) << word;
    EXPECT_EQ(RunCli("").status, 2);                               // no command
    EXPECT_EQ(RunCli("check").status, 2);                          // no file
    EXPECT_EQ(RunCli("check --format xml x.json").status, 2);      // unknown format
    EXPECT_EQ(RunCli("check --jobs 0 x.json").status, 2);          // no workers
    EXPECT_EQ(RunCli("section X --code 'CSA S16-01'").status, 2);  // unknown code
    // An unknown command (exit 2): the nearest when a letter is missing, two
    // are swapped or it is a beginning, else the list.
    EXPECT_EQ(RunCli("chek x.json").status, 2);
    for (auto const& [word, told] : std::vector<std::pair<std::string, std::string>>{
             {"chek", "; did you mean 'check'?"}, {"sectoin", "; did you mean 'section'?"},
             {"des", "; did you mean 'design'?"}, {"verify", " (commands: check, design, section)"}})
        EXPECT_EQ(RunCli(word + " x.json").err, "s16check: unknown command '" + word + "'" + told + "\n");
}

TEST(CliSection, CanadianNamesAndCatalogueListing) {
    if (!std::filesystem::is_directory(S16_SHARED_SECTIONS)) S16_SKIP_WITHOUT_TABLES("section tables not found");
    std::string const catalog = std::string(" --catalog '") + S16_SHARED_SECTIONS + "'";
    // i_shapes.csv lists W250x38.5 then W250x32.7 under W250x3.
    auto r = RunCli("section --list 'w250x3'" + catalog);
    EXPECT_TRUE(r.status == 0 && r.out == "W250x38.5\nW250x32.7\n") << r.out << r.err;
    EXPECT_EQ(RunCli("section --list ZZ" + catalog).status, 2);
    // i_shapes.csv W310x60 tabulates Ix = 128e6 mm^4: used as it stands, and named.
    auto const w = ParseOutput(RunCli("section W310x60 --format json" + catalog));
    EXPECT_TRUE(w["properties"]["Ixx"].get<double>() == 128 * 1e-6 && w["tabulated"][1] == "Ixx") << w;
    EXPECT_EQ(RunCli("section W310x60 --list W" + catalog).status, 2);  // one or the other
    EXPECT_EQ(RunCli("section --list W --grade 300W" + catalog).status, 2);  // no effect on a listing
    // A G40.20 tube needs no catalogue; a member of W250x33 (W250x32.7) is checked.
    EXPECT_EQ(RunCli("section HSS102x102x6.4").status, 0);
    clitest::WriteFile("w250x33.json", clitest::Pinned("W250x33", "3", R"(, "subspans": [{"left": {"Mx": -20}, "right": {"Mx": -20}}])"));
    r = RunCli("check w250x33.json --detail full" + catalog);
    EXPECT_TRUE(r.status == 0 && r.out.find("W250x32.7") != std::string::npos) << r.err;
    // The report shows the table's values (i_shapes.csv W250x32.7: Ix 49.1e6 mm^4, Zx 426e3 mm^3).
    EXPECT_NE(r.out.find("Ixx  = 49.10 x10⁶ mm⁴ (tabulated)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Sxx  = 426.0 x10³ mm³ (tabulated)"), std::string::npos);
    // A corrupt catalogue row (root radius 259 for 25.9) stops a member using it.
    RunShell("mkdir -p corrupt");
    clitest::WriteFile("corrupt/i_shapes.csv", "designation,type,d,bf,tw,tf,k_des_or_r\nW250x32.7,W,259,146,6.1,9.14,168\n");
    r = RunCli("check w250x33.json --catalog corrupt");
    EXPECT_TRUE(r.status == 2 && r.err.find("i_shapes.csv, line 2 (W250x32.7), column \"k_des_or_r\"") != std::string::npos) << r.err;
}
