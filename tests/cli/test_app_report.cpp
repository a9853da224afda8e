// The s16_app library on its own: the report lines rebuild the module's
// plain text exactly, and styles carry over line ends; the text report at
// each detail level against its golden file.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <random>
#include <regex>
#include <sstream>
#include <vector>

#include "cli/CliRun.h"

#include "app/JsonDoc.h"
#include "app/Markup.h"
#include "app/MemberFile.h"
#include "app/Render.h"
#include "app/Summary.h"
#include "framework/MemberResult.h"
#include "framework/Section.h"
#include "framework/SteelMember.h"
#include "member/CSA_S16_09_Member.h"

TEST(AppReport, LinesRebuildTheModulesPlainText) {
    // A channel of two sub-spans with its buckling checks: fragments run on
    // over several additions, tags span lines, tabs, several indentation
    // levels. Split into lines and joined again: the module's own plain text.
    namespace RB = Corvid::Data::RestraintBits;
    std::unique_ptr<Corvid::Data::Design::CDesign> design(NewCode());
    auto* member = dynamic_cast<Corvid::Steel::CSteelMemberGen*>(design.get());
    ASSERT_NE(member, nullptr);
    Corvid::Steel::CMemberResult result;
    member->SetResult(&result);
    member->SetSection(Corvid::Data::CSection(L"C D=254 B=69.6 T=11.1 Tw=9.63 R=10"));
    member->SetSteelDesignProp(Corvid::Steel::CSteelGrade(L"350W"));
    Corvid::Data::CRestraint const pinned(RB::kPinned | RB::kEndConnection), braced(RB::kBraced);
    member->SetMemberPointVec({{0.0, pinned}, {2.0, braced}, {4.0, pinned}});
    Corvid::Steel::CSubSpan a(0, 0, 1), b(1, 1, 2);
    a.SetForces({-50e3, -5e3, 0}, {-50e3, -5e3, 0});
    a.SetMoments({0, 0, 0}, {0, -10e3, 0});
    b.SetForces({-50e3, 5e3, 0}, {-50e3, 5e3, 0});
    b.SetMoments({0, -10e3, 0}, {0, 0, 0});
    member->SetSubSpanVec({a, b});
    member->Check();
    std::string const reference = Corvid::Narrow(result.GetText());
    ASSERT_NE(reference.find("SubSpan 2: 2.000 m to 4.000 m"), std::string::npos);
    EXPECT_EQ(s16app::PlainText(s16app::ReportLines(result)), reference);
}

TEST(AppReport, CleanRunStopsWhereEscapingMayStart) {
    // The clean prefix, counted by hand: printable ASCII, the tab only for
    // Printable, valid UTF-8 that Printable keeps (U+00B7 "\xC2\xB7", U+2076
    // "\xE2\x81\xB6"); it ends at a C1 control (U+0085 "\xC2\x85"), U+2028,
    // a cut or stray sequence, DEL, and for JSON at a quote or backslash.
    struct Case {
        char const* text;
        std::size_t plain, json;
    } const cases[] = {
        {"Mr = 12.5 kN\xC2\xB7m", 15, 15},   {"\tCr = 1.0 m\xE2\x81\xB6", 14, 0}, {"0123456789\"x", 12, 10},
        {"ab\\c", 4, 2},                     {"x\xC2\x85y", 1, 1},                 {"x\xE2\x80\xA8y", 1, 1},
        {"kN\xC2", 2, 2},                     {"\x80z", 0, 0},                      {"abc\x7f", 3, 3},
        {"\x01", 0, 0},
    };
    for (auto const& c : cases) {
        EXPECT_EQ(s16app::CleanRun(c.text, false), c.plain) << c.text;
        EXPECT_EQ(s16app::CleanRun(c.text, true), c.json) << c.text;
    }
}

