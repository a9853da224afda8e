// Member files the binary must refuse (exit 2, a message naming the file, the member and the field) and
// the input it must read faithfully: units, area ratios, restraint words.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "CliRun.h"
#include "app/JsonInput.h"
#include "app/MemberFile.h"
#include "app/Summary.h"
#include "Tolerance.h"

using namespace clitest;

namespace {
// Two valid members and a third that carries `member` (a JSON object).
std::string ThirdMemberOf(std::string const& member) {
    std::string const ok = LocalMember(R"({"N": 100})");
    return R"({"members": [)" + ok + "," + ok + "," + member + "]}";
}

constexpr char kPoints[] = R"("points": [{"x": 0, "restraint": "pinned"}, {"x": 3, "restraint": "pinned"}])";
constexpr char kOneSub[] = R"("subspans": [{"left": {}, "right": {}}])";
constexpr char kI[] = R"("section": "I D=303 B=203 T=13.1 Tw=7.5 R=15")";
}  // namespace

TEST(CliInput, MalformedMembersNameTheirFieldAndExitTwo) {
    struct Case { char const* what; std::string member, expected; };  // the third member; the message after "bad.json: "
    std::string const sub = kOneSub, pts = kPoints, sec = kI;
    // Here the messages whose words matter and JSON that Python does not write; the other refusals, by field:
    // tests/python/test_schema.py and (non-finite numbers) test_s16check.py.
    std::vector<Case> const cases = {
        // 1e306 kN*m is 1e309 N*m, beyond the largest double (1.8e308).
        {"moment not finite in SI units", "{" + sec + R"(, "grade": "350W", )" + pts +
                                              R"(, "subspans": [{"left": {}, "right": {"Mx": 1e306}}]})",
         "members[2].subspans[0].right.Mx: 1e+306 is too large: not a finite number once converted to SI units (x "
         "1000.0)"},
        {"duplicate field", "{" + sec + R"(, "grade": "350W", "grade": "300W", )" + pts + ", " + sub + "}",
         "members[2].grade: the field appears twice in one object"},
        // A key is its whole text: "grade\u0000x" is not "grade"; the message names it whole.
        {"key holding a null character",
         "{" + sec + R"(, "grade": "350W", "grade\u0000x": "300W", )" + pts + ", " + sub + "}",
         "members[2].grade\\u0000x: unknown field"},
        // 10 kN/m over 3 m from Vy = -15 kN: Vy = -15 + 10 x 3 = +15 kN at the right end.
        {"contradictory end actions", "{" + sec + R"(, "grade": "350W", )" + pts +
                                          R"(, "subspans": [{"left": {"Vy": -15}, "right": {"Vy": 20},
                                             "loads": [{"type": "uniform", "w": 10}]}]})",
         "members[2].subspans[0].right.Vy: the loads give 15 kN at the right end, 20 kN given"},
        {"three stations at one position", "{" + sec + R"(, "grade": "350W", )" + pts +
                                               R"(, "stations": [{"x": 0}, {"x": 0}, {"x": 0}, {"x": 3}]})",
         "members[2].stations[2].x: at most two stations at one position"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile("bad.json", ThirdMemberOf(c.member));
        auto const r = RunCli("check bad.json");  // a file that cannot be read is not checked at all
        EXPECT_TRUE(r.status == 2 && r.out.empty() && r.err.find("bad.json: " + c.expected) != std::string::npos) << r.err;
    }
}

