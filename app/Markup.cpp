#include "app/Markup.h"

#include <algorithm>
#include <cwchar>
#include <string_view>

#include "app/Output.h"
#include "framework/CString.h"
#include "framework/Markup.h"

namespace s16app {

namespace {
// The characters [p, q) appended to `out` as UTF-8, through a buffer on
// the stack a block at a time; a run of 16 plain ASCII characters is
// narrowed at once (loops of a fixed count the compiler turns into vector
// instructions).
void AppendUtf8(std::string& out, wchar_t const* p, wchar_t const* q) {
    constexpr std::ptrdiff_t kRun = 16, kBlock = 16 * kRun;
    char buf[4 * kBlock];
    while (p != q) {
        wchar_t const* const stop = q - p > kBlock ? p + kBlock : q;
        char* d = buf;
        for (; stop - p >= kRun; p += kRun) {
            unsigned long any = 0;
            for (std::ptrdiff_t k = 0; k < kRun; ++k) any |= static_cast<unsigned long>(p[k]);
            if (any >= 0x80) {
                d = Corvid::EncodeUtf8(d, p, p + kRun);
                continue;
            }
            for (std::ptrdiff_t k = 0; k < kRun; ++k) d[k] = static_cast<char>(p[k]);
            d += kRun;
        }
        d = Corvid::EncodeUtf8(d, p, stop);
        p = stop;
        out.append(buf, static_cast<std::size_t>(d - buf));
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
    // About a line per fragment: room made once.
    std::size_t fragments = 0;
    for (int e = 0; e < result.NumEntries(); ++e) fragments += result.Entry(e).fragments.size();
    lines.reserve(fragments + fragments / 4);
    // The line being gathered, in one buffer that keeps its room from line
    // to line; a finished line is copied out at its size.
    std::string text;
    int indent = 0;
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
                    indent = fragment.indent;
                    text.clear();
                    open = true;
                }
                wchar_t const* const eol = std::wmemchr(p, L'\n', static_cast<std::size_t>(end - p));
                AppendUtf8(text, p, eol ? eol : end);
                if (!eol) break;
                lines.push_back(ReportLine{indent, text});
                open = false;
                p = eol + 1;
            }
        }
        if (open && !text.empty()) lines.push_back(ReportLine{indent, text});
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
    for (auto const& line : lines) AppendPlainLine(out, line);
    return out;
}

void AppendPlainLine(std::string& out, ReportLine const& line, int shift) {
    out.append(static_cast<std::size_t>(line.indent + shift) * 2, ' ');
    std::size_t const start = out.size();
    AppendPlain(out, line.markup);
    // Text of the user (a title, a section) cannot break the line.
    if (NeedsEscape(std::string_view(out).substr(start))) {
        std::string const text = Printable(out.substr(start));
        out.replace(start, std::string::npos, text);
    }
    out += '\n';
}

}  // namespace s16app
