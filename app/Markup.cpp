#include "app/Markup.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "app/Output.h"
#include "framework/CString.h"
#include "framework/Markup.h"

namespace s16app {

namespace {
// The characters [p, q) as UTF-8 from `d` on (room for four bytes a
// character), its end returned; a run of 16 ASCII characters is narrowed at
// once (loops of a fixed count the compiler turns into vector instructions).
char* EncodeUtf8(char* d, wchar_t const* p, wchar_t const* q) {
    constexpr std::ptrdiff_t kRun = 16;
    for (; q - p >= kRun; p += kRun) {
        unsigned long any = 0;
        for (std::ptrdiff_t k = 0; k < kRun; ++k) any |= static_cast<unsigned long>(p[k]);
        if (any >= 0x80) break;
        for (std::ptrdiff_t k = 0; k < kRun; ++k) d[k] = static_cast<char>(p[k]);
        d += kRun;
    }
    for (; p != q && static_cast<unsigned long>(*p) < 0x80; ++p) *d++ = static_cast<char>(*p);
    return p == q ? d : Corvid::EncodeUtf8(d, p, q);
}

// Walks a line of markup (Corvid::Markup::ScanMarkup) with the tags as
// style bits.
template <class OnText, class OnTag>
void ScanMarkup(std::string_view m, OnText onText, OnTag onTag) {
    Corvid::Markup::ScanMarkup(m, onText,
                               [&onTag](Corvid::Markup::Tag tag, bool closing) { onTag(1u << tag, closing); });
}
}  // namespace

void CaseReport::Add(Corvid::Steel::CMemberResult const& result, std::vector<std::size_t>* starts) {
    // About a line per fragment, a byte per character: room made once.
    std::size_t fragments = 0, characters = 0;
    for (int e = 0; e < result.NumEntries(); ++e)
        for (auto const& fragment : result.Entry(e).fragments) ++fragments, characters += fragment.text.size();
    m_lines.reserve(m_lines.size() + fragments + fragments / 2);
    // Each fragment is encoded straight into the buffer, which is kept
    // larger than the text written (`used` bytes) by the room the next
    // fragment may need, and cut to the text at the end.
    std::size_t used = m_text.size();
    m_text.resize(used + characters + characters / 4 + 64);
    for (int e = 0; e < result.NumEntries(); ++e) {
        if (starts) starts->push_back(size());
        // Each fragment is cut at its newlines (left in the buffer between
        // the lines). A line takes the indentation of the fragment that
        // starts it; a fragment without a newline runs on into the next.
        bool open = false;
        Line line{0, 0, 0};
        for (auto const& fragment : result.Entry(e).fragments) {
            if (fragment.text.empty()) continue;
            std::size_t const room = used + 4 * fragment.text.size();
            if (m_text.size() < room) m_text.resize(std::max(room, 2 * m_text.size()));
            std::size_t at = used;
            char* const text = &m_text[0];
            used = static_cast<std::size_t>(
                EncodeUtf8(text + at, fragment.text.data(), fragment.text.data() + fragment.text.size()) - text);
            if (!open) line = Line{at, 0, fragment.indent}, open = true;
            for (void const* eol; (eol = std::memchr(text + at, '\n', used - at)) != nullptr;) {
                at = static_cast<std::size_t>(static_cast<char const*>(eol) - text);
                line.size = at - line.begin;
                m_lines.push_back(line);
                if (++at == used) {
                    open = false;
                    break;
                }
                line = Line{at, 0, fragment.indent};
            }
        }
        line.size = used - line.begin;
        if (open && line.size != 0) m_lines.push_back(line);
    }
    m_text.resize(used);
}

CaseReport ReportLines(Corvid::Steel::CMemberResult const& result) {
    CaseReport report;
    report.Add(result);
    return report;
}

std::vector<StyledRun> StyleLine(std::string_view markup, unsigned& open) {
    std::vector<StyledRun> runs;
    ScanMarkup(
        markup,
        [&](std::string_view text) {
            runs.push_back(StyledRun{std::string(text), open});
        },
        [&](unsigned style, bool closing) { open = closing ? (open & ~style) : (open | style); });
    return runs;
}

void AppendPlain(std::string& out, std::string_view markup) {
    ScanMarkup(
        markup, [&out](std::string_view text) { out.append(text); }, [](unsigned, bool) {});
}

std::string PlainText(CaseReport const& lines) {
    std::size_t size = lines.TextSize();
    for (auto const line : lines) size += static_cast<std::size_t>(line.indent) * 2 + 1;
    std::string out;
    out.reserve(size);
    for (auto const line : lines) AppendPlainLine(out, line);
    return out;
}

void AppendPlainLine(std::string& out, ReportLine line, int shift) {
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