TEST(AppReport, ReportLineTextWritesWhatThePlainTextWithItsEscapesIs) {
    // Random lines from pieces that each take a path of ReportLineText (the
    // seven tags and near-tags, tabs, quotes, controls, C1, U+2028, valid,
    // cut and stray UTF-8, runs longer than its 16-byte blocks), at
    // indentations below and above its 16 spaces: the plain line is the
    // markup's plain text with Printable's escapes after it, and the JSON
    // line that text as a JSON string (nlohmann's escaping).
    static char const* const kPieces[] = {
        "a",        "Mr = 12.5 kN", "<b>",          "</b>",         "<i>",          "<red>",
        "</red>",   "<",            ">",            "</",           "<u>",          "\t",
        "\"",       "\\",          "\x01",         "\x7f",         "\n",           "\xC2\x85",
        "\xC2\xB7", "\xC2",         "\x85",         "\xE2\x80\xA8", "\xE2\x81\xB6", "\xE2\x80",
        "\xB2",     "\xF0\x9F\x98\x80", "0123456789abcdefghij",
    };
    // Whether every byte past ASCII of the markup starts or continues valid
    // UTF-8: then the writer must not give the line up to the slow path.
    auto const valid = [](std::string const& m) {
        for (std::size_t i = 0; i < m.size();) {
            bool ok = true;
            i += static_cast<unsigned char>(m[i]) < 0x80 ? 1 : s16app::Utf8Length(m, i, ok);
            if (!ok) return false;
        }
        return true;
    };
    std::mt19937 random(19);
    for (int n = 0; n < 20000; ++n) {
        std::string markup;
        // One line in eight long (2.6 kB of valid text first): written in the string, not on the stack.
        for (int k = n % 8 == 0 ? 100 : 0; k > 0; --k) markup += "Mr = 12.5 kN <b>\xC2\xB7</b> ";
        for (int k = static_cast<int>(random() % 13); k > 0; --k) markup += kPieces[random() % std::size(kPieces)];
        std::size_t const indent = random() % 10 * 2;
        std::string plain;
        s16app::AppendPlain(plain, markup);
        std::string const expected = std::string(indent, ' ') + s16app::Printable(plain);
        std::string line;
        s16app::AppendPlainLine(line, s16app::ReportLine{static_cast<int>(indent / 2), markup});
        ASSERT_EQ(line, expected + "\n") << markup;
        for (bool const json : {false, true}) {
            // Exactly the room it asks for, on the heap: a byte past it is seen under ASan.
            std::size_t const room = s16app::ReportLineRoom(indent, markup);
            std::unique_ptr<char[]> const buffer(new char[room]);
            char const* const end = s16app::ReportLineText(buffer.get(), indent, markup, json);
            ASSERT_EQ(end == nullptr, !valid(markup)) << markup;
            if (end == nullptr) continue;  // bytes past ASCII not UTF-8 in the markup: the caller's slow path
            std::string const written(buffer.get(), static_cast<std::size_t>(end - buffer.get()));
            ASSERT_EQ(json ? '"' + written + '"' : written, json ? nlohmann::json(expected).dump() : expected) << markup;
        }
    }
}

TEST(AppReport, StylesCarryOverLineEnds) {
    // "<b>Class 1 under compression" ... "</b> in bending": the bold of the
    // first line stays open into the next; "<=" and unknown tags are text.
    unsigned open = 0;
    auto first = s16app::StyleLine("Section is: <b>Class 1 <red>x</red>", open);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_TRUE(first[0].style == 0u && first[1].style == unsigned(s16app::kBold) &&
                first[2].style == unsigned(s16app::kBold | s16app::kRed));
    EXPECT_EQ(open, unsigned(s16app::kBold));
    auto second = s16app::StyleLine("</b> in bending, Le/r <= 200 <u>", open);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_TRUE(second[0].text == " in bending, Le/r <= 200 <u>" && second[0].style == 0u) << second[0].text;
}

