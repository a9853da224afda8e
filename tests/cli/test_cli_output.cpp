// What the binary writes: the bundled examples, the three formats, exit
// codes, load cases and parallel runs (the HTML page in a browser: tests/html).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CliRun.h"
#include "app/Render.h"
#include "Tolerance.h"

using clitest::Example;
using clitest::LocalMember;
using clitest::ParseOutput;
using clitest::RunCli;
using clitest::RunShell;
using clitest::WriteFile;

namespace {
constexpr char const* kExamples[] = {"simply_supported_beam.json", "beam_column.json", "rhs_brace.json",
                                     "angle_strut.json", "loaded_beam.json"};

bool HasTool(char const* tool) { return std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) == 0; }

// The utilisations of one kind of entry ("local" or "buckling") of a case.
std::vector<double> Utils(nlohmann::json const& c, char const* kind) {
    std::vector<double> out;
    for (auto const& e : c["entries"]) {
        if (e["kind"] != kind) continue;
        for (auto const& u : e["util"].items())
            out.push_back(u.value().is_null() ? INFINITY : u.value().get<double>());
    }
    return out;
}
}  // namespace

TEST(CliOutput, EveryExampleChecksInEveryFormat) {
    for (char const* name : kExamples) {
        SCOPED_TRACE(name);
        auto const json = RunCli("check --format json '" + Example(name) + "'");
        auto const j = ParseOutput(json);
        ASSERT_EQ(j["members"].size(), 1u) << json.err;
        auto const& m = j["members"][0];
        EXPECT_TRUE(m["checked"].get<bool>());
        // The examples are sized to pass: every cross-section check is below 1.
        auto const cases = m.contains("cases") ? m["cases"] : nlohmann::json::array({m});
        bool bucklingFinite = true;
        for (auto const& c : cases) {
            for (double u : Utils(c, "local")) EXPECT_LT(u, 1.0);
            for (double u : Utils(c, "buckling")) bucklingFinite = bucklingFinite && std::isfinite(u);
        }
        EXPECT_EQ(json.status, m["pass"].get<bool>() ? 0 : 1);
        // With the member buckling checks in place they pass as a whole.
        if (bucklingFinite) {
            EXPECT_EQ(json.status, 0) << json.out.substr(0, 2000);
        }
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
    if (j.is_object()) {
        for (auto const& item : j.items()) ExpectNumbersNotText(item.value(), item.key());
    } else if (j.is_array()) {
        for (auto const& v : j) ExpectNumbersNotText(v, key);
    } else if (j.is_string()) {
        EXPECT_EQ(text.count(key), 1u) << key << ": " << j;
    }
}

// The member numbers of the rows of a batch view, in the order shown.
std::vector<int> RowOrder(std::string const& out, std::regex const& row) {
    std::vector<int> order;
    for (std::sregex_iterator it(out.begin(), out.end(), row), end; it != end; ++it) order.push_back(std::stoi((*it)[1]));
    return order;
}

// Three members in tension on Tr = 0.9 (5600 mm2)(350 MPa) = 1764 kN
// (CSA S16-09 cl. 13.2(a)): 882 kN gives 0.5, 1852.2 kN 1.05, 1323 kN 0.75;
// the fourth's section lacks its dimensions.
std::string ThreeTiesAndABadOne() {
    return WriteFile("ties3.json", "{\"members\": [" + LocalMember(R"({"N": 882})", R"(, "title": "a")") + "," +
                                       LocalMember(R"({"N": 1852.2})", R"(, "title": "b")") + "," +
                                       LocalMember(R"({"N": 1323})", R"(, "title": "c")") + "," +
                                       R"({"title": "d", "section": "I D=303", "grade": "350W",
      "points": [{"x": 0}, {"x": 3}], "subspans": [{"left": {}, "right": {}}]}]})");
}
}  // namespace

