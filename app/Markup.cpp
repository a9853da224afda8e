#include "app/Markup.h"

#include <algorithm>
#include <string_view>

#include "app/Output.h"
#include "framework/Markup.h"

namespace s16app {

namespace {
// A code point as UTF-8 at buf[n] (room for 4 bytes), past U+10FFFF as '?'.
void AppendUtf8(char* buf, std::size_t& n, unsigned long cp) {
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

// Walks a line of markup (Corvid::Markup::ScanMarkup) with the tags as
// style bits.
template <class OnText, class OnTag>
void ScanMarkup(std::string_view m, OnText onText, OnTag onTag) {
    Corvid::Markup::ScanMarkup(m, onText,
                               [&onTag](Corvid::Markup::Tag tag, bool closing) { onTag(1u << tag, closing); });
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
                AppendUtf8(buf, n, cp);
            }
        }
        flush();
        if (open && !line.markup.empty()) lines.push_back(line);
    }
    return lines;
}

std::vector<StyledRun> StyleLine(std::string const& markup, unsigned& open) {
    std::vector<StyledRun> runs;
    ScanMarkup(
        markup,
        [&](std::string_view text) {
            runs.push_back(StyledRun{std::string(text), open});
        },
        [&](unsigned style, bool closing) { open = closing ? (open & ~style) : (open | style); });
    return runs;
}

void AppendPlain(std::string& out, std::string const& markup) {
    ScanMarkup(
        markup, [&out](std::string_view text) { out.append(text); }, [](unsigned, bool) {});
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