TEST(AppReport, MembersReadOnThreadsAsReadOneByOne) {
    // Members read on several threads come back in order, and the error is
    // the one of the first bad member, as when read one by one (the two bad
    // ones in different batches of 16: members[40] and members[50]).
    std::string const good = clitest::Pinned("CHS D=168.3 t=6.4", "3", R"(, "subspans": [{"left": {"N": -10}, "right": {"N": -10}}])");
    std::string const bad1 = R"({"section": "CHS D=168.3 t=6.4", "grade": "350W", "colour": 1})";
    std::string const bad2 = R"({"section": "CHS D=168.3 t=6.4", "grade": "999X"})";
    std::string list = "{\"members\": [";
    for (int i = 0; i < 40; ++i) list += (i ? "," : "") + good;
    auto const one = s16app::ReadMemberFile(list + "]}", "m.json", 1);
    auto const four = s16app::ReadMemberFile(list + "]}", "m.json", 4);
    ASSERT_EQ(four.size(), 40u);
    for (std::size_t i = 0; i < four.size(); ++i) EXPECT_EQ(four[i].path, one[i].path);
    std::string withBad = list + "," + bad1;
    for (int i = 0; i < 9; ++i) withBad += "," + good;
    withBad += "," + bad2 + "]}";
    auto error = [&withBad](int threads) -> std::string {
        try {
            s16app::ReadMemberFile(withBad, "m.json", threads);
        } catch (s16app::InputError const& e) {
            return e.what();
        }
        return "the bad members were accepted";
    };
    std::string const first = error(1);
    EXPECT_NE(first.find("members[40]"), std::string::npos) << first;
    for (int attempt = 0; attempt < 20; ++attempt) EXPECT_EQ(error(4), first);
}

TEST(AppReport, ShortestNumbersAsToChars) {
    // JSON and CSV numbers: the short-decimal path writes what std::to_chars
    // writes (the reference here): zeros, its choice of the fixed or exponent
    // form at and near their tie (0.001 fixed; 0.0001, 1e+05 exponent), values
    // just off a short decimal, a million and beyond; then values drawn from a
    // pool larger than the thread's memory of to_chars's texts (written again
    // from it, and replacing one another there); then the exact fixed path's
    // range, 1e-3 to 1e7, at random and at its edges (powers of two and of
    // ten and their neighbours, values with 15 to 17 digits).
    std::vector<double> values{0.0,  1.0, 0.5,   0.001, 0.0001, 1.5e-3, 1e-9, 5e-10, 1e4, 1e5, 1.2e5, 999999.999999999,
                               1e6, 0.30000000000000004, 3.7673000000000005, 7.3097639, 2598708.189656576};
    std::mt19937_64 rng(20261207);
    std::vector<double> pool(500);
    std::uniform_real_distribution<> mantissa(-1.0, 1.0);
    for (double& v : pool) v = std::ldexp(mantissa(rng), static_cast<int>(rng() % 80) - 40);
    for (int i = 0; i < 25000; ++i) values.push_back(pool[rng() % pool.size()]);
    std::uniform_real_distribution<> decade(-3.0, 7.0);
    for (int i = 0; i < 200000; ++i) values.push_back(std::pow(10.0, decade(rng)));
    for (int e = -11; e <= 24; ++e)
        for (double const edge : {std::ldexp(1.0, e), e >= -3 && e <= 7 ? std::pow(10.0, e) : 1.0})
            for (double const x : {std::nextafter(edge, 0.0), edge, std::nextafter(edge, 1e300)}) values.push_back(x);
    for (double const x : {0.1, 0.2, 0.3, 1.0 / 3.0, 2.0 / 3.0, 9999999.999999998, 0.0009999999999999998})
        values.push_back(x);
    for (double const v : values)
        for (double const x : {v, -v}) {
            char a[40], b[40];
            ASSERT_EQ(std::string(a, s16app::ShortestText(a, a + sizeof a, x)),
                      std::string(b, std::to_chars(b, b + sizeof b, x).ptr));
        }
}