TEST(CliOutput, JsonLayoutAndUnboundedUtilisations) {
    // Local-only member: entries 0 (input) and 1 (sub-span 0), no buckling
    // entry. 882 kN of tension on A = 5600 mm² of 350W: 882/(0.9*5600*350e-3)
    // = 0.5 (CSA S16-09 cl. 13.2(a)).
    WriteFile("local.json", LocalMember(R"({"N": 882})", R"(, "title": "tie T1")"));
    auto const local = ParseOutput(RunCli("check --format json --report text local.json"))["members"][0];
    EXPECT_EQ("s16check " + local["version"].get<std::string>() + "\n", RunCli("--version").out);
    EXPECT_EQ(local["title"], "tie T1");
    EXPECT_EQ(local["code"], "CSA S16-09");
    EXPECT_EQ(local["section"], "RHS D=200 B=100 t=10");
    ASSERT_EQ(local["entries"].size(), 2u);
    EXPECT_EQ(local["entries"][0], (nlohmann::json{{"index", 0}, {"kind", "input"}}));
    EXPECT_EQ(local["entries"][1]["kind"], "local");
    EXPECT_EQ(local["entries"][1]["subspan"], 0);
    EXPECT_REL(local["entries"][1]["util"]["axial"].get<double>(), 0.5);
    EXPECT_NE(local["report"].get<std::string>().find("Tr = min(Tr1, Tr2, Tr3)"), std::string::npos);
    // With the buckling checks: a third entry of kind "buckling".
    WriteFile("full.json", R"({"section": "RHS D=200 B=100 t=10", "grade": "350W",
      "points": [{"x": 0, "restraint": "pinned"}, {"x": 3, "restraint": "pinned"}],
      "subspans": [{"left": {"N": -100}, "right": {"N": -100}}]})");
    auto const full = ParseOutput(RunCli("check --format json full.json"))["members"][0];
    ASSERT_EQ(full["entries"].size(), 3u);
    EXPECT_EQ(full["entries"][2]["index"], 2);
    EXPECT_EQ(full["entries"][2]["kind"], "buckling");
    EXPECT_TRUE(full["entries"][2]["util"].contains("axial_major"));
    // Once per member, the section's resistances: Tr = 0.9 (5600 mm2)(350 MPa)
    // = 1764 kN (cl. 13.2(a)); per span its working: pinned at both ends,
    // Le = 3 m (Annex F, K = 1) under Cu = 100 kN.
    EXPECT_REL(full["section_resistances"]["Tr"].get<double>(), 1764e3);
    auto const& major = full["spans"][0];
    EXPECT_EQ(major["kind"], "major-axis");
    EXPECT_EQ(major["Le_from"], "CSA S16-09 Annex F");
    EXPECT_REL(major["Le"].get<double>(), 3.0);
    EXPECT_REL(major["Cu"].get<double>(), 100e3);
    // A single angle carries no shear: any shear is +infinity, written null
    // and named in "unbounded".
    WriteFile("angle.json", R"({"section": "L D=102 B=76 t=9.5 R=10", "grade": "350W",
      "points": [{"x": 0, "restraint": "pinned"}, {"x": 2, "restraint": "pinned"}],
      "effective_lengths": {"Lyy": 0, "Lzz": 0, "Llt": 0},
      "subspans": [{"left": {"N": -10, "Vy": 1}, "right": {"N": -10, "Vy": 1}}]})");
    auto const angle = RunCli("check --format json angle.json");
    EXPECT_EQ(angle.status, 1);
    auto const a = ParseOutput(angle)["members"][0];
    EXPECT_TRUE(a["utilisation"].is_null());
    EXPECT_EQ(a["unbounded"], nlohmann::json::array({"local major-axis shear"}));
    EXPECT_TRUE(a["entries"][1]["util"]["shear_major"].is_null());
    EXPECT_FALSE(a.contains("report"));  // --report none is the default of JSON
    EXPECT_FALSE(a["pass"].get<bool>());
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
    WriteFile("ties.json", R"({"members": [{"section": "RHS D=200 B=100 t=10", "grade": "350W",
      "points": [{"x": 0, "restraint": "pinned"}, {"x": 12.5, "restraint": "pinned"}],
      "subspans": [{"left": {"N": 100}, "right": {"N": 100}}]},
      {"section": "RHS D=200 B=100 t=10", "grade": "350W",
      "points": [{"x": 0, "restraint": "pinned"}, {"x": 8.5, "restraint": "pinned"}],
      "subspans": [{"left": {"N": -100}, "right": {"N": -100}}]}]})");
    WriteFile("local.json", LocalMember(R"({"N": 882})"));
    for (char const* quick : {"", " --quick"}) {
        auto const json = RunCli(std::string("check --format json ties.json local.json") + quick);
        EXPECT_EQ(json.status, 1);
        auto const j = ParseOutput(json);
        auto const names = [&j](int k) { return j["members"][k]["flag_names"].dump(); };
        EXPECT_TRUE(j["members"][0]["pass"].get<bool>());
        EXPECT_EQ(names(0), R"(["warning","tension-slenderness"])");
        EXPECT_FALSE(j["members"][1]["pass"].get<bool>());
        EXPECT_EQ(names(1), R"(["minor-axis-buckling","slenderness"])");
        EXPECT_REL(j["members"][1]["utilisation"].get<double>(), 8.5 / ry / 200);
        EXPECT_TRUE(j["members"][1]["buckling_checked"].get<bool>());
        EXPECT_FALSE(j["members"][2]["buckling_checked"].get<bool>());
        EXPECT_EQ(j["members"][2]["buckling_note"], "all effective lengths overridden to 0 (cross-section checks only)");
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
    WriteFile("shears.json", R"({"section": "RHS D=200 B=100 t=10", "grade": "350W",
      "points": [{"x": 0, "restraint": "pinned"}, {"x": 3, "restraint": "pinned"}],
      "subspans": [{"left": {"Vy": -15}, "right": {"Vy": 15}}]})");
    auto const r = RunCli("check shears.json");
    EXPECT_EQ(r.err, "s16check: warning: shears.json: subspans[0]: no loads given: a uniform load reconstructed "
                     "from the end shears\n");
    EXPECT_NE(r.out.find("uniform load 10.000 kN/m in the plane of the web from 0.000 m to 3.000 m, reconstructed"),
              std::string::npos);
    EXPECT_NE(r.out.find("station x = 1.500 m: zero of the shear (moment peak)"), std::string::npos) << r.out;
    // The same shears with Mx = 50 kN.m at the right end: a uniform load
    // gives M1 = M0 + (V0 + V1) L / 2 = 0, so none fits; the shear changes
    // sign: the moment between the ends is unknown.
    WriteFile("unknown.json", R"({"section": "RHS D=200 B=100 t=10", "grade": "350W",
      "points": [{"x": 0, "restraint": "pinned"}, {"x": 3, "restraint": "pinned"}],
      "subspans": [{"left": {"Vy": -15}, "right": {"Vy": 15, "Mx": 50}}]})");
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
    WriteFile("cases.json", R"({"section": "RHS D=200 B=100 t=10", "grade": "350W",
      "points": [{"x": 0, "restraint": "pinned"}, {"x": 3, "restraint": "pinned"}],
      "effective_lengths": {"Lyy": 0, "Lzz": 0, "Llt": 0},
      "cases": [{"name": "service", "subspans": [{"left": {"N": 882}, "right": {"N": 882}}]},
                {"name": "ultimate", "subspans": [{"left": {"N": 1323}, "right": {"N": 1323}}]}]})");
    auto const r = RunCli("check --format json cases.json");
    EXPECT_EQ(r.status, 0);
    auto const m = ParseOutput(r)["members"][0];
    EXPECT_EQ(m["governing_case"], "ultimate");
    EXPECT_REL(m["utilisation"].get<double>(), 0.75);
    ASSERT_EQ(m["cases"].size(), 2u);
    EXPECT_EQ(m["cases"][0]["name"], "service");
    EXPECT_REL(m["cases"][0]["utilisation"].get<double>(), 0.5);
    // The quick check gives the utilisations and no report.
    auto const quick = ParseOutput(RunCli("check --quick --format json cases.json"))["members"][0];
    EXPECT_REL(quick["utilisation"].get<double>(), 0.75);
    EXPECT_FALSE(quick.contains("report"));
    // A failing quick check stops at its first failure: only failing checks are listed.
    auto const quickOver = ParseOutput(RunCli("check --quick --format json over.json"))["members"][0];
    EXPECT_FALSE(quickOver["checks_complete"].get<bool>());
    ASSERT_FALSE(quickOver["checks"].empty());
    for (auto const& c : quickOver["checks"]) EXPECT_FALSE(c["pass"].get<bool>()) << c;
    // Text: the summary names the governing case; one failing member of
    // two makes the run fail.
    auto const text = RunCli("check cases.json over.json");
    EXPECT_EQ(text.status, 1);
    EXPECT_NE(text.out.find("Checks (governing case \"ultimate\")"), std::string::npos);
    EXPECT_NE(text.out.find("2 members: 1 pass, 1 fail"), std::string::npos);
}

