// What the binary writes: the bundled examples, the three formats, exit
// codes, load cases and parallel runs (the HTML page in a browser: tests/html).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>

#include "CliRun.h"
#include "app/Render.h"
#include "Tolerance.h"

using namespace clitest;

namespace {
constexpr char const* kExamples[] = {"simply_supported_beam.json", "beam_column.json", "rhs_brace.json",
                                     "angle_strut.json", "loaded_beam.json"};

}  // namespace

TEST(CliOutput, EveryExampleChecksInEveryFormat) {
    for (char const* name : kExamples) {
        SCOPED_TRACE(name);
        auto const json = RunCli("check --format json '" + Example(name) + "'");
        auto const j = ParseOutput(json);
        ASSERT_EQ(j["members"].size(), 1u) << json.err;
        auto const& m = j["members"][0];
        EXPECT_TRUE(m["checked"].get<bool>());
        // The examples are sized to pass: every cross-section check below 1;
        // with finite member buckling checks they pass as a whole.
        bool bucklingFinite = true;
        for (auto const& c : m.contains("cases") ? m["cases"] : nlohmann::json::array({m}))
            for (auto const& e : c["entries"]) {
                if (!e.contains("util")) continue;  // the section's own entry
                for (auto const& u : e["util"].items()) {
                    if (e["kind"] == "local") { EXPECT_TRUE(!u.value().is_null() && u.value().get<double>() < 1.0) << u.value(); }
                    if (e["kind"] == "buckling") bucklingFinite = bucklingFinite && !u.value().is_null();
                }
            }
        EXPECT_EQ(json.status, m["pass"].get<bool>() ? 0 : 1);
        EXPECT_TRUE(!bucklingFinite || json.status == 0) << json.out.substr(0, 2000);
        for (char const* format : {"text", "jsonl", "html", "csv"}) {
            auto const r = RunCli(std::string("check --format ") + format + " '" + Example(name) + "'");
            EXPECT_EQ(r.status, json.status) << format;
            EXPECT_EQ(r.err, "") << format;
        }
    }
}

namespace {
// Every text value of a document sits under a key that holds text (or a
// list of texts); anything else is a number, true, false or null.
void ExpectNumbersNotText(nlohmann::json const& j, std::string const& key = "") {
    static std::set<std::string> const text = {
        "title", "code", "section", "grade", "name", "governing_check", "kind", "Le_from", "omega2_from",
        "compression_flange", "buckling_note", "report", "source", "input_units", "version", "error",
        "governing_case", "check", "clause", "demand_symbol", "resistance_symbol", "flag_names", "warnings",
        "unbounded", "where", "family", "reason"};
    if (j.is_string()) { EXPECT_EQ(text.count(key), 1u) << key << ": " << j; }
    if (j.is_structured())
        for (auto const& item : j.items()) ExpectNumbersNotText(item.value(), j.is_object() ? item.key() : key);
}

// Three members in tension on Tr = 0.9 (5600 mm2)(350 MPa) = 1764 kN
// (CSA S16-09 cl. 13.2(a)): 882 kN gives 0.5, 1852.2 kN 1.05, 1323 kN 0.75;
// the fourth's section lacks its dimensions.
std::string ThreeTiesAndABadOne() {
    return WriteFile("ties3.json", "{\"members\": [" + LocalMember(R"({"N": 882})", R"(, "title": "a")") + "," +
                                       LocalMember(R"({"N": 1852.2})", R"(, "title": "b")") + "," +
                                       LocalMember(R"({"N": 1323})", R"(, "title": "c")") + "," + R"({"title": "d",
      "section": "I D=303", "grade": "350W", "points": [{"x": 0}, {"x": 3}], "subspans": [{"left": {}, "right": {}}]}]})");
}
}  // namespace