TEST(CliInput, BadJsonAndUnreadableFiles) {
    // Each complaint whole, in the user's words.
    // Line 2 of the first is `  "grade": "350W",,`: the second comma is its 19th character.
    std::pair<std::string, char const*> const bad[] = {
        {"{\"section\": \"RHS D=200 B=100 t=10\",\n  \"grade\": \"350W\",,\n}",
         "line 2, column 19: not valid JSON: expected a field name in double quotes"},
        {"{\"a\": 1 \"b\": 2}", "line 1, column 11: not valid JSON: expected ',' or '}' after an object member"},
        {"{\"a\": [1, 2}", "line 1, column 12: not valid JSON: expected ',' or ']' after a list element"},
        {"{\"a\": tru}", "line 1, column 10: not valid JSON: expected a value: a number, a string in double quotes"},
        {"{\"a\": \"x\ny\"}", "line 1, column 9: not valid JSON: a line break or another control character inside"},
        {"{\"a\":", "line 1, column 6: not valid JSON: the file ends before the JSON is complete"},
        {std::string("\xff\xfe{\0}\0", 6), "the file is UTF-16 text; save it as UTF-8"},
        {std::string(70, '['), "line 1, column 65: not valid here: nested deeper than 64 levels"},
        // In a list, the members follow `{"members": [` (13 characters): the columns count on from 14; the first
        // member whose text is not JSON is told before a member that cannot be read (its title a number).
        {R"({"members": [{"a": 1 "b": 2}]})", "line 1, column 24: not valid JSON: expected ',' or '}'"},  // 13 + 11
        {R"({"members": [{"title": 1}, {"a": [1}]})", "line 1, column 36: not valid JSON: expected ',' or ']'"},
        // ... also with a plain value between them: `2` at 28, the bad member's `1` at 36.
        {R"({"members": [{"title": 1}, 2, {"a" 1}]})", "line 1, column 36: not valid JSON: expected ':' after a field name"},
        {R"({"members": [{"title": 1}, {"b": 1, "b": 2}]})", "members[1].b: the field appears twice in one object"},
        // A quote and brackets escaped in a string; then `\q` at 36-37 (`, ` at 27-28).
        {R"({"members": [{"b": "\"}]"}, {"b": "\q"}]})", "line 1, column 37: not valid JSON: a string is not valid"},
        // The list's `[` (column 13) is the second level: the 65th is the 63rd `[` after it.
        {R"({"members": [)" + std::string(70, '['), "line 1, column 76: not valid here: nested deeper than 64 levels"},
        // A member cut short by the end of the file (its `[` at 28) is read alone, not as a list with the others.
        {R"({"members": [{"title": 1}, [)", "line 1, column 29: not valid JSON: the file ends before the JSON is complete"},
    };
    for (auto const& b : bad) {
        WriteFile("syntax.json", b.first);  // the last stays for the unreadable files below
        auto const r = RunCli("check syntax.json");
        EXPECT_TRUE(r.status == 2 && r.err.find(std::string("s16check: syntax.json: ") + b.second) == 0) << r.err;
    }
    RunShell("mkdir -p folder.json");
    EXPECT_EQ(RunCli("check folder.json").err, "s16check: folder.json: is a folder, not a member file\n");
    // 17 MB of title: over the 16 MB a member may take (kMaxMemberBytes).
    RunShell(R"(({ printf '{"members": [{"title": "'; head -c 17000000 /dev/zero | tr '\0' a; } >huge.json))");
    EXPECT_EQ(RunCli("check huge.json").err,
              "s16check: huge.json: members[0]: more than 16 MB of text in one member; refused (split it)\n");
    auto r = RunCli("check missing.json");
    EXPECT_TRUE(r.status == 2 && r.err == "s16check: missing.json: cannot be read: No such file or directory\n") << r.err;
    r = RunCli("check missing.json syntax.json");  // every unreadable file is named, not only the first
    EXPECT_TRUE(r.err.find("missing.json") != std::string::npos && r.err.find("syntax.json") != std::string::npos);
}

TEST(CliInput, AFileChangedBetweenItsReadingsIsAnError) {
    // Validated with three members, then rewritten with one or four (or as a
    // single member): what is checked no longer matches what was validated.
    std::string const member = LocalMember(R"({"N": 882})");
    for (std::string const& now : {"{\"members\": [" + member + "]}", member,
                                  "{\"members\": [" + member + "," + member + "," + member + "," + member + "]}"}) {
        std::string const path = WriteFile("changing.json", ThirdMemberOf(member));
        s16app::MemberStream stream(path);
        ASSERT_EQ(stream.Validate(1, {}), 3u);
        WriteFile("changing.json", now);
        std::size_t read = 0;
        std::string error;
        while (auto next = stream.Next()) try {
                next(), ++read;
            } catch (s16app::InputError const& e) {
                error = e.what();
            }
        EXPECT_TRUE(read <= 3 && error.find("changed since it was read (3 members then)") != std::string::npos) << now;
    }
}