TEST(CliOutput, ColoursAndProgressOnlyOnATerminal) {
    if (!HasTool("script")) GTEST_SKIP() << "util-linux script (to run under a terminal) is not installed";
    std::string const bin = "'" + clitest::Binary() + "' check '" + Example("beam_column.json") + "' '" +
                            Example("rhs_brace.json") + "'";
    auto const tty = RunShell("script -qec \"" + bin + "\" /dev/null");
    EXPECT_NE(tty.out.find("\x1b[1m"), std::string::npos);  // bold
    EXPECT_NE(tty.out.find("2/2"), std::string::npos);      // the progress bar
    auto const plain = RunShell("script -qec \"" + bin + " --no-color\" /dev/null");
    EXPECT_EQ(plain.out.find("\x1b[1m"), std::string::npos);
    EXPECT_EQ(RunCli("check '" + Example("beam_column.json") + "'").out.find('\x1b'), std::string::npos);
}

TEST(CliOutput, BatchViewsSortedByUtilisation) {
    std::string const file = ThreeTiesAndABadOne();
    // Text: "  N   title ..." rows after "Members"; HTML: the summary rows.
    std::regex const textRow(R"(\n  (\d+) +(?:[abc] |ERROR))"), htmlRow(R"re(<tr class="\w+"><td>(\d+)</td>)re");
    struct Case {
        char const* args;
        std::regex const* row;
        std::vector<int> order;
    } const cases[] = {
        {"", &textRow, {1, 2, 3, 4}},
        {"--sort utilisation", &textRow, {4, 2, 3, 1}},  // the error first, then 1.05, 0.75, 0.5
        {"--format html --sort input", &htmlRow, {1, 2, 3, 4}},
        {"--format html --sort utilisation", &htmlRow, {4, 2, 3, 1}},
    };
    for (auto const& c : cases) {
        auto const r = RunCli(std::string("check ") + c.args + " " + file);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_EQ(RowOrder(r.out, *c.row), c.order) << c.args << "\n" << r.out.substr(r.out.size() - 800);
    }
}

