// libFuzzer target: every output format rendered from the members of a
// fuzzed member file, and read back (the promises are in the README).
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "app/MemberFile.h"
#include "app/MemberRunner.h"
#include "app/Render.h"

namespace {
bool OnlyPrintable(std::string const& s) {
    return std::none_of(s.begin(), s.end(), [](unsigned char c) { return (c < 0x20 && c != '\n' && c != '\t') || c == 0x7f; });
}

std::size_t Count(std::string const& s, std::string const& what) {
    std::size_t n = 0;
    for (auto at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
    return n;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::vector<s16app::MemberInput> members;
    try {
        members = s16app::ReadMemberFile(std::string(reinterpret_cast<char const*>(data), size), "fuzz.json");
    } catch (s16app::InputError const&) {
        return 0;
    }
    std::vector<s16app::BatchItem> items(members.size());
    s16app::RunCounts counts;
    s16app::BatchRows batchRows;
    std::string text, json = s16app::JsonBegin(), rows, sections;
    for (std::size_t i = 0; i < members.size(); ++i) {
        try {
            items[i].outcome = s16app::CheckMember(members[i], s16app::RunOptions{});
        } catch (s16app::InputError const& e) {
            items[i].error = e.what();
        }
        counts.Add(items[i]);
        text += s16app::TextMember(i, items[i], false);
        json += s16app::JsonMember(i, items[i], i == 0);
        batchRows.Add(s16app::MakeBatchRow(i, items[i]));
        sections += s16app::HtmlMember(i, items[i]);
    }
    std::ostringstream end;
    bool const read = s16app::TextEnd(end, counts, batchRows) &&
                      batchRows.ForEach([&rows](s16app::BatchRow const& r) { rows += s16app::HtmlRow(r); });
    S16_FUZZ_CHECK(read, "the rows are read back");
    text += end.str();
    json += s16app::JsonEnd(!members.empty(), counts);
    std::string const html = s16app::HtmlHead(counts) + rows + s16app::kHtmlRowsEnd + sections + s16app::kHtmlEnd;
    nlohmann::json const parsed = nlohmann::json::parse(json, nullptr, false);
    S16_FUZZ_CHECK(!parsed.is_discarded(), "the JSON output parses");
    S16_FUZZ_CHECK(parsed["members"].size() == members.size(), "the JSON holds every member");
    auto const replace = nlohmann::json::error_handler_t::replace;  // as the renderer: bad UTF-8 replaced
    for (std::size_t i = 0; i < members.size(); ++i)
        if (items[i].outcome)
            S16_FUZZ_CHECK(parsed["members"][i]["title"] ==
                               nlohmann::json::parse(nlohmann::json(members[i].title).dump(-1, ' ', false, replace)),
                           "the JSON keeps the title as written");
    S16_FUZZ_CHECK(OnlyPrintable(text), "no control character in the text output");
    S16_FUZZ_CHECK(text.size() > 1 && text.substr(text.rfind('\n', text.size() - 2) + 1) == s16app::CountsLine(counts) + "\n",
                   "the text ends with the counts line");
    S16_FUZZ_CHECK(OnlyPrintable(html), "no control character in the HTML output");
    S16_FUZZ_CHECK(Count(html, "<section") == members.size() && Count(html, "</section>") == members.size(),
                   "a section a member, checked or not");
    S16_FUZZ_CHECK(Count(html, "<script") == 0 && Count(html, "<body") == 1, "no element forged by user text");
    return 0;
}