TEST(CliOutput, JsonLayoutAndUnboundedUtilisations) {
    // Local-only member: entries 0 (input) and 1 (sub-span 0), no buckling
    // entry. 882 kN of tension on A = 5600 mm² of 350W: 882/(0.9*5600*350e-3)
    // = 0.5 (CSA S16-09 cl. 13.2(a)).
    WriteFile("local.json", LocalMember(R"({"N": 882})", R"(, "title": "tie T1")"));
    auto const local = ParseOutput(RunCli("check --format json --report text local.json"))["members"][0];
    EXPECT_EQ("s16check " + local["version"].get<std::string>() + "\n", RunCli("--version").out);
    EXPECT_TRUE(local["title"] == "tie T1" && local["code"] == "CSA S16-09" && local["section"] == "RHS D=200 B=100 t=10");
    ASSERT_EQ(local["entries"].size(), 2u);
    EXPECT_EQ(local["entries"][0], (nlohmann::json{{"index", 0}, {"kind", "input"}}));
    EXPECT_TRUE(local["entries"][1]["kind"] == "local" && local["entries"][1]["subspan"] == 0) << local["entries"][1];
    EXPECT_REL(local["entries"][1]["util"]["axial"].get<double>(), 0.5);
    EXPECT_NE(local["report"].get<std::string>().find("Tr = min(Tr1, Tr2, Tr3)"), std::string::npos);
    // The same lines (tabs, U+00B2 and the like) as the full text report writes them.
    EXPECT_NE(RunCli("check --detail full local.json").out.find(local["report"].get<std::string>()), std::string::npos);
    // With the buckling checks: a third entry of kind "buckling".
    WriteFile("full.json", Pinned("RHS D=200 B=100 t=10", "3", R"(, "subspans": [{"left": {"N": -100}, "right": {"N": -100}}])"));
    auto const full = ParseOutput(RunCli("check --format json full.json"))["members"][0];
    ASSERT_EQ(full["entries"].size(), 3u);
    auto const& b = full["entries"][2];
    EXPECT_TRUE(b["index"] == 2 && b["kind"] == "buckling" && b["util"].contains("axial_major")) << b;
    // Once per member, the section's resistances: Tr = 0.9 (5600 mm2)(350 MPa)
    // = 1764 kN (cl. 13.2(a)); per span its working: pinned at both ends,
    // Le = 3 m (Annex F, K = 1) under Cu = 100 kN.
    EXPECT_REL(full["section_resistances"]["Tr"].get<double>(), 1764e3);
    auto const& major = full["spans"][0];
    EXPECT_TRUE(major["kind"] == "major-axis" && major["Le_from"] == "CSA S16-09 Annex F") << major;
    EXPECT_REL(major["Le"].get<double>(), 3.0);
    EXPECT_REL(major["Cu"].get<double>(), 100e3);
    // A single angle carries no shear: any shear is +infinity, written null
    // and named in "unbounded".
    WriteFile("angle.json", Pinned("L D=102 B=76 t=9.5 R=10", "2", R"(, "effective_lengths": {"Lyy": 0, "Lzz": 0, "Llt": 0},
      "subspans": [{"left": {"N": -10, "Vy": 1}, "right": {"N": -10, "Vy": 1}}])"));
    auto const angle = RunCli("check --format json angle.json");
    EXPECT_EQ(angle.status, 1);
    auto const a = ParseOutput(angle)["members"][0];
    EXPECT_TRUE(a["utilisation"].is_null() && a["entries"][1]["util"]["shear_major"].is_null());
    EXPECT_EQ(a["unbounded"], nlohmann::json::array({"local major-axis shear"}));
    EXPECT_FALSE(a.contains("report") || a["pass"].get<bool>());  // --report none is the default of JSON
    EXPECT_NE(std::find(a["flag_names"].begin(), a["flag_names"].end(), "major-shear-on-strut"), a["flag_names"].end());
    // No text where a number belongs, with the report, in every example and design.
    std::string files = "angle.json";
    for (char const* name : kExamples) files += " '" + Example(name) + "'";
    ExpectNumbersNotText(ParseOutput(RunCli("check --format json --report text " + files)));
    for (char const* name : {"design_beam.json", "design_brace.json", "design_column.json"})
        ExpectNumbersNotText(ParseOutput(RunCli("design --format json '" + Example(name) + "'")));
}

TEST(CliOutput, SlendernessAndSkippedBucklingChecksAreNamed) {
    // RHS 200x100x10 pinned: ry^2 = (200*100^3 - 180*80^3)/12 / 5600 mm^2,
    // ry = 40.06 mm. 12.5 m in tension: L/r = 312 > 300 (CSA S16-09
    // cl. 10.4.2.2), a warning only. 8.5 m under 100 kN: KL/r = 212.2 > 200
    // (cl. 10.4.2.1) fails although Cu/Cr = 100/211.4 = 0.47: U = 212.2/200.
    double const ry = std::sqrt((200 * 1e6 - 180 * 512e3) / 12 / 5600) / 1000;  // m
    WriteFile("ties.json", "{\"members\": [" + Pinned("RHS D=200 B=100 t=10", "12.5", R"(, "subspans": [{"left": {"N": 100},
      "right": {"N": 100}}])") + "," + Pinned("RHS D=200 B=100 t=10", "8.5", R"(, "subspans": [{"left": {"N": -100},
      "right": {"N": -100}}])") + "]}");
    WriteFile("local.json", LocalMember(R"({"N": 882})"));
    for (char const* quick : {"", " --quick"}) {
        auto const json = RunCli(std::string("check --format json ties.json local.json") + quick);
        EXPECT_EQ(json.status, 1);
        auto const j = ParseOutput(json);
        auto const& m = j["members"];
        EXPECT_TRUE(m[0]["pass"].get<bool>() && !m[1]["pass"].get<bool>());
        EXPECT_EQ(m[0]["flag_names"].dump(), R"(["warning","tension-slenderness"])");
        EXPECT_EQ(m[1]["flag_names"].dump(), R"(["minor-axis-buckling","slenderness"])");
        EXPECT_REL(m[1]["utilisation"].get<double>(), 8.5 / ry / 200);
        EXPECT_TRUE(m[1]["buckling_checked"].get<bool>() && !m[2]["buckling_checked"].get<bool>());
        EXPECT_EQ(m[2]["buckling_note"], "all effective lengths overridden to 0 (cross-section checks only)");
    }
    auto const text = RunCli("check ties.json local.json").out;
    for (char const* line : {"Warning (tension-slenderness): L/r above 300 in tension, CSA S16-09 cl. 10.4.2.2",
                             "Failure (slenderness): KL/r above 200 in compression, CSA S16-09 cl. 10.4.2.1",
                             "Buckling checks not performed: all effective lengths overridden to 0 (cross-section "
                             "checks only)"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST(CliOutput, ReconstructedLoadSaidInTheReportAndOnceOnStandardError) {
    // End shears -15 and +15 kN over 3 m with no loads: w = 30/3 = 10 kN/m.
    WriteFile("shears.json", Pinned("RHS D=200 B=100 t=10", "3", R"(, "subspans": [{"left": {"Vy": -15}, "right": {"Vy": 15}}])"));
    auto const r = RunCli("check shears.json");
    EXPECT_EQ(r.err, "s16check: warning: shears.json: subspans[0]: no loads given: a uniform load reconstructed "
                     "from the end shears\n");
    EXPECT_NE(r.out.find("uniform load 10.000 kN/m in the plane of the web from 0.000 m to 3.000 m, reconstructed"),
              std::string::npos);
    EXPECT_NE(r.out.find("station x = 1.500 m: zero of the shear (moment peak)"), std::string::npos) << r.out;
    // The same shears with Mx = 50 kN.m at the right end: a uniform load
    // gives M1 = M0 + (V0 + V1) L / 2 = 0, so none fits; the shear changes
    // sign: the moment between the ends is unknown.
    WriteFile("unknown.json", Pinned("RHS D=200 B=100 t=10", "3", R"(, "subspans": [{"left": {"Vy": -15}, "right": {"Vy": 15, "Mx": 50}}])"));
    EXPECT_EQ(RunCli("check unknown.json").err,
              "s16check: warning: unknown.json: subspans[0]: the shear changes sign in the plane of the web but the "
              "end actions fit no uniform load: the moment between the ends is unknown (give the loads, or the "
              "actions at a point inside)\n");
}

TEST(CliOutput, ExitCodesAndLoadCases) {
    // 1852.2 kN of tension against Tr = 1764 kN: utilisation 1.05, exit 1.
    WriteFile("over.json", LocalMember(R"({"N": 1852.2})"));
    auto const over = RunCli("check over.json");
    EXPECT_EQ(over.status, 1);
    EXPECT_NE(over.out.find("FAIL"), std::string::npos);
    // Cases 882 kN and 1323 kN: utilisations 0.5 and 0.75; the second governs.
    WriteFile("cases.json", Pinned("RHS D=200 B=100 t=10", "3", R"(, "effective_lengths": {"Lyy": 0, "Lzz": 0, "Llt": 0},
      "cases": [{"name": "service", "subspans": [{"left": {"N": 882}, "right": {"N": 882}}]},
                {"name": "ultimate", "subspans": [{"left": {"N": 1323}, "right": {"N": 1323}}]}])"));
    auto const r = RunCli("check --format json cases.json");
    EXPECT_EQ(r.status, 0);
    auto const m = ParseOutput(r)["members"][0];
    EXPECT_TRUE(m["governing_case"] == "ultimate" && m["cases"].size() == 2 && m["cases"][0]["name"] == "service");
    EXPECT_REL(m["utilisation"].get<double>(), 0.75);
    EXPECT_REL(m["cases"][0]["utilisation"].get<double>(), 0.5);
    // The quick check gives the utilisations and no report.
    auto const quick = ParseOutput(RunCli("check --quick --format json cases.json"))["members"][0];
    EXPECT_REL(quick["utilisation"].get<double>(), 0.75);
    EXPECT_FALSE(quick.contains("report"));
    // A failing quick check stops at its first failure: only failing checks are listed.
    auto const quickOver = ParseOutput(RunCli("check --quick --format json over.json"))["members"][0];
    ASSERT_FALSE(quickOver["checks_complete"].get<bool>() || quickOver["checks"].empty());
    for (auto const& c : quickOver["checks"]) EXPECT_FALSE(c["pass"].get<bool>()) << c;
    // Text: the summary names the governing case; one failing member of
    // two makes the run fail.
    auto const text = RunCli("check cases.json over.json");
    EXPECT_TRUE(text.status == 1 && text.out.find("Checks (governing case \"ultimate\")") != std::string::npos &&
                text.out.find("2 members: 1 pass, 1 fail") != std::string::npos) << text.out;
}

TEST(CliOutput, ColoursAndProgressOnlyOnATerminal) {
    if (RunShell("command -v script").status != 0) GTEST_SKIP() << "util-linux script (to run under a terminal) is not installed";
    std::string const bin = "'" + clitest::Binary() + "' check '" + Example("beam_column.json") + "' '" +
                            Example("rhs_brace.json") + "'";
    auto const tty = RunShell("script -qec \"" + bin + "\" /dev/null");
    EXPECT_TRUE(tty.out.find("\x1b[1m") != std::string::npos && tty.out.find("2/2") != std::string::npos);  // bold, progress
    auto const plain = RunShell("script -qec \"" + bin.substr(0, bin.rfind(" '")) + " --no-color\" /dev/null");  // 1 member
    EXPECT_TRUE(plain.out.find("\x1b[1m") == std::string::npos && plain.out.find("] 1/1") == std::string::npos) << plain.out;
    EXPECT_EQ(RunCli("check '" + Example("beam_column.json") + "'").out.find('\x1b'), std::string::npos);
}

TEST(CliOutput, BatchViewsSortedByUtilisation) {
    std::string const file = ThreeTiesAndABadOne();
    // Text: "  N   title ..." rows after "Members"; HTML: the summary rows.
    std::regex const textRow(R"(\n  (\d+) +(?:[abc] |ERROR))"), htmlRow(R"re(<tr class="\w+"><td>(\d+)</td>)re");
    struct Case { char const* args; std::regex const* row; std::vector<int> order; } const cases[] = {
        {"", &textRow, {1, 2, 3, 4}},
        {"--sort utilisation", &textRow, {4, 2, 3, 1}},  // the error first, then 1.05, 0.75, 0.5
        {"--format html --sort input", &htmlRow, {1, 2, 3, 4}},
        {"--format html --sort utilisation", &htmlRow, {4, 2, 3, 1}},
    };
    for (auto const& c : cases) {
        auto const r = RunCli(std::string("check ") + c.args + " " + file);
        std::vector<int> order;  // the member numbers of the rows, in the order shown
        for (std::sregex_iterator it(r.out.begin(), r.out.end(), *c.row), end; it != end; ++it) order.push_back(std::stoi((*it)[1]));
        EXPECT_TRUE(r.status == 2 && order == c.order) << c.args << "\n" << r.out.substr(r.out.size() > 800 ? r.out.size() - 800 : 0);
    }
}

TEST(CliOutput, CsvAndJsonLinesOneLinePerMember) {
    // A title with a formula start, quotes, a comma, a line feed and a bell.
    WriteFile("hostile.json", "{\"members\": [" + LocalMember(R"({"N": 882})", R"(, "title": "=1+\"x\", y\n\u0007")") +
                                  "]}");
    std::string const ties = ThreeTiesAndABadOne(), files = "hostile.json " + ties;
    auto const csv = RunCli("check --format csv " + files);
    EXPECT_EQ(csv.status, 2);
    std::vector<std::string> rows;
    for (std::istringstream lines(csv.out); std::getline(lines, rows.emplace_back());) {}
    rows.pop_back();
    ASSERT_EQ(rows.size(), 6u) << csv.out;
    EXPECT_EQ(rows[0], "member,title,section,grade,governing_check,utilisation,pass,error\r");
    // RFC 4180: quotes doubled inside a quoted cell; the control characters
    // escaped as in the text output; the formula taken as text by a '.
    std::string const tie = ",RHS D=200 B=100 t=10,CSA G40.21 350W,local axial,";
    EXPECT_EQ(rows[1].substr(0, rows[1].find(tie) + tie.size()), R"(1,"'=1+""x"", y\n\x07")" + tie);
    EXPECT_EQ(rows[3].substr(0, 3 + tie.size()), "3,b" + tie);
    EXPECT_EQ(rows[5], "5,,,,,,ERROR,\"" + ties + R"(: members[3].section: section ""I D=303"": missing dimension)"
                       R"( ""B"" for an I section")" "\r");
    // JSON Lines: one member object a line, then the counts.
    auto const jsonl = RunCli("check --format jsonl " + files);
    std::vector<nlohmann::json> docs;
    std::istringstream objects(jsonl.out);
    for (std::string line; std::getline(objects, line);) docs.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(docs.size(), 6u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(docs[i]["index"], i);
    // CSV numbers read back exactly as JSON's (0.5 and 1.05 as in ThreeTiesAndABadOne).
    for (std::size_t i : {0, 2}) {
        std::string const& row = rows[i + 1];
        std::size_t const end = row.rfind(",PASS,") == std::string::npos ? row.rfind(",FAIL,") : row.rfind(",PASS,");
        std::string const util = row.substr(row.rfind(',', end - 1) + 1, end - row.rfind(',', end - 1) - 1);
        EXPECT_EQ(std::stod(util), docs[i]["utilisation"].get<double>()) << row;
        EXPECT_REL(std::stod(util), i == 0 ? 0.5 : 1.05);
    }
    EXPECT_EQ(docs[5], nlohmann::json::parse(R"({"summary": {"members": 5, "pass": 3, "fail": 1, "errors": 1}})"));
}

TEST(CliOutput, ReportAndSortRefusedWhereTheyChangeNothing) {
    WriteFile("local.json", LocalMember(R"({"N": 882})"));
    std::string const report = " (it applies to json and jsonl; see --detail)\n", sort = " (it orders the text "
        "members table and the html summary rows; members are written in input order)\n";
    std::pair<char const*, std::string> const cases[] = {
        {"--format csv --report text", "--report: has no effect with --format csv" + report},
        {"--report none", "--report: has no effect with --format text" + report},
        {"--quick --report none", "--report: has no effect with --quick (it writes no report)\n"},
        {"--format json --sort input", "--sort: has no effect with --format json" + sort},
        {"--format csv --sort utilisation", "--sort: has no effect with --format csv" + sort},
    };
    for (auto const& [args, error] : cases) {
        auto const r = RunCli(std::string("check local.json ") + args);
        EXPECT_TRUE(r.status == 2 && r.err == "s16check: " + error && r.out.empty()) << args << ": " << r.err;
    }
}

TEST(CliOutput, JsonTextReplacesInvalidUtf8AsNlohmannDoes) {
    // A file name reaches the JSON as bytes; the writer's escaping and
    // U+FFFD replacement must read back as nlohmann::json's replace handler.
    for (std::string const text : {"ok \xE2\x82\xAC", "\xC3", "\xE2\x82" "A", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                   "\xC0\xAF", "\x80", "\x01\x1f\"\\\t\x7f", "\xF0\x9F\x98"}) {
        s16app::BatchItem item;
        item.error = text;
        auto const expected = nlohmann::json::parse(
            nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
        for (bool lines : {false, true}) {
            std::string const json = s16app::JsonMember(0, item, true, s16app::JsonStyle{lines, false});
            EXPECT_EQ(nlohmann::json::parse(json)["error"], expected) << json;
        }
    }
}

TEST(CliOutput, ChecksTableShowsOnlyPairsBehindTheUtilisation) {
    // L51x51x6.4 over 6 m: r_min = 9.9 mm (about 10 mm), KL/r near 600 > 200,
    // so (KL/r)/200 governs, not Cf/Cr = 1 kN / Cr: no pair, CSA S16-09 cl. 10.4.2.1.
    WriteFile("slender.json", Pinned("L D=51 B=51 t=6.4 R=0", "6", R"(, "subspans": [{"left": {"N": -1}, "right": {"N": -1}}])"));
    auto const slender = ParseOutput(RunCli("check --format json slender.json"))["members"][0];
    for (auto const& c : slender["checks"])
        if (c["check"] == "minor-axis buckling") {
            EXPECT_TRUE(c["util"].get<double>() > 1.0 && c["clause"] == "CSA S16-09 cl. 10.4.2.1" &&
                        c["demand"].is_null() && c["resistance"].is_null()) << c;
        }
    // 1500 kN tension at x = 0 (local axial governs there, cl. 13.2), 10 kN
    // compression with 250 kN*m at x = 0.5 m where the combined check
    // governs: that station's interaction is cl. 13.8, not 13.9.
    WriteFile("mixed.json", R"({"section": "I D=257 B=204 T=15.7 Tw=8.9 R=13", "grade": "350W",
      "points": [{"x": 0, "restraint": "fixed"}, {"x": 0.5, "restraint": "fixed"}],
      "subspans": [{"left": {"N": 1500}, "right": {"N": -10, "Mx": -250}}]})");
    auto const mixed = ParseOutput(RunCli("check --format json mixed.json"));
    for (auto const& c : mixed["members"][0]["checks"])
        if (c["check"] == "local combined") { EXPECT_EQ(c["clause"], "CSA S16-09 cl. 13.8") << c; }
}