TEST(CliInput, StandardInputIsAMemberFile) {
    WriteFile("in.json", ThirdMemberOf(LocalMember(R"({"N": 882})")));
    auto const file = RunCli("check in.json"), piped = RunCli("check - <in.json");
    // The same report, the file named "standard input" (the members table's
    // columns padded to the longer name).
    auto const words = [](std::string text) {
        text = std::regex_replace(text, std::regex("standard input"), "in.json");
        return std::regex_replace(text, std::regex(" +"), " ");
    };
    EXPECT_TRUE(piped.status == 0 && words(piped.out) == words(file.out)) << piped.err;
    WriteFile("bad.json", ThirdMemberOf("{}"));
    EXPECT_NE(RunCli("check - <bad.json").err.find("s16check: standard input: members[2]: the field"), std::string::npos);
    EXPECT_EQ(RunCli("check - in.json - <in.json").err, "s16check: -: the standard input can be read once only; give \"-\" once\n");
    auto const over = RunCli("check - --output in.json <in.json");
    EXPECT_NE(over.err.find("is the input file read as the standard input; refused"), std::string::npos) << over.err;
}

// Every member file of a run is validated before any is checked: the run
// must not hold a descriptor per file (here 200 files under a limit of 64).
TEST(CliInput, ManyFilesDoNotRunOutOfDescriptors) {
    std::string files;
    for (int i = 0; i < 200; ++i) {
        std::string const name = "many" + std::to_string(i) + ".json";
        WriteFile(name, Slurp(Example("angle_strut.json")));
        files += " " + name;
    }
    auto const run = RunShell("ulimit -n 64 && '" + Binary() + "' check --format csv --jobs 2" + files);
    EXPECT_EQ(run.status, 0) << run.err.substr(0, 300);
}

TEST(CliInput, MembersThatCannotBeCheckedExitTwoAndTheOthersAreStillReported) {
    struct Case { char const *what, *section, *expected; } const cases[] = {
        {"a shape no calculator handles", "PL B=100 t=10",
         "members[2].section: the design code has no calculator for a flat plate"},
        {"a section the calculator refuses", "RHS D=200 B=100 t=8 fab=cold-formed",
         "members[2].section: Cold formed sections are not yet supported"},
        {"an unknown designation", "W999x999", "members[2].section: "},
        {"a malformed description", "I D=303 B=203", "members[2].section: section \"I D=303 B=203\""},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile("bad.json", ThirdMemberOf(R"({"section": ")" + std::string(c.section) + R"(", "grade": "350W", )" +
                                            kPoints + ", " + kOneSub + "}"));
        auto const r = RunCli("check bad.json --format json");
        EXPECT_TRUE(r.status == 2 && r.err.find(std::string("bad.json: ") + c.expected) != std::string::npos) << r.err;
        auto const j = ParseOutput(r);
        EXPECT_TRUE(j["summary"]["pass"] == 2 && j["summary"]["errors"] == 1 && j["members"][2].contains("error")) << j;
    }
}