TEST(CliOutput, CsvAndJsonLinesOneLinePerMember) {
    // A title with a formula start, quotes, a comma, a line feed and a bell.
    WriteFile("hostile.json", "{\"members\": [" + LocalMember(R"({"N": 882})", R"(, "title": "=1+\"x\", y\n\u0007")") +
                                  "]}");
    std::string const ties = ThreeTiesAndABadOne(), files = "hostile.json " + ties;
    auto const csv = RunCli("check --format csv " + files);
    EXPECT_EQ(csv.status, 2);
    std::istringstream lines(csv.out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) rows.push_back(line);
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
    std::istringstream objects(jsonl.out);
    std::vector<nlohmann::json> docs;
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
    struct Case {
        char const* args;
        char const* error;
    } const cases[] = {
        {"--format csv --report text",
         "s16check: --report: has no effect with --format csv (it applies to json and jsonl; see --detail)\n"},
        {"--report none", "s16check: --report: has no effect with --format text (it applies to json and jsonl; "
                          "see --detail)\n"},
        {"--quick --report none", "s16check: --report: has no effect with --quick (it writes no report)\n"},
        {"--format json --sort input", "s16check: --sort: has no effect with --format json (it orders the text "
                                       "members table and the html summary rows; members are written in input order)\n"},
        {"--format csv --sort utilisation", "s16check: --sort: has no effect with --format csv (it orders the text "
                                            "members table and the html summary rows; members are written in input "
                                            "order)\n"},
    };
    for (auto const& c : cases) {
        auto const r = RunCli(std::string("check local.json ") + c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_EQ(r.err, c.error);
        EXPECT_EQ(r.out, "");
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
    WriteFile("slender.json", R"({"section": "L D=51 B=51 t=6.4 R=0", "grade": "350W",
      "points": [{"x": 0, "restraint": "pinned"}, {"x": 6, "restraint": "pinned"}],
      "subspans": [{"left": {"N": -1}, "right": {"N": -1}}]})");
    auto const slender = ParseOutput(RunCli("check --format json slender.json"))["members"][0];
    for (auto const& c : slender["checks"])
        if (c["check"] == "minor-axis buckling") {
            EXPECT_GT(c["util"].get<double>(), 1.0);
            EXPECT_EQ(c["clause"], "CSA S16-09 cl. 10.4.2.1");
            EXPECT_TRUE(c["demand"].is_null() && c["resistance"].is_null()) << c;
        }
    // 1500 kN tension at x = 0 (local axial governs there, cl. 13.2), 10 kN
    // compression with 250 kN*m at x = 0.5 m where the combined check
    // governs: that station's interaction is cl. 13.8, not 13.9.
    WriteFile("mixed.json", R"({"section": "I D=257 B=204 T=15.7 Tw=8.9 R=13", "grade": "350W",
      "points": [{"x": 0, "restraint": "fixed"}, {"x": 0.5, "restraint": "fixed"}],
      "subspans": [{"left": {"N": 1500}, "right": {"N": -10, "Mx": -250}}]})");
    auto const mixed = ParseOutput(RunCli("check --format json mixed.json"));
    for (auto const& c : mixed["members"][0]["checks"])
        if (c["check"] == "local combined") {
            EXPECT_EQ(c["clause"], "CSA S16-09 cl. 13.8") << c;
        }
}
