#include "app/Markup.h"

#include <algorithm>
#include <array>
#include <cstdint>
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

// The 16 characters at `p` narrowed to `d`, and the count of those before
// the first past ASCII (16 when all are ASCII); the bytes written from that
// count on mean nothing.
std::ptrdiff_t NarrowAsciiPrefix(char* d, wchar_t const* p) {
#if defined(__SSE2__) && WCHAR_MAX > 0xffff
    auto const* v = reinterpret_cast<__m128i const*>(p);
    __m128i const a = _mm_loadu_si128(v), b = _mm_loadu_si128(v + 1), c = _mm_loadu_si128(v + 2),
                  e = _mm_loadu_si128(v + 3);
    __m128i const high = _mm_set1_epi32(~0x7f), zero = _mm_setzero_si128();
    auto const ascii = [&](__m128i x) { return _mm_cmpeq_epi32(_mm_and_si128(x, high), zero); };
    // Each lane's 0 or -1 kept through the signed packing: a byte a character.
    __m128i const lanes = _mm_packs_epi16(_mm_packs_epi32(ascii(a), ascii(b)), _mm_packs_epi32(ascii(c), ascii(e)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, e)));
    unsigned const bits = static_cast<unsigned>(_mm_movemask_epi8(lanes));
    return bits == 0xffff ? kRun : __builtin_ctz(~bits);
#else
    std::ptrdiff_t k = 0;
    for (; k < kRun && static_cast<unsigned long>(p[k]) < 0x80; ++k) d[k] = static_cast<char>(p[k]);
    return k;
#endif
}

// The characters [p, q) as UTF-8 from `d` on (room for four bytes a
// character), its end returned: 16 characters narrowed at once up to the
// first past ASCII, which is encoded alone; the last ones as the 16 ending
// at q when those are all ASCII (the ones already written written again,
// alike), else one by one.
char* EncodeUtf8Runs(char* d, wchar_t const* p, wchar_t const* q) {
    wchar_t const* const first = p;
    while (q - p >= kRun) {
        std::ptrdiff_t const ascii = NarrowAsciiPrefix(d, p);
        d += ascii, p += ascii;
        if (ascii < kRun) d = Corvid::EncodeUtf8(d, p, p + 1), ++p;
    }
    if (p != q && q - first >= kRun && NarrowAscii(d - (kRun - (q - p)), q - kRun)) return d + (q - p);
    for (; p != q && static_cast<unsigned long>(*p) < 0x80; ++p) *d++ = static_cast<char>(*p);
    return p == q ? d : Corvid::EncodeUtf8(d, p, q);
}

// The most bytes ReportLineText writes for one byte of markup (a control as
// Printable's "\xHH" with its backslash escaped for JSON), and the bytes it
// may write past its end (its 16-byte stores).
constexpr std::size_t kReportGrowth = 5;
constexpr std::size_t kReportSlack = 16;

// Bytes ReportLineText does not copy as they are: controls, DEL, bytes past
// ASCII, the quote, the backslash (JSON's) and '<' (a tag, maybe).
constexpr std::array<bool, 256> ReportSpecial() {
    std::array<bool, 256> special{};
    for (unsigned c = 0; c < 256; ++c) special[c] = c < 0x20 || c >= 0x7f || c == '"' || c == '\\' || c == '<';
    return special;
}
constexpr std::array<bool, 256> kReportSpecial = ReportSpecial();
// A name of at most six bytes, its bytes and its length in one number.
constexpr std::uint64_t PackedName(std::uint64_t bytes, std::size_t length) {
    return bytes | static_cast<std::uint64_t>(length) << 56;
}
constexpr std::array<std::uint64_t, Corvid::Markup::kTagCount> PackedTagNames() {
    std::array<std::uint64_t, Corvid::Markup::kTagCount> packed{};
    for (unsigned t = 0; t < Corvid::Markup::kTagCount; ++t) {
        std::uint64_t bytes = 0;
        std::size_t length = 0;
        for (char const* c = Corvid::Markup::kTagNames[t]; *c != 0; ++c, ++length)
            bytes = bytes << 8 | static_cast<unsigned char>(*c);
        packed[t] = PackedName(bytes, length);
    }
    return packed;
}
// Whether the name of `length` bytes (`bytes`, the first the highest) is one
// of the seven tags' (Corvid::Markup::TagNamed, without a loop over strings).
bool IsTagName(std::uint64_t bytes, std::size_t length) {
    static constexpr std::array<std::uint64_t, Corvid::Markup::kTagCount> kPacked = PackedTagNames();
    if (length > 6) return false;
    std::uint64_t const name = PackedName(bytes, length);
    bool found = false;
    for (auto const known : kPacked) found |= name == known;
    return found;
}