TEST(CliInput, UnitsAndAreaRatiosReachTheCheck) {
    // RHS D=200 B=100 t=10 (no corner radius): A = 200*100 - 180*80 = 5600 mm². Tension resistance CSA S16-09
    // cl. 13.2(a): Tr = min(0.9 A Fy, 0.75 An Fu, 0.75 Ane Fu) = min(0.9*5600*350, 0.75*5600*450) N = 1 764 000 N,
    // so 882 kN of tension is a utilisation of 0.5 (in kN: CliOutput.JsonLayoutAndUnboundedUtilisations); here in N.
    WriteFile("N.json", LocalMember(R"({"N": 882000})", R"(, "units": {"length": "mm", "force": "N"})"));
    auto const r = RunCli("check --format json N.json");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_REL(ParseOutput(r)["members"][0]["utilisation"].get<double>(), 0.5);
    EXPECT_REL(ParseOutput(r)["members"][0]["entries"][1]["util"]["axial"].get<double>(), 0.5);
    // Net area ratio 0.005 (any above 0 is read): Tr2 = 0.75*0.005*5600*450 N = 9450 N governs;
    // 4.725 kN / 9.45 kN = 0.5.
    WriteFile("net.json", LocalMember(R"({"N": 4.725})", R"(, "net_area_ratio": 0.005)"));
    auto const j = ParseOutput(RunCli("check --format json net.json"));
    EXPECT_REL(j["members"][0]["utilisation"].get<double>(), 0.5);
    // Positions in mm: a 3000 mm member is 3 m long ("3.000 m" in the report).
    WriteFile("mm.json", Pinned("RHS D=200 B=100 t=10", "3000", R"(, "units": {"length": "mm"},
      "effective_lengths": {"Lyy": 0, "Lzz": 0, "Llt": 0}, "subspans": [{"left": {}, "right": {}}])"));
    auto const mm = RunCli("check mm.json --no-color --detail full");
    EXPECT_TRUE(mm.out.find("SubSpan 1: 0.000 m to 3.000 m") != std::string::npos &&  // and the working's heading:
                mm.out.find("Sub-span 1: 0.000 m to 3.000 m (SubSpan 1 below)") != std::string::npos) << mm.out;
    EXPECT_NE(mm.out.find("Units: length mm, force kN, moment kN*mm,"), std::string::npos);
    // A moment unit of its own beside mm, and either moment sign: Mrx = phi Z Fy
    // = 0.9 (100*200^2/4 - 80*180^2/4 = 352 000 mm3)(350 MPa) = 110.88 kN.m
    // (class 1, cl. 13.5(a)), so 55.44 kN.m of either sense is 0.5.
    for (char const* sign : {"top-flange-negative", "sagging-positive"}) {
        SCOPED_TRACE(sign);
        WriteFile("moment.json", Pinned("RHS D=200 B=100 t=10", "3000", R"(, "units": {"length": "mm", "moment": "kN*m"},
          "moment_sign": ")" + std::string(sign) + R"(", "effective_lengths": {"Lyy": 0, "Lzz": 0, "Llt": 0},
          "subspans": [{"left": {"Mx": -55.44}, "right": {"Mx": -55.44}}])"));
        auto const m = ParseOutput(RunCli("check --format json --report text moment.json"))["members"][0];
        EXPECT_REL(m["entries"][1]["util"]["moment_major"].get<double>(), 0.5);
        EXPECT_NE(m["report"].get<std::string>().find(std::string("compression flange: ") + (sign[0] == 't' ? "top" : "bottom") +
                                                      " flange"), std::string::npos);
    }
}

TEST(CliInput, ChannelSupportWordsDecideBeamOrStrut) {
    // A pinned channel gets the end-connection bit and is checked as a beam;
    // "web-connected" asks for the strut of a channel held by its web only.
    std::string const member = R"({"section": "C D=254 B=69.6 T=11.1 Tw=9.63 R=10", "grade": "350W",
      "points": [{"x": 0, "restraint": RESTRAINT}, {"x": 3, "restraint": RESTRAINT}],
      "subspans": [{"left": {"N": -50}, "right": {"N": -50}}]})";
    auto with = [&member](std::string const& restraint) { return std::regex_replace(member, std::regex("RESTRAINT"), restraint); };
    WriteFile("beam.json", with(R"("pinned")"));
    auto const beam = RunCli("check beam.json --no-color --detail full");
    EXPECT_NE(beam.out.find("Buckling capacity checks"), std::string::npos);
    EXPECT_EQ(beam.out.find("Strut buckling capacity checks"), std::string::npos);
    WriteFile("strut.json", with(R"(["pinned", "web-connected"])"));
    auto const strut = RunCli("check strut.json --no-color --detail full");
    EXPECT_NE(strut.out.find("Strut buckling capacity checks"), std::string::npos);
    // The raw word of "pinned" without the end connection (0x300043) is the
    // web-connected strut as well.
    WriteFile("bits.json", with(R"({"bits": "0x300043"})"));
    EXPECT_NE(RunCli("check bits.json --no-color --detail full").out.find("Strut buckling capacity checks"), std::string::npos);
}

// The value with the type of every number (1 and 1.0, 0 and -0.0, 5 signed
// and unsigned differ here, equal for nlohmann's ==).
static std::string Typed(nlohmann::json const& v) {
    std::string s = std::to_string(static_cast<int>(v.type())) + ':' + (v.is_structured() ? "" : v.dump());
    for (auto it = v.begin(); v.is_structured() && it != v.end(); ++it)
        s += (v.is_object() ? it.key() + '=' : "") + Typed(*it) + ',';
    return s;
}