TEST(AppReport, InputHashAsTheDumpedText) {
    // The hash printed with a member is FNV-1a, 64 bits (the published
    // parameters: offset basis 14695981039346656037, prime 1099511628211), of
    // the compact text nlohmann::json's dump writes of {"file": ..., "member":
    // ...} (UTF-8 kept, invalid bytes replaced): the reference here is dump()
    // itself, for the values the hash writes by its own means and those it
    // leaves to the serializer (escapes, invalid UTF-8).
    using nlohmann::json;
    auto reference = [](json const& member, json const& file) {
        std::uint64_t h = 14695981039346656037ull;
        for (unsigned char c : json{{"file", file}, {"member", member}}.dump(-1, ' ', false, json::error_handler_t::replace))
            h = (h ^ c) * 1099511628211ull;
        char buf[20];
        std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
        return std::string(buf);
    };
    json const values[] = {nullptr, true, -7, std::uint64_t{18446744073709551615ull}, 0.1, -0.0, 1e-7, 1e21, 5e-324,
                           1.7976931348623157e308, "plain", "quote \" backslash \\ tab \t line \n",
                           "del \x7f c1 \xc2\x85 separator \xe2\x80\xa8", "invalid \xff\xc3", "mm\xc2\xb2 \xf0\x9f\x98\x80",
                           json::array(), json::object(), json{{"b", {1, 2.5, "x"}}, {"a", {{"\x01k", nullptr}}}}};
    for (auto const& v : values)
        for (auto const& file : {json::object(), json{{"units", {{"length", "mm"}}}}}) {
            json const member{{"title", v}, {"points", {v, v}}};
            EXPECT_EQ(s16app::InputHash(s16app::JsonDoc::FromJson(member), 0, s16app::JsonDoc::FromJson(file)),
                      reference(member, file))
                << member.dump(-1, ' ', false, json::error_handler_t::replace);
        }
}

namespace {
// Compares with tests/golden/NAME.txt after its header (the leading "# "
// lines, which say what was checked by hand); S16_UPDATE_GOLDEN=1 rewrites
// the body and keeps the header.
void ExpectGolden(std::string const& name, std::string const& actual) {
    std::string const path = std::string(S16_GOLDEN_DIR) + "/" + name + ".txt";
    std::string const text = clitest::Slurp(path);
    std::size_t body = 0;
    for (std::size_t nl; text.compare(body, 2, "# ") == 0 && (nl = text.find('\n', body)) != std::string::npos;) body = nl + 1;
    if (std::getenv("S16_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << text.substr(0, body) << actual;
        return;
    }
    EXPECT_EQ(actual, text.substr(body)) << name << " changed; if on purpose, rerun with S16_UPDATE_GOLDEN=1";
}
}  // namespace

// At normal detail the engine writes the text of only the parts of the report
// that the working shows (RunOptions::governingReportOnly); the report must be
// the one written from every entry whole. The members take both ends of a
// sub-span and every buckling block: a round tube whose minor-axis buckling
// governs, a single-angle strut (the strut blocks), a channel beam-column (the
// general member's six blocks).
TEST(AppReport, NormalDetailFromThePartsShownAsFromWholeEntries) {
    std::string const members = R"({"members": [
      {"section": "CHS D=304.8 t=9.5", "grade": "350W", "code": "CSA S16-14",
       "points": [{"x": 0.0, "restraint": ["pinned", "flange-connection"]}, {"x": 11.968, "restraint": "major-translation"}],
       "subspans": [{"left": {"N": 34.0, "Vy": 10.0, "Mx": 23.0}, "right": {"N": 67.252, "Vy": 1.0, "Mx": -4.3, "Vx": -1.1}}]},
      {"section": "L D=102 B=76 t=9.5 R=10", "grade": "350W",
       "points": [{"x": 0.0, "restraint": "pinned"}, {"x": 1.8, "restraint": "pinned"}],
       "subspans": [{"left": {"N": -80}, "right": {"N": -80}}]},
      {"section": "C D=254 B=69.6 T=11.1 Tw=9.63 R=10", "grade": "300W",
       "points": [{"x": 0, "restraint": "pinned"}, {"x": 2, "restraint": "braced"}, {"x": 5, "restraint": "pinned"}],
       "subspans": [{"left": {"N": -200, "Mx": 0, "Vy": 10}, "right": {"N": -200, "Mx": 20, "Vy": 10}},
                    {"left": {"N": -200, "Mx": 20, "Vy": -5}, "right": {"N": -200, "Mx": 5, "Vy": -5}}]}]})";
    for (auto const& input : s16app::ReadMemberFile(members, "parts.json")) {
        auto text = [&input](bool partsShown) {
            s16app::RunOptions options;
            options.detail = s16app::Detail::Normal;
            options.governingReportOnly = partsShown;
            s16app::BatchItem const item{s16app::CheckMember(input, options), ""};
            return s16app::TextMember(0, item, false, s16app::Detail::Normal);
        };
        std::string const shown = text(true);
        EXPECT_NE(shown.find("Member buckling: "), std::string::npos) << shown;
        EXPECT_EQ(shown, text(false)) << input.section;
    }
}