// The length of a character past ASCII at s[i] (of n bytes) that is valid
// UTF-8 of two or three bytes and that Printable keeps (°, ², ·, ⁶ ...: most
// of the report's); 0 for any other byte, which the general path takes.
// The fast form, inline, of Utf8Length and Printable's EscapedAt
// (app/Output.cpp) for these lengths: calling those for every such
// character cost 70 k instructions a member with the JSON report. The
// report-line test holds the two paths to the same output.
std::size_t KeptMultibyte(unsigned char const* s, std::size_t i, std::size_t n) {
    unsigned const c = s[i];
    auto const follows = [&](std::size_t k) { return i + k < n && (s[i + k] & 0xC0) == 0x80; };
    if (c >= 0xC3 && c <= 0xDF) return follows(1) ? 2 : 0;
    if (c == 0xC2) return i + 1 < n && s[i + 1] >= 0xA0 && s[i + 1] <= 0xBF ? 2 : 0;  // not a C1 control
    if ((c >= 0xE1 && c <= 0xEC) || c == 0xEE || c == 0xEF) {
        if (!follows(1) || !follows(2)) return 0;
        return c == 0xE2 && s[i + 1] == 0x80 && (s[i + 2] == 0xA8 || s[i + 2] == 0xA9) ? 0 : 3;  // U+2028, U+2029
    }
    return 0;
}

#ifdef __SSE2__
// The bytes of x that ReportLineText does not copy as they are, as bits
// (kReportSpecial).
unsigned LookedAt(__m128i x) {
    // Signed, a byte past ASCII is below 0x20 too.
    __m128i const looked = _mm_or_si128(
        _mm_or_si128(_mm_cmplt_epi8(x, _mm_set1_epi8(0x20)), _mm_cmpeq_epi8(x, _mm_set1_epi8(0x7f))),
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('"')), _mm_cmpeq_epi8(x, _mm_set1_epi8('\\'))),
                     _mm_cmpeq_epi8(x, _mm_set1_epi8('<'))));
    return static_cast<unsigned>(_mm_movemask_epi8(looked));
}
#endif

// Copies the bytes from s[i] on that ReportLineText writes as they are
// (none in kReportSpecial) up to the first it does not, or to the end of
// the n bytes: `i` and `d` moved past them. Always inlined: called, it kept
// i and d in memory (58 k instructions more a member with the JSON report).
[[gnu::always_inline]] inline void CopyPlain(unsigned char const* s, std::size_t n, std::size_t& i, char*& d) {
    auto const& special = kReportSpecial;
    // Runs of plain ASCII, sixteen bytes at a time (each copied whole,
    // the bytes past the run written over next), then one by one.
#ifdef __SSE2__
    while (i + 16 <= n) {
        __m128i const x = _mm_loadu_si128(reinterpret_cast<__m128i const*>(s + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), x);
        if (unsigned const mask = LookedAt(x)) {
            std::size_t const k = static_cast<std::size_t>(__builtin_ctz(mask));
            d += k, i += k;
            break;
        }
        d += 16, i += 16;
    }
    if (i + 16 > n && i < n) {  // the last bytes, through a block of 16 (the slack takes the store)
        std::size_t const left = n - i;
        unsigned char block[16] = {};
        std::memcpy(block, s + i, left);
        __m128i const x = _mm_loadu_si128(reinterpret_cast<__m128i const*>(block));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), x);
        unsigned const mask = LookedAt(x) & ((1u << left) - 1);
        std::size_t const k = mask != 0 ? static_cast<std::size_t>(__builtin_ctz(mask)) : left;
        d += k, i += k;
    }
#else
    while (i + 8 <= n && !(special[s[i]] | special[s[i + 1]] | special[s[i + 2]] | special[s[i + 3]] |
                           special[s[i + 4]] | special[s[i + 5]] | special[s[i + 6]] | special[s[i + 7]])) {
        std::memcpy(d, s + i, 8);
        d += 8, i += 8;
    }
