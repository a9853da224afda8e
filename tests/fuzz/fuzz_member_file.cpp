// libFuzzer target: the member-file reader on arbitrary bytes, and every
// member that reads checked as s16app::CheckMember checks it (text on, off,
// quick). Refusals are InputErrors naming the file (anything else is a fault),
// the same with the text on and off; the reader's promises hold (two points or
// more, increasing, one sub-span between each pair in every case); outcomes
// have no NaN or negative utilisation, no pass with a failure flag or above 1,
// the governing case largest, and text on and off agree on every number.
// The members' list reader gives what each text read alone gives.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "app/JsonInput.h"
#include "app/MemberFile.h"
#include "app/MemberRunner.h"
#include "framework/Section.h"

using Corvid::Data::CSection;
using s16app::CaseOutcome;
using s16app::InputError;
using s16app::MemberInput;
using s16app::MemberOutcome;
using s16app::RunOptions;

namespace {

char const* const kFileName = "fuzz.json";

bool NamesTheFile(InputError const& e) { return std::string(e.what()).rfind(kFileName, 0) == 0; }

bool SaneUtil(double u) { return !std::isnan(u) && u >= 0.0; }  // a number >= 0 or +infinity

// Failure flags after which the utilisation is at least 1: interaction (0x10),
// axial (0x1000), strut moments and shears (0x2000, 0x4000, 0x8000, 0x10000).
constexpr std::uint32_t kFailsAtOne = 0x10u | 0x1000u | 0x2000u | 0x4000u | 0x8000u | 0x10000u;

void SaneCase(CaseOutcome const& c, bool wantReport) {
    S16_FUZZ_CHECK(SaneUtil(c.utilisation), "the overall utilisation is a number >= 0 or +infinity");
    for (auto const& e : c.entries)
        for (auto const& [kind, u] : e.utils) S16_FUZZ_CHECK(SaneUtil(u), "an entry's utilisation is >= 0");
    for (auto const& [kind, u] : c.maxima) S16_FUZZ_CHECK(SaneUtil(u), "a largest utilisation is >= 0");
    if (c.flags & kFailsAtOne) S16_FUZZ_CHECK(c.utilisation >= 1.0, "a member flagged as failing reads >= 1");
    if (c.flags & s16app::kFailureFlags) S16_FUZZ_CHECK(!c.pass, "a failure flag never goes with a pass");
    if (c.utilisation > 1.0) S16_FUZZ_CHECK(!c.pass, "a utilisation above 1 never passes");
    if (c.pass) S16_FUZZ_CHECK(c.checked, "only a check that ran passes");
    S16_FUZZ_CHECK(c.report.empty() != wantReport, "a report exactly when the text is on");
}

void SaneMember(MemberOutcome const& m, MemberInput const& input, bool wantReport) {
    S16_FUZZ_CHECK(m.cases.size() == input.cases.size(), "one outcome per load case");
    S16_FUZZ_CHECK(m.governing < m.cases.size(), "the governing case is one of the cases");
    bool all = !m.cases.empty();
    for (auto const& c : m.cases) {
        SaneCase(c, wantReport);
        S16_FUZZ_CHECK(!(c.utilisation > m.Governing().utilisation), "the governing case has the largest utilisation");
        all = all && c.pass;
    }
    S16_FUZZ_CHECK(m.Pass() == all, "a member passes when every case passes");
}

// Every number of two complete checks of one member agrees.
bool SameNumbers(MemberOutcome const& a, MemberOutcome const& b) {
    if (a.cases.size() != b.cases.size() || a.governing != b.governing || a.section != b.section) return false;
    for (std::size_t k = 0; k < a.cases.size(); ++k) {
        CaseOutcome const &x = a.cases[k], &y = b.cases[k];
        if (x.checked != y.checked || x.pass != y.pass || x.flags != y.flags || !(x.utilisation == y.utilisation) ||
            x.entries.size() != y.entries.size() || x.maxima != y.maxima)
            return false;
        for (std::size_t e = 0; e < x.entries.size(); ++e)
            if (x.entries[e].kind != y.entries[e].kind || x.entries[e].utils != y.entries[e].utils)
                return false;
    }
    return true;
}

// The outcome, or nothing when refused (with an InputError naming the file).
std::optional<MemberOutcome> Check(MemberInput const& input, bool quick, bool text) {
    RunOptions options;
    options.quick = quick, options.text = text;
    try {
        return s16app::CheckMember(input, options);
    } catch (InputError const& e) {
        S16_FUZZ_CHECK(NamesTheFile(e), "a refused member is named by its file");
        return std::nullopt;
    } catch (std::exception const& e) {
        std::fprintf(stderr, "%s: %s\n", input.path.c_str(), e.what());
        S16_FUZZ_CHECK(false, "a member check throws nothing but InputError");
    }
    return std::nullopt;
}

// What the reader promises of every member it gives.
void ReadAsPromised(MemberInput const& m) {
    S16_FUZZ_CHECK(m.points.size() >= 2, "a member has at least two points");
    for (std::size_t i = 1; i < m.points.size(); ++i)
        S16_FUZZ_CHECK(m.points[i].x > m.points[i - 1].x, "positions increase");
    S16_FUZZ_CHECK(!m.cases.empty(), "a member has a load case");
    for (auto const& c : m.cases)
        S16_FUZZ_CHECK(c.subspans.size() + 1 == m.points.size(), "one sub-span between each pair of points");
}

// The members' list reader against each text read alone: the input cut at
// its 0x1E bytes into texts, written as one list, gives first the values
// the texts give alone (the same JSON text), in order, up to the first that
// is refused (a refused text may join its neighbours into other values:
// "1,2"); when none is, exactly those, and the list is valid. Not with a
// NUL byte: read alone, the JSON library takes it for the end of the text.
void ListReadAsAlone(std::string const& input) {
    if (input.find('\0') != std::string::npos) return;
    std::vector<std::string> texts(1);
    for (char c : input)
        if (c == '\x1e')
            texts.emplace_back();
        else
            texts.back().push_back(c);
    std::string list = "[";
    for (auto const& t : texts) list += (list.size() > 1 ? "," : "") + t;
    list += "]";
    std::vector<std::string> alone;
    for (std::size_t i = 0; i < texts.size(); ++i) try {
            alone.push_back(s16app::ParseMember(texts[i], s16app::MemberOrigin{}, kFileName, i).dump());
        } catch (InputError const&) {
            break;
        }
    std::vector<std::string> listed;
    bool const valid = s16app::ParseMembers(list, kFileName, [&listed](std::size_t i, s16app::JsonDoc&& v) {
        S16_FUZZ_CHECK(i == listed.size(), "the list's values come in order");
        listed.push_back(v.ToJson().dump());
    });
    bool const each = alone.size() == texts.size();
    S16_FUZZ_CHECK(listed.size() >= alone.size() && std::equal(alone.begin(), alone.end(), listed.begin()),
                   "the list gives first what the texts give alone");
    if (each) S16_FUZZ_CHECK(valid && listed.size() == alone.size(), "a list of valid texts gives their values");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Designations are looked up in the shared catalogue when it is there.
    std::error_code ec;
    if (std::filesystem::is_directory(S16_SHARED_SECTIONS, ec)) CSection::SetCatalogDirectory(S16_SHARED_SECTIONS);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string const text(reinterpret_cast<char const*>(data), size);
    ListReadAsAlone(text);
    std::vector<MemberInput> members;
    try {
        members = s16app::ReadMemberFile(text, kFileName);
    } catch (InputError const& e) {
        S16_FUZZ_CHECK(NamesTheFile(e), "a refused file is named");
        return 0;
    } catch (std::exception const& e) {
        std::fprintf(stderr, "%s\n", e.what());
        S16_FUZZ_CHECK(false, "the reader throws nothing but InputError");
    }
    S16_FUZZ_CHECK(!members.empty(), "a file that reads holds a member");
    for (MemberInput const& m : members) {
        ReadAsPromised(m);
        auto const on = Check(m, false, true), off = Check(m, false, false), quick = Check(m, true, true);
        S16_FUZZ_CHECK(on.has_value() == off.has_value(), "the report text does not decide whether a member is refused");
        if (on) SaneMember(*on, m, true);
        if (off) SaneMember(*off, m, false);
        if (on && off) S16_FUZZ_CHECK(SameNumbers(*on, *off), "the text-on and text-off checks agree");
        if (quick) SaneMember(*quick, m, false);  // quick mode writes no report
    }
    return 0;
}