TEST(CliInput, ListedMembersReadAsEachTextAlone) {
    // A file's members are read as one list of texts, most of them by a
    // reader of plain ASCII JSON, the rest by the JSON library: the values
    // given must be what each text read alone gives (ParseMember), in
    // order, up to the first text that is not valid, and the list is valid
    // when each text is. The pieces take every path: numbers at the
    // integer ranges' ends, -0, exponents, out of range; strings with an
    // escape, UTF-8, a control byte, DEL (some past sixteen bytes); faults of
    // syntax and a key twice.
    std::vector<std::string> const scalars = {
        "0", "-0", "12", "-7", "0.5", "-0.0", "1e5", "1E+2", "2.5e-3", "18446744073709551615",
        "18446744073709551616", "-9223372036854775808", "-9223372036854775809", "1e400", "1e-400", "4.9e-324",
        "123456789012345678901234567890", "0.12345678901234567891", "true", "false", "null", "\"\"", "\"abc\"",
        "\"a\\nb\"", "\"\xc3\xa9\"", "\"\x01\"", "\"\x1f\"", "\"\x7f\"", "01", "1.", "-", "tru", "\"open", "1e", ".5", "+1",
        "\"more than sixteen plain bytes\"", "\"0123456789abcdef\\u00e9\"", "\"0123456789abcde\xc3\xa9\"", "\"0123456789abcdef0123\x01\""};
    std::vector<std::string> const spaces = {"", " ", "\n", "\t", "\r\n  "};
    std::mt19937 random(19);
    auto pick = [&random](auto const& v) { return v[random() % v.size()]; };
    std::function<std::string(int)> value = [&](int depth) -> std::string {
        std::string t = pick(spaces);
        unsigned const kind = depth > 2 ? 0 : random() % 6, n = random() % 4;
        if (kind < 3) return t + pick(scalars);
        t += kind == 3 ? "[" : "{";  // a list or an object, sometimes with a stray comma, a key twice, no ':'
        for (unsigned i = 0; i < n; ++i)
            t += (i ? "," : "") + (kind == 3 ? "" : pick(spaces) + '"' + "kab"[random() % 3] + '"' +
                                                     (random() % 30 ? ":" : " ")) + value(depth + 1);
        return t + (random() % 20 ? "" : ",") + (kind == 3 ? "]" : "}") + pick(spaces);
    };
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::string> texts(1 + random() % 4), expected, given;
        std::string list = "[";
        for (auto& t : texts) list += (list.size() > 1 ? "," : "") + (t = "{\"a\":" + value(0) + "}");
        list += "]";
        // With each value its input hash, which walks an object's fields in the order kept: sorted by key.
        auto typed = [](s16app::JsonDoc const& doc) {
            return Typed(doc.ToJson()) + " #" + s16app::InputHash(doc, 0, s16app::JsonDoc());
        };
        try {
            for (std::size_t i = 0; i < texts.size(); ++i)
                expected.push_back(typed(
                    s16app::JsonDoc::FromJson(s16app::ParseMember(texts[i], s16app::MemberOrigin{}, "m.json", i))));
        } catch (s16app::InputError const&) {}
        bool const valid = s16app::ParseMembers(list, "m.json", [&given, &typed](std::size_t i, s16app::JsonDoc&& v) {
            EXPECT_EQ(i, given.size());
            given.push_back(typed(v));
        });
        ASSERT_EQ(given, expected) << list;
        ASSERT_EQ(valid, expected.size() == texts.size()) << list;
    }
    // Nesting the plain reader leaves to the library (deeper than 16 levels, within 64) between two plain members.
    std::string const deep = "{\"k\":" + std::string(40, '[') + "1" + std::string(40, ']') + "}";
    std::vector<std::string> given;
    EXPECT_TRUE(s16app::ParseMembers("[{\"a\":1}," + deep + ",{\"b\":2}]", "m.json",
                                     [&given](std::size_t, s16app::JsonDoc&& v) { given.push_back(v.ToJson().dump()); }));
    EXPECT_EQ(given, (std::vector<std::string>{"{\"a\":1}", nlohmann::json::parse(deep).dump(), "{\"b\":2}"}));
}