#endif
    while (i < n && !special[s[i]]) *d++ = static_cast<char>(s[i++]);
}

// ReportLineText for JSON (kJson) or for plain text.
template <bool kJson>
char* LineText(char* d, std::size_t indent, std::string_view markup) {
    static constexpr char kSpaces[16] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                         ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    if (indent <= sizeof kSpaces)
        std::memcpy(d, kSpaces, sizeof kSpaces);  // within the slack
    else
        std::memset(d, ' ', indent);
    d += indent;
    auto const* const s = reinterpret_cast<unsigned char const*>(markup.data());
    std::size_t const n = markup.size();
    for (std::size_t i = 0; i < n;) {
        CopyPlain(s, n, i, d);
        if (i == n) break;
        unsigned const c = s[i];
        if (std::size_t const kept = c >= 0xC2 ? KeptMultibyte(s, i, n) : 0) {
            d[0] = static_cast<char>(c), d[1] = static_cast<char>(s[i + 1]);
            if (kept == 3) d[2] = static_cast<char>(s[i + 2]);
            d += kept, i += kept;
        } else if (c == '<') {
            // A tag's name is at most six bytes after "<" or "</".
            std::size_t const from = i + 1 < n && s[i + 1] == '/' ? i + 2 : i + 1;
            std::size_t close = from;
            std::uint64_t name = 0;
            while (close < n && close < from + 7 && s[close] != '>') name = name << 8 | s[close++];
            if (close < n && s[close] == '>' && IsTagName(name, close - from)) {
                i = close + 1;
                continue;
            }
            *d++ = '<', ++i;
        } else if (c == '"' || c == '\\' || c == '\t') {
            if (kJson) *d++ = '\\';
            *d++ = static_cast<char>(kJson && c == '\t' ? 't' : c), ++i;
        } else {
            // Printable's escapes of the controls (C0 but the tab, DEL, C1)
            // and of U+2028/U+2029 (for JSON, their backslash escaped).
            std::size_t length = 1;
            bool valid = true;
            if (c >= 0x80 && (length = Utf8Length(markup, i, valid), !valid)) return nullptr;
            if (kJson) *d = '\\';
            if (char* const end = PrintableEscape(kJson ? d + 1 : d, markup, i)) {
                d = end;
                continue;
            }
            std::memcpy(d, s + i, length);  // a character past ASCII kept as it is
            d += length, i += length;
        }
    }
    return d;
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
    // The text, and the room AppendPlainLine takes for the longest line.
    std::size_t size = lines.TextSize(), room = 0;
    for (auto const line : lines) {
        std::size_t const indent = static_cast<std::size_t>(line.indent) * 2;
        size += indent + 1;
        room = std::max(room, ReportLineRoom(indent, line.markup) + 1);
    }
    std::string out;
    out.reserve(size + room);
    for (auto const line : lines) AppendPlainLine(out, line);
    return out;
}

std::size_t ReportLineRoom(std::size_t indent, std::string_view markup) {
    return indent + kReportGrowth * markup.size() + kReportSlack;
}

char* ReportLineText(char* d, std::size_t indent, std::string_view markup, bool json) {
    return json ? LineText<true>(d, indent, markup) : LineText<false>(d, indent, markup);
}

void AppendPlainLine(std::string& out, ReportLine line, int shift) {
    std::size_t const indent = static_cast<std::size_t>(line.indent + shift) * 2;
    std::size_t const size = out.size(), room = ReportLineRoom(indent, line.markup) + 1;
    // A line within `local` is written there and appended: the room a line
    // may take is not first filled with zeros in `out`.
    char local[2048];
    char* const d = room <= sizeof local ? local : (out.resize(size + room), &out[size]);
    if (char* end = ReportLineText(d, indent, line.markup, false)) {
        *end++ = '\n';
        if (d == local)
            out.append(local, static_cast<std::size_t>(end - local));
        else
            out.resize(static_cast<std::size_t>(end - out.data()));
        return;
    }
    // Bytes past ASCII that are not UTF-8 until the tags are gone: the
    // plain text first, Printable's escapes after.
    out.resize(size);
    out.append(indent, ' ');
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