TEST(AppReport, DetailLevelsAgainstTheirGoldens) {
    // The beam of the README: I D=303 B=203 T=13.1 Tw=7.5 R=15 in 350W,
    // 6 m, pinned, braced at mid-span, 30 kN/m. The project comes from the
    // file, the engineer from the command line over the file's.
    std::string const member = R"({"title": "B1", "project": "Tower B", "engineer": "A. File",
      "section": "I D=303 B=203 T=13.1 Tw=7.5 R=15", "grade": "350W",
      "points": [{"x": 0, "restraint": "pinned"}, {"x": 3, "restraint": "braced"}, {"x": 6, "restraint": "pinned"}],
      "subspans": [{"left": {"Vy": -90}, "loads": [{"type": "uniform", "w": 30}]},
                   {"left": {"Vy": 0, "Mx": -135}, "loads": [{"type": "uniform", "w": 30}]}]})";
    clitest::WriteFile("b1.json", member);
    auto run = [](std::string const& file, std::string const& args) {
        auto const r = clitest::RunShell("SOURCE_DATE_EPOCH=1765000000 '" + clitest::Binary() + "' check " + file +
                                         " --engineer 'C. Line' " + args);
        EXPECT_EQ(r.status, 0) << r.err;
        // The revision changes with every commit.
        return std::regex_replace(r.out, std::regex(R"(\(revision [^)]*\))"), "(revision REV)");
    };
    for (char const* level : {"summary", "normal", "full"})
        ExpectGolden(std::string("report_") + level, run("b1.json", std::string("--detail ") + level));
    // The input hash is that of the member's text: the same in a list, another
    // with file-level units (even when they change nothing).
    auto hash = [&run](std::string const& file) {
        std::smatch m;
        std::string const out = run(file, "--detail summary");
        return std::regex_search(out, m, std::regex("Input hash \\(FNV-1a 64\\): ([0-9a-f]{16})")) ? m[1].str() : "";
    };
    clitest::WriteFile("list.json", "{\"members\": [" + member + "]}");
    clitest::WriteFile("units.json", "{\"units\": {\"length\": \"m\"}, \"members\": [" + member + "]}");
    std::string const own = hash("b1.json");
    EXPECT_TRUE(own.size() == 16 && hash("list.json") == own && hash("units.json") != own) << own;
    // The detail levels shape the text report only.
    auto const json = clitest::RunCli("check b1.json --format json --detail full");
    EXPECT_TRUE(json.status == 2 && json.err.find("--detail: applies to the text report only") != std::string::npos) << json.err;
}
