#include "app/Markup.h"

#include <algorithm>
#include <string_view>

#include "app/Output.h"

namespace s16app {

namespace {
struct Tag {
    char const* name;
    Style style;
};
constexpr Tag kTags[] = {{"h4", kHeading4}, {"h5", kHeading5}, {"b", kBold},      {"i", kItalic},
                         {"red", kRed},     {"orange", kOrange}, {"blue", kBlue}};

// The style of a tag name; 0 for anything else.
unsigned TagStyle(std::string_view name) {
    for (auto const& t : kTags)
        if (name == t.name) return t.style;
    return 0;
}
}  // namespace

std::vector<ReportLine> ReportLines(Corvid::Steel::CMemberResult const& result, std::vector<std::size_t>* starts) {
    std::vector<ReportLine> lines;
    // The fragments' characters go into the line as UTF-8 through a buffer
    // on the stack, a block at a time (code points past U+10FFFF as '?').
    char buf[256];
    std::size_t n = 0;
    ReportLine line;
    auto flush = [&] {
        line.markup.append(buf, n);
        n = 0;
    };
    for (int e = 0; e < result.NumEntries(); ++e) {
        if (starts) starts->push_back(lines.size());
        // A line takes the indentation of the fragment that starts it; a
        // fragment without a newline runs on into the next.
        bool open = false;
        for (auto const& fragment : result.Entry(e).fragments) {
            wchar_t const* p = fragment.text.data();
            wchar_t const* const end = p + fragment.text.size();
            while (p != end) {
                if (!open) {
                    line = ReportLine{fragment.indent, ""};
                    open = true;
                }
                // A run of plain ASCII at once.
                while (p != end && n < sizeof buf && static_cast<unsigned long>(*p) < 0x80 && *p != L'\n')
                    buf[n++] = static_cast<char>(*p++);
                if (p == end) break;
                auto const cp = static_cast<unsigned long>(*p++);
                if (cp == '\n') {
                    flush();
                    lines.push_back(std::move(line));
                    open = false;
                    continue;
                }
                if (n > sizeof buf - 4) flush();
                if (cp < 0x80) {
                    buf[n++] = static_cast<char>(cp);
                } else if (cp < 0x800) {
                    buf[n++] = static_cast<char>(0xC0 | (cp >> 6));
                    buf[n++] = static_cast<char>(0x80 | (cp & 0x3F));
                } else if (cp < 0x10000) {
                    buf[n++] = static_cast<char>(0xE0 | (cp >> 12));
                    buf[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                    buf[n++] = static_cast<char>(0x80 | (cp & 0x3F));
                } else if (cp < 0x110000) {
                    buf[n++] = static_cast<char>(0xF0 | (cp >> 18));
                    buf[n++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
                    buf[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                    buf[n++] = static_cast<char>(0x80 | (cp & 0x3F));
                } else {
                    buf[n++] = '?';
                }
            }
        }
        flush();
        if (open && !line.markup.empty()) lines.push_back(line);
    }
    return lines;
}

std::vector<StyledRun> StyleLine(std::string const& markup, unsigned& open) {
    std::vector<StyledRun> runs;
    std::string text;
    auto flush = [&] {
        if (!text.empty()) runs.push_back(StyledRun{text, open});
        text.clear();
    };
    std::size_t i = 0;
    while (i < markup.size()) {
        if (markup[i] == '<') {
            auto const close = markup.find('>', i);
            if (close != std::string::npos) {
                bool const closing = i + 1 < markup.size() && markup[i + 1] == '/';
                std::size_t const from = i + (closing ? 2 : 1);
                unsigned const style = TagStyle(std::string_view(markup).substr(from, close - from));
                if (style != 0) {
                    flush();
                    open = closing ? (open & ~style) : (open | style);
                    i = close + 1;
                    continue;
                }
            }
        }
        text.push_back(markup[i]);
        ++i;
    }
    flush();
    return runs;
}

void AppendPlain(std::string& out, std::string const& markup) {
    std::string_view const m(markup);
    for (std::size_t i = 0; i < m.size();) {
        // The text up to the next '<' at once.
        std::size_t const lt = std::min(m.find('<', i), m.size());
        out.append(m.data() + i, lt - i);
        i = lt;
        if (i == m.size()) break;
        auto const close = m.find('>', i);
        if (close != std::string_view::npos) {
            std::size_t const from = i + (i + 1 < m.size() && m[i + 1] == '/' ? 2 : 1);
            if (TagStyle(m.substr(from, close - from)) != 0) {
                i = close + 1;
                continue;
            }
        }
        out += m[i++];
    }
}

std::string PlainText(std::vector<ReportLine> const& lines) {
    std::size_t size = 0;
    for (auto const& line : lines) size += static_cast<std::size_t>(line.indent) * 2 + line.markup.size() + 1;
    std::string out;
    out.reserve(size);
    for (auto const& line : lines) {
        out.append(static_cast<std::size_t>(line.indent) * 2, ' ');
        std::size_t const start = out.size();
        AppendPlain(out, line.markup);
        // Text of the user (a title, a section) cannot break the line.
        if (NeedsEscape(std::string_view(out).substr(start))) {
            std::string const text = Printable(out.substr(start));
            out.replace(start, std::string::npos, text);
        }
        out += '\n';
    }
    return out;
}

}  // namespace s16app
