#include "app/Markup.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string_view>

#include "app/Output.h"
#include "framework/CString.h"
#include "framework/Markup.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace s16app {

namespace {
constexpr std::ptrdiff_t kRun = 16;

// The 16 characters at `p` narrowed to `d` when all are ASCII; false, nothing
// written, otherwise. With SSE2 and 32-bit characters in four vector
// instructions' steps; else through local copies (a store through `d` could
// change `p` for all the compiler knows), in loops of a fixed count.
bool NarrowAscii(char* d, wchar_t const* p) {
#if defined(__SSE2__) && WCHAR_MAX > 0xffff
    auto const* v = reinterpret_cast<__m128i const*>(p);
    __m128i const a = _mm_loadu_si128(v), b = _mm_loadu_si128(v + 1), c = _mm_loadu_si128(v + 2),
                  e = _mm_loadu_si128(v + 3);
    __m128i const high = _mm_and_si128(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, e)), _mm_set1_epi32(~0x7f));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(high, _mm_setzero_si128())) != 0xffff) return false;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, e)));
    return true;
#else
    wchar_t wide[kRun];
    std::memcpy(wide, p, sizeof wide);
    unsigned long any = 0;
    for (std::ptrdiff_t k = 0; k < kRun; ++k) any |= static_cast<unsigned long>(wide[k]);
    if (any >= 0x80) return false;
    char narrow[kRun];
    for (std::ptrdiff_t k = 0; k < kRun; ++k) narrow[k] = static_cast<char>(wide[k]);
    std::memcpy(d, narrow, sizeof narrow);
    return true;
#endif
}

// The characters [p, q) as UTF-8 from `d` on (room for four bytes a
// character), its end returned: runs of 16 ASCII characters narrowed at
// once, the last run overlapping the one before when that was ASCII, any
// other run encoded character by character.
char* EncodeUtf8Runs(char* d, wchar_t const* p, wchar_t const* q) {
    bool previousAscii = false;
    for (; q - p >= kRun; p += kRun) {
        previousAscii = NarrowAscii(d, p);
        d = previousAscii ? d + kRun : Corvid::EncodeUtf8(d, p, p + kRun);
    }
    if (p != q && previousAscii && NarrowAscii(d - (kRun - (q - p)), q - kRun)) return d + (q - p);
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
    // Each fragment is encoded straight into the buffer's room (four bytes
    // a character at most).
    m_text.Room(characters + characters / 4 + 64);
    for (int e = 0; e < result.NumEntries(); ++e) {
        if (starts) starts->push_back(size());
        // Each fragment is cut at its newlines (left in the buffer between
        // the lines). A line takes the indentation of the fragment that
        // starts it; a fragment without a newline runs on into the next.
        bool open = false;
        Line line{0, 0, 0};
        for (auto const& fragment : result.Entry(e).fragments) {
            if (fragment.text.empty()) continue;
            char* const text = m_text.Room(4 * fragment.text.size());
            std::size_t at = m_text.size();
            std::size_t const used = static_cast<std::size_t>(
                EncodeUtf8Runs(text + at, fragment.text.data(), fragment.text.data() + fragment.text.size()) - text);
            m_text.Resize(used);
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
        line.size = m_text.size() - line.begin;
        if (open && line.size != 0) m_lines.push_back(line);
    }
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
