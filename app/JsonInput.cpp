#include "app/JsonInput.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <istream>
#include <iterator>
#include <stdexcept>
#include <streambuf>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace s16app {

using nlohmann::json;

namespace {

// The parser's complaint in the user's words: what was expected where.
std::string Reason(std::string const& what, bool blank) {
    auto has = [&what](char const* s) { return what.find(s) != std::string::npos; };
    if (blank && has("unexpected end of input")) return "the file is empty";
    if (has("unexpected end of input")) return "the file ends before the JSON is complete";
    if (has("invalid string: control character"))
        return "a line break or another control character inside a string (write it as \\n, \\t, ...)";
    if (has("invalid string: ill-formed UTF-8")) return "a byte that is not UTF-8 text inside a string";
    if (has("invalid string")) return "a string is not valid (an unknown escape, or a missing closing quote)";
    if (has("invalid number")) return "not a valid number";
    if (has("invalid literal"))
        return "expected a value: a number, a string in double quotes, true, false, null, a list or an object";
    if (has("parsing object key")) return "expected a field name in double quotes (a ',' before '}' is not allowed)";
    if (has("parsing object separator")) return "expected ':' after a field name";
    if (has("parsing object -")) return "expected ',' or '}' after an object member";
    if (has("parsing array")) return "expected ',' or ']' after a list element";
    if (has("end of input; expected end of input") || has("expected end of input"))
        return "more text after the end of the JSON value";
    if (has("parsing value"))
        return "expected a value: a number, a string in double quotes, true, false, null, a list or an object";
    auto const at = what.find("syntax error");
    return at == std::string::npos ? what : what.substr(at);
}

// A byte's place in a message: its line and its column (1 for the byte at
// lineStart, the offset of its line's first byte).
std::string LineColumn(std::size_t line, std::size_t byte, std::size_t lineStart) {
    return "line " + std::to_string(line) + ", column " + std::to_string(byte - lineStart + 1);
}

// The line breaks in [p, end): sixteen bytes at a time, each count kept in
// a byte of `sums` for at most 255 rounds.
std::size_t CountLines(char const* p, char const* end) {
    std::size_t n = 0;
#ifdef __SSE2__
    while (end - p >= 16) {
        __m128i sums = _mm_setzero_si128();
        for (int round = 0; round < 255 && end - p >= 16; ++round, p += 16)
            sums = _mm_sub_epi8(sums, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<__m128i const*>(p)),
                                                     _mm_set1_epi8('\n')));
        __m128i const total = _mm_sad_epu8(sums, _mm_setzero_si128());
        n += static_cast<std::size_t>(_mm_cvtsi128_si32(total)) + static_cast<std::size_t>(_mm_extract_epi16(total, 4));
    }
#endif
    for (; p != end; ++p) n += *p == '\n';
    return n;
}

// JSON text in blocks: the bytes read so far can be placed by line and
// column near the read position, and the text since the last Mark() is
// bounded by kMaxMemberBytes (the read stops beyond it). Inside the top
// object's "members" list (ListMode) the parser is given the text one byte
// at a time, and each object or list element is delimited here (strings
// skipped, brackets counted) and kept as a MemberText: the parser reads "[]"
// in its place, its first and last bytes.
class Blocks : public std::streambuf {
public:
    explicit Blocks(JsonSource const& source, std::size_t block = kBlock)
        : m_source(source), m_block(block), m_buffer(kCarry + block) {
        setg(m_buffer.data(), m_buffer.data(), m_buffer.data());
        m_end = m_buffer.data();
    }
    // The text of a member, read where it stands in the file (in place:
    // only the members list is ever written to).
    Blocks(std::string_view text, MemberOrigin const& origin) : Blocks(JsonSource{}, 0) {
        char* const begin = const_cast<char*>(text.data());
        m_end = begin + text.size();
        setg(begin, begin, m_end);
        m_base = origin.offset, m_lines = origin.lines, m_lineStart = origin.lineStart;
        m_limit = false, m_stop = &origin, m_skipped = origin.offset;
    }

    std::size_t Offset() const { return m_base + static_cast<std::size_t>(gptr() - eback()); }
    void Mark() { m_mark = Offset(); }
    std::size_t SinceMark() const { return Offset() - m_mark; }
    bool TooLarge() const { return m_tooLarge; }
    int Error() const { return m_error; }
    // Line and column (1-based) of a byte offset at most kCarry before the
    // read position.
    std::string Position(std::size_t byte) const {
        std::size_t line = m_lines + 1, start = m_lineStart;
        for (std::size_t i = m_base; i < byte && i - m_base < static_cast<std::size_t>(m_end - eback()); ++i)
            if (eback()[i - m_base] == '\n') ++line, start = i + 1;
        return LineColumn(line, byte, start);
    }
    // The offset of a byte the parser read, counted without the bytes of
    // the members delimited here it did not read.
    std::size_t InFile(std::size_t read) const { return read + m_skipped; }
    // The parser has read the '[' of the members list.
    void ListMode() {
        m_list = true, m_state = kValue;
        setg(eback(), gptr(), gptr());
    }
    // The element being delimited: its "[" was read last.
    bool InMember() const { return m_list && m_state == kMember; }
    MemberText& Member() { return m_member; }
    // The element being delimited is faulty: the read stopped in it.
    bool Faulty() const { return m_faulty; }

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        if (m_faulty) return traits_type::eof();
        if (!m_list) return Refill() ? traits_type::to_int_type(*gptr()) : traits_type::eof();
        if (gptr() == m_end && !Refill()) return traits_type::eof();
        if (m_state == kMember) return Delimit();
        char* const p = gptr();
        char const c = *p;
        bool const space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        switch (m_state) {
            case kValue:
                if (c == '{' || c == '[') {
                    StartMember(p);
                    break;
                }
                if (c == ']') return Leave(p);
                if (c == '"') m_state = kString;
                else if (!space && c != ',') m_state = kAfter;
                break;
            case kAfter:
                if (c == ',') m_state = kValue;
                else if (c == ']') return Leave(p);
                else if (c == '"') m_state = kString;
                break;
            case kString:
                if (c == '\\') m_state = kEscape;
                else if (c == '"') m_state = kAfter;
                break;
            case kEscape: m_state = kString; break;
            default: break;
        }
        setg(eback(), p, p + 1);
        return traits_type::to_int_type(*p);
    }

private:
    enum State { kValue, kAfter, kString, kEscape, kMember };
    // The members list ends: the parser reads on in blocks.
    int_type Leave(char* p) {
        m_list = false;
        setg(eback(), p, m_end);
        return traits_type::to_int_type(*p);
    }
    // The line count and the start of the line of a byte in the buffer, the
    // bytes counted once (the members are delimited in the order of the file).
    void LineAt(char const* p, std::size_t& lines, std::size_t& lineStart) {
        if (m_countedTo < m_base) m_countedTo = m_base, m_countLines = m_lines, m_countLineStart = m_lineStart;
        char const* const from = eback() + (m_countedTo - m_base);
        std::size_t const n = static_cast<std::size_t>(p - from);
        m_countLines += CountLines(from, p);
        if (auto const* last = static_cast<char const*>(::memrchr(from, '\n', n)))
            m_countLineStart = m_base + static_cast<std::size_t>(last - eback()) + 1;
        m_countedTo = m_base + static_cast<std::size_t>(p - eback());
        lines = m_countLines, lineStart = m_countLineStart;
    }
    void StartMember(char* p) {
        m_member.origin = MemberOrigin{};
        m_member.origin.offset = m_base + static_cast<std::size_t>(p - eback());
        LineAt(p, m_member.origin.lines, m_member.origin.lineStart);
        m_member.text.assign(1, *p);
        m_brackets[0] = *p;
        *p = '[';
        m_state = kMember;
    }
    // Delimits the element whose first byte was read last; the parser reads
    // its last byte as ']'. Stops the read at a closing bracket of the wrong
    // kind, one opening bracket too deep (kMaxJsonDepth, counted from the top
    // object) or the end of the text: the parser's complaint about the text
    // given is the first in it. Jumps from one byte that matters to the next:
    // in a string a quote or a backslash (and the byte after it), outside
    // one a quote or a bracket.
    int_type Delimit() {
        char* p = gptr();
        char* from = p;
        std::size_t open = 1;  // the member's own bracket, m_brackets[0]
        bool inString = false, escape = false;
        for (;;) {
            if (escape && p != m_end) ++p, escape = false;
            if (p != m_end) p = inString ? JumpInString(p, m_end) : JumpOutside(p, m_end);
            if (p == m_end) {
                m_member.text.append(from, p);
                setg(eback(), p, p);
                if (!Refill()) {
                    m_member.origin.error = m_error, m_member.origin.tooLarge = m_tooLarge;
                    m_faulty = m_member.origin.cut = true;
                    return traits_type::eof();
                }
                p = from = gptr();
                continue;
            }
            char const c = *p;
            if (inString) {
                escape = c == '\\';
                inString = escape;
            } else if (c == '"') {
                inString = true;
            } else if (c == '{' || c == '[') {
                if (open >= kDeepest) break;
                m_brackets[open++] = c;
            } else {
                if (m_brackets[open - 1] != (c == '}' ? '{' : '[')) break;
                if (--open == 0) {
                    m_member.text.append(from, p + 1);
                    m_skipped += m_member.text.size() - 2;
                    m_state = kAfter;
                    *p = ']';
                    setg(eback(), p, p + 1);
                    return traits_type::to_int_type(*p);
                }
            }
            ++p;
        }
        m_member.text.append(from, p + 1);
        m_faulty = m_member.origin.cut = true;
        setg(eback(), p, p);
        return traits_type::eof();
    }
    // The first quote or backslash in [p, end), or end.
    static char* JumpInString(char* p, char* end) {
#ifdef __SSE2__
        for (; end - p >= 16; p += 16) {
            __m128i const x = _mm_loadu_si128(reinterpret_cast<__m128i const*>(p));
            unsigned const mask = static_cast<unsigned>(_mm_movemask_epi8(
                _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('"')), _mm_cmpeq_epi8(x, _mm_set1_epi8('\\')))));
            if (mask != 0) return p + __builtin_ctz(mask);
        }
#endif
        while (p != end && *p != '"' && *p != '\\') ++p;
        return p;
    }
    // The first quote or bracket in [p, end), or end: '[' and ']' are '{' and
    // '}' less 0x20, and no other byte ORed with 0x20 gives '{' or '}'.
    static char* JumpOutside(char* p, char* end) {
#ifdef __SSE2__
        for (; end - p >= 16; p += 16) {
            __m128i const x = _mm_loadu_si128(reinterpret_cast<__m128i const*>(p));
            __m128i const y = _mm_or_si128(x, _mm_set1_epi8(0x20));
            unsigned const mask = static_cast<unsigned>(_mm_movemask_epi8(
                _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('"')),
                             _mm_or_si128(_mm_cmpeq_epi8(y, _mm_set1_epi8('{')), _mm_cmpeq_epi8(y, _mm_set1_epi8('}'))))));
            if (mask != 0) return p + __builtin_ctz(mask);
        }
#endif
        for (; p != end; ++p) {
            char const y = static_cast<char>(*p | 0x20);
            if (*p == '"' || y == '{' || y == '}') break;
        }
        return p;
    }
    std::size_t Fill(char* to, std::size_t most) {
        if (m_source.text) {
            std::size_t const n = std::min(most, m_source.text->size() - m_textAt);
            std::memcpy(to, m_source.text->data() + m_textAt, n);
            m_textAt += n;
            return n;
        }
        std::size_t n = 0;
        while (n < most && !m_error) {
            ssize_t const got = ::read(m_source.fd, to + n, most - n);
            if (got == 0) break;
            if (got > 0)
                n += static_cast<std::size_t>(got);
            else if (errno != EINTR)
                m_error = errno;
        }
        return n;
    }
    // The next block after the last bytes read (kept for Position); false at
    // the end of the text, on a read error or beyond kMaxMemberBytes.
    bool Refill() {
        if (m_stop) {  // a member's text: its end
            m_error = m_stop->error, m_tooLarge = m_stop->tooLarge;
            return false;
        }
        std::size_t const used = static_cast<std::size_t>(m_end - eback()), end = m_base + used;
        if (m_limit && end - m_mark > kMaxMemberBytes) {
            m_tooLarge = true;
            return false;
        }
        std::size_t const keep = std::min(kCarry, used);
        char const* const done = eback();
        m_lines += CountLines(done, done + (used - keep));
        if (auto const* last = static_cast<char const*>(::memrchr(done, '\n', used - keep)))
            m_lineStart = m_base + static_cast<std::size_t>(last - done) + 1;
        std::memmove(m_buffer.data(), m_end - keep, keep);
        m_base = end - keep;
        std::size_t const n = Fill(m_buffer.data() + keep, m_block);
        if (m_source.copy && n && std::fwrite(m_buffer.data() + keep, 1, n, m_source.copy) != n) m_error = errno;
        m_end = m_buffer.data() + keep + n;
        setg(m_buffer.data(), m_buffer.data() + keep, m_end);
        return n && !m_error;
    }

    static constexpr std::size_t kBlock = std::size_t{64} << 10, kCarry = 16;
    JsonSource m_source;
    std::size_t m_block;  // the bytes read at a time
    std::vector<char> m_buffer;
    char* m_end = nullptr;         // the end of the bytes read (the parser may be shown fewer)
    std::size_t m_textAt = 0;      // text in memory: the bytes copied
    std::size_t m_base = 0;        // offset of eback()
    std::size_t m_lines = 0;       // line breaks before m_base
    std::size_t m_lineStart = 0;   // offset of the first byte of the line at m_base
    std::size_t m_mark = 0;
    std::size_t m_countedTo = 0, m_countLines = 0, m_countLineStart = 0;  // see LineAt
    std::size_t m_skipped = 0;     // bytes of the members delimited that the parser did not read
    bool m_limit = true;           // kMaxMemberBytes applies
    MemberOrigin const* m_stop = nullptr;  // a member's text: why it stops short
    bool m_tooLarge = false;
    int m_error = 0;
    bool m_list = false, m_faulty = false;
    State m_state = kValue;
    MemberText m_member;
    // The brackets open in the member, at most kDeepest (the top object and
    // the list are the other two levels).
    static constexpr std::size_t kDeepest = kMaxJsonDepth - 2;
    std::array<char, kDeepest> m_brackets{};
};

// The parser's events turned into JSON values: the top value, and each
// element of the top object's "members" list on its own. Refuses a key the
// object being filled already has, and keeps the path to name it.
class Scanner {
public:
    using Member = std::function<bool(json&&, MemberText*, std::size_t, json const&, std::size_t)>;
    Scanner(Blocks& blocks, std::string const& file, Member const& member)
        : m_blocks(&blocks), m_file(file), m_member(&member) {}
    // Reads the element `index` of the members list alone: from `blocks`, or
    // (`blocks` null) from the whole text of `alone`, the value left in
    // Element().
    Scanner(Blocks* blocks, std::string const& file, Member const* member, std::size_t index,
            MemberOrigin const* alone = nullptr, std::string_view aloneText = {})
        : m_blocks(blocks), m_alone(alone), m_aloneText(aloneText), m_file(file), m_member(member) {
        InMembers();
        m_frames.emplace_back(nullptr, true);
        m_frames.back().index = index;
        m_events = 1;
    }
    // Reads members' texts written as one list (ParseMembers), each value
    // given to `member` with its place in the list.
    Scanner(std::string const& file, Member const& member)
        : m_blocks(nullptr), m_file(file), m_member(&member), m_batch(true) {
        InMembers();
        m_frames.back().slot = &top["members"];
    }

    json top;
    bool late = false;

    bool null() { return Put(nullptr); }
    bool boolean(bool v) { return Put(v); }
    bool number_integer(json::number_integer_t v) { return Put(v); }
    bool number_unsigned(json::number_unsigned_t v) { return Put(v); }
    bool number_float(json::number_float_t v, std::string const&) { return Put(v); }
    bool string(std::string& v) { return Put(std::move(v)); }
    bool binary(json::binary_t& v) { return Put(std::move(v)); }
    bool start_object(std::size_t) { return Open(json::value_t::object); }
    bool start_array(std::size_t) { return Open(json::value_t::array); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }
    bool key(std::string& k) {
        auto& f = m_frames.back();
        late = late || (m_frames.size() == 1 && m_listSeen &&
                        (k == "units" || k == "moment_sign" || k == "project" || k == "engineer"));
        // The keys read so far are those of the object being filled; the
        // value's place is made with the key (its text moved there).
        auto const made = f.value->get_ref<json::object_t&>().try_emplace(std::move(k), nullptr);
        f.key = &made.first->first;
        if (!made.second) throw InputError(m_file + ": " + Path() + ": the field appears twice in one object");
        f.slot = &made.first->second;
        return true;
    }
    // A read error, or a member too large: the read stopped there.
    void Stopped() const {
        if (!m_blocks) return;  // a member's whole text
        if (m_blocks->Error()) throw InputError(m_file + ": cannot be read: " + std::strerror(m_blocks->Error()));
        if (m_blocks->TooLarge())
            throw InputError(m_file + ": " + (m_inList ? Path().substr(0, Path().find(']') + 1) : "(top level)") +
                             ": more than " + std::to_string(kMaxMemberBytes >> 20) +
                             " MB of text in one member; refused (split it)");
    }
    bool parse_error(std::size_t, std::string const&, nlohmann::detail::exception const& e) {
        if (m_batch) throw InputError(m_file);  // the member is read again alone
        if (m_blocks && m_blocks->Faulty()) {  // a member delimited: ParseMember tells its fault
            (*m_member)(json(), &m_blocks->Member(), m_frames[1].index, top, 0);
            throw InputError(m_file + ": not valid JSON");
        }
        Stopped();
        // A number too large for a double (1e400): the parser stopped at it.
        if (e.id == 406)
            throw InputError(m_file + ": " + (m_frames.empty() ? std::string("(top level)") : Path()) +
                             ": the number is not finite");
        auto const* p = dynamic_cast<json::parse_error const*>(&e);
        std::size_t const read = p && p->byte > 0 ? p->byte - 1 : 0;
        throw InputError(m_file + ": " + (m_blocks ? m_blocks->Position(m_blocks->InFile(read)) : AlonePosition(read)) +
                         ": not valid JSON: " + Reason(e.what(), !m_events));
    }
    json& Element() { return m_element; }

private:
    static std::string const& NoKey() {
        static std::string const none;
        return none;
    }
    // Inside the top object, at its key "members".
    void InMembers() {
        static std::string const members = "members";
        m_frames.reserve(8);
        m_frames.emplace_back(&top, false);
        m_frames.back().key = &members;
    }
    struct Frame {
        Frame(json* v, bool a) : value(v), array(a) {}
        json* value;  // the container being filled; null for the list of members
        bool array;
        std::size_t index = 0;              // array: elements completed
        std::string const* key = &NoKey();  // object: the key being read (in the object)
        json* slot = nullptr;   // object: the place of its value
    };

    // Where the parser is: the key being read, with the keys and indices
    // around it.
    std::string Path() const {
        std::string path;
        for (auto const& f : m_frames)
            path += f.array ? "[" + std::to_string(f.index) + "]" : (path.empty() ? "" : ".") + *f.key;
        return path;
    }
    bool InList() const { return !m_frames.empty() && !m_frames.back().value; }
    // The place of the next value.
    json* Slot() {
        ++m_events;
        if (m_frames.empty()) return &top;
        auto& f = m_frames.back();
        if (!f.value) {  // a new member
            if (m_blocks) m_blocks->Mark(), m_text = m_blocks->InMember();
            m_inList = true;
            m_element = json();
            return &m_element;
        }
        return f.array ? &f.value->emplace_back() : f.slot;
    }
    // A value is complete: the next index of its list, and a member handed over.
    bool Done() {
        if (m_frames.empty() || !m_frames.back().array) return true;
        auto& f = m_frames.back();
        ++f.index;
        if (f.value) return true;
        m_inList = false;
        if (m_batch) return (*m_member)(std::move(m_element), nullptr, f.index - 1, top, 0);
        if (!m_blocks) return true;  // a member's whole text: its value stays
        std::size_t const bytes = m_blocks->SinceMark();
        m_blocks->Mark();
        return (*m_member)(std::move(m_element), m_text ? &m_blocks->Member() : nullptr, f.index - 1, top, bytes);
    }
    template <class V>
    bool Put(V&& v) {
        *Slot() = std::forward<V>(v);
        return Done();
    }
    bool Open(json::value_t type) {
        bool const array = type == json::value_t::array;
        if (m_frames.size() >= kMaxJsonDepth)
            throw InputError(m_file + ": " + Deepest() +
                             ": not valid here: nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
        json* slot = Slot();
        *slot = array ? json::array() : json::object();
        // A member's lists are short (points, sub-spans, loads): room for a
        // few at once rather than growing one element at a time.
        constexpr std::size_t kShortList = 4;
        if (array) slot->get_ref<json::array_t&>().reserve(kShortList);
        bool const list = (m_blocks || m_batch) && array && m_frames.size() == 1 && !m_frames[0].array &&
                          *m_frames[0].key == "members";
        if (list && m_blocks) m_blocks->Mark(), m_blocks->ListMode();
        m_listSeen = m_listSeen || list;
        m_frames.push_back(Frame{list ? nullptr : slot, array});
        return true;
    }
    bool Close() {
        bool const list = !m_frames.back().value;
        m_frames.pop_back();
        if (list && m_blocks) m_blocks->Mark();
        return list || Done();
    }
    // The line and column of the byte `read` bytes into a member's whole text.
    std::string AlonePosition(std::size_t read) const {
        std::string_view const text = m_aloneText;
        std::size_t const at = std::min(read, text.size());
        std::size_t line = m_alone->lines + 1, start = m_alone->lineStart;
        for (std::size_t i = 0; i < at; ++i)
            if (text[i] == '\n') ++line, start = m_alone->offset + i + 1;
        return LineColumn(line, m_alone->offset + read, start);
    }
    // The place of the bracket one level too deep: the last read; in a
    // member's whole text, its last byte (where the delimiting stopped).
    std::string Deepest() const {
        if (m_batch) return std::string();  // the member is read again alone
        if (m_blocks) return m_blocks->Position(m_blocks->Offset() - 1);
        return AlonePosition(m_aloneText.empty() ? 0 : m_aloneText.size() - 1);
    }

    Blocks* m_blocks;
    MemberOrigin const* m_alone = nullptr;
    std::string_view m_aloneText;
    std::string const& m_file;
    Member const* m_member;
    std::vector<Frame> m_frames;
    json m_element;
    bool m_inList = false, m_listSeen = false, m_text = false;
    bool m_batch = false;
    std::size_t m_events = 0;
};

// Reads the JSON most member files hold, printable ASCII with no escape in
// its strings, and gives `sax` the events nlohmann's parser gives it for the
// same text, in the same order, a string's or key's characters as a view of
// the text and a number without its text (that parser's lexer takes some 40
// instructions a byte, a member's value 60 k). It stops, false, at the
// first thing it does not take: a string with an escape or a byte below a
// space or past ASCII, a number from_chars cannot read in range, a fault of
// syntax, nesting deeper than kMaxJsonDepth, an event refused. Where the
// top value is a list, Rest() then tells where nlohmann's parser is to
// read on: the whole text (the list not yet open), from the list's element
// being read (its first byte), or nowhere (the list read whole, the fault
// after it).
class PlainJson {
public:
    enum class Rest { kWhole, kFromElement, kNone };

    explicit PlainJson(std::string_view text) : m_begin(text.data()), m_p(text.data()), m_end(m_p + text.size()) {}

    template <class Sax>
    bool Read(Sax& sax) {
        static constexpr std::size_t kUnknownSize = static_cast<std::size_t>(-1);  // as nlohmann's parser gives
        bool array[kMaxJsonDepth + 1];  // the open containers: a list, or an object
        std::size_t depth = 0;
        for (;;) {
            // A value.
            Skip();
            if (m_p == m_end) return false;
            char const c = *m_p;
            if (c == '[' || c == '{') {
                if (depth == std::size(array)) return false;
                bool const isArray = c == '[';
                ++m_p;
                if (!(isArray ? sax.start_array(kUnknownSize) : sax.start_object(kUnknownSize))) return false;
                array[depth++] = isArray;
                if (depth == 1 && isArray) m_rest = Rest::kFromElement, m_element = Offset();
                Skip();
                if (m_p == m_end || *m_p != (isArray ? ']' : '}')) {
                    if (!isArray && !Key(sax)) return false;
                    continue;  // its first value
                }
                ++m_p, --depth;
                if (!(isArray ? sax.end_array() : sax.end_object())) return false;
            } else if (!Scalar(sax, c)) {
                return false;
            }
            // After a value: the next one, or the end of the containers it closes.
            for (;;) {
                Skip();
                if (depth == 0) {
                    if (m_rest == Rest::kFromElement) m_rest = Rest::kNone;
                    return m_p == m_end;
                }
                if (m_p == m_end) return false;
                char const d = *m_p++;
                if (d == ',') {
                    if (depth == 1) m_element = Offset();
                    if (!array[depth - 1] && !Key(sax)) return false;
                    break;
                }
                if (d != (array[depth - 1] ? ']' : '}')) return false;
                --depth;
                if (!(array[depth] ? sax.end_array() : sax.end_object())) return false;
            }
        }
    }

    Rest RestFrom() const { return m_rest; }
    std::size_t Element() const { return m_element; }

private:
    std::size_t Offset() const { return static_cast<std::size_t>(m_p - m_begin); }
    void Skip() {
        while (m_p != m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t')) ++m_p;
    }
    static bool Digit(char c) { return c >= '0' && c <= '9'; }
    // One digit or more.
    bool Digits() {
        char const* const from = m_p;
        while (m_p != m_end && Digit(*m_p)) ++m_p;
        return m_p != from;
    }
    // The characters of a string, m_p at its opening quote.
    bool String() {
        char const* const from = ++m_p;
#ifdef __SSE2__
        // Sixteen bytes at a time up to the first that is not plain: a
        // quote, a backslash, or (signed, a byte past ASCII is below 0x20
        // too) one below a space.
        while (m_end - m_p >= 16) {
            __m128i const x = _mm_loadu_si128(reinterpret_cast<__m128i const*>(m_p));
            __m128i const stop = _mm_or_si128(
                _mm_cmplt_epi8(x, _mm_set1_epi8(0x20)),
                _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('"')), _mm_cmpeq_epi8(x, _mm_set1_epi8('\\'))));
            if (unsigned const mask = static_cast<unsigned>(_mm_movemask_epi8(stop))) {
                m_p += __builtin_ctz(mask);
                break;
            }
            m_p += 16;
        }
#endif
        for (; m_p != m_end; ++m_p) {
            auto const c = static_cast<unsigned char>(*m_p);
            if (c == '"') {
                m_text = std::string_view(from, static_cast<std::size_t>(m_p++ - from));
                return true;
            }
            if (c < 0x20 || c >= 0x80 || c == '\\') return false;
        }
        return false;
    }
    // An object's key and its ':'.
    template <class Sax>
    bool Key(Sax& sax) {
        Skip();
        if (m_p == m_end || *m_p != '"' || !String() || !sax.key(m_text)) return false;
        Skip();
        return m_p != m_end && *m_p++ == ':';
    }
    bool Word(std::string_view word) {
        if (static_cast<std::size_t>(m_end - m_p) < word.size() || std::memcmp(m_p, word.data(), word.size()) != 0)
            return false;
        m_p += word.size();
        return true;
    }
    // A string, number, true, false or null starting with `c`.
    template <class Sax>
    bool Scalar(Sax& sax, char c) {
        if (c == '"') return String() && sax.string(m_text);
        if (c == 't') return Word("true") && sax.boolean(true);
        if (c == 'f') return Word("false") && sax.boolean(false);
        if (c == 'n') return Word("null") && sax.null();
        return (c == '-' || Digit(c)) && Number(sax);
    }
    // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)? as nlohmann's lexer
    // reads it: without a fraction or an exponent an integer (signed when
    // negative) where it is in range, a double otherwise.
    template <class Sax>
    bool Number(Sax& sax) {
        char const* const from = m_p;
        if (*m_p == '-') ++m_p;
        if (m_p != m_end && *m_p == '0')
            ++m_p;
        else if (!Digits())
            return false;
        bool integral = true;
        if (m_p != m_end && *m_p == '.') {
            ++m_p, integral = false;
            if (!Digits()) return false;
        }
        if (m_p != m_end && (*m_p == 'e' || *m_p == 'E')) {
            ++m_p, integral = false;
            if (m_p != m_end && (*m_p == '+' || *m_p == '-')) ++m_p;
            if (!Digits()) return false;
        }
        if (integral && *from == '-') {
            json::number_integer_t v = 0;
            auto const r = std::from_chars(from, m_p, v);
            if (r.ec == std::errc() && r.ptr == m_p) return sax.number_integer(v);
        } else if (integral) {
            json::number_unsigned_t v = 0;
            auto const r = std::from_chars(from, m_p, v);
            if (r.ec == std::errc() && r.ptr == m_p) return sax.number_unsigned(v);
        }
        json::number_float_t v = 0;
        auto const r = std::from_chars(from, m_p, v);
        if (r.ec != std::errc() || r.ptr != m_p) return false;
        return sax.number_float(v);
    }

    char const* m_begin;
    char const* m_p;
    char const* m_end;
    std::string_view m_text;  // a string's characters, given to the events
    Rest m_rest = Rest::kWhole;
    std::size_t m_element = 0;
};
}  // namespace

json ScanJson(JsonSource const& source, std::string const& fileName, Scanner::Member const& member, bool& late) {
    Blocks blocks(source);
    std::istream in(&blocks);
    // UTF-16 (a byte-order mark, or NUL bytes between ASCII characters).
    char head[4] = {};
    std::size_t n = 0;
    while (n < 4 && in.rdbuf()->sgetc() != std::char_traits<char>::eof())
        head[n++] = static_cast<char>(in.rdbuf()->sbumpc());
    std::string const start(head, n);
    if (n >= 2 && (start.compare(0, 2, "\xff\xfe") == 0 || start.compare(0, 2, "\xfe\xff") == 0 ||
                   start.find('\0') != std::string::npos))
        throw InputError(fileName + ": the file is UTF-16 text; save it as UTF-8");
    for (std::size_t i = n; i > 0; --i) in.rdbuf()->sungetc();
    Scanner scanner(blocks, fileName, member);
    json::sax_parse(in, &scanner);
    scanner.Stopped();
    late = scanner.late;
    return std::move(scanner.top);
}

json ParseMember(std::string_view text, MemberOrigin const& origin, std::string const& fileName, std::size_t index) {
    if (!origin.error && !origin.tooLarge) {  // the whole text: parsed where it stands
        Scanner scanner(nullptr, fileName, nullptr, index, &origin, text);
        json::sax_parse(text.data(), text.data() + text.size(), &scanner);
        return std::move(scanner.Element());
    }
    Blocks blocks(text, origin);
    std::istream in(&blocks);
    json value;
    Scanner::Member const keep = [&value](json&& v, MemberText*, std::size_t, json const&, std::size_t) {
        value = std::move(v);
        return true;
    };
    Scanner scanner(&blocks, fileName, &keep, index);
    json::sax_parse(in, &scanner);
    scanner.Stopped();
    return value;
}

bool ParseMembers(std::string_view list, std::string const& fileName,
                  std::function<void(std::size_t, JsonDoc&&)> const& each) {
    std::size_t given = 0;
    std::function<void(std::size_t, JsonDoc &&)> const counted = [&each, &given](std::size_t, JsonDoc&& doc) {
        each(given++, std::move(doc));
    };
    PlainJson plain(list);
    try {
        // Members nest a few levels: one deeper than this is read by the
        // parser below, which tells where it passes kMaxJsonDepth.
        constexpr std::size_t kDeepest = 16;
        JsonListBuilder builder(kDeepest, counted);
        if (plain.Read(builder)) return true;
    } catch (...) {  // out of memory, more than 4 GB of text: the parser below reads on from the element
    }
    // From where the plain reading stopped, nlohmann's parser: the rest of the
    // list from the element it was in (those before it given).
    std::string rest;
    switch (plain.RestFrom()) {
        case PlainJson::Rest::kNone: return false;
        case PlainJson::Rest::kWhole: rest.assign(list); break;
        case PlainJson::Rest::kFromElement: rest.append(1, '[').append(list.substr(plain.Element())); break;
    }
    Scanner::Member const give = [&counted](json&& value, MemberText*, std::size_t, json const&, std::size_t) {
        counted(0, JsonDoc::FromJson(value));
        return true;
    };
    Scanner scanner(fileName, give);
    try {
        return json::sax_parse(rest.data(), rest.data() + rest.size(), &scanner);
    } catch (...) {  // each text not given is read again alone, where what it throws is told
        return false;
    }
}

Field::Field(JsonDoc const& doc, std::string const& fileName, std::string path)
    : m_doc(&doc), m_file(&fileName), m_path(std::move(path)) {}

Field::Field(std::uint32_t node, Field const& parent, char const* key, std::size_t index)
    : m_doc(parent.m_doc), m_node(node), m_file(parent.m_file), m_parent(&parent), m_key(key), m_index(index) {}

void Field::AppendPath(std::string& out) const {
    if (!m_parent) {
        out += m_path;
        return;
    }
    m_parent->AppendPath(out);
    if (!m_key) {
        out += '[';
        out += std::to_string(m_index);
        out += ']';
        return;
    }
    if (!out.empty()) out += '.';
    out += m_key;
}

std::string Field::Path() const {
    std::string path;
    AppendPath(path);
    return path;
}

void Field::Fail(std::string const& why) const { FailAt(Path(), why); }

void Field::FailUnder(std::string const& key, std::string const& why) const {
    std::string path = Path();
    if (!path.empty()) path += '.';
    FailAt(path + key, why);
}

void Field::FailAt(std::string const& path, std::string const& why) const {
    throw InputError(*m_file + ": " + (path.empty() ? std::string("(top level)") : path) + ": " + why);
}

double Field::Number() const {
    auto const& node = m_doc->At(m_node);
    double v = 0.0;
    switch (node.type) {
        case JsonDoc::Type::Integer: v = static_cast<double>(node.integer); break;
        case JsonDoc::Type::Unsigned: v = static_cast<double>(node.natural); break;
        case JsonDoc::Type::Float: v = node.number; break;
        default: Fail("expected a number, found " + TypeName());
    }
    if (!std::isfinite(v)) Fail("the number is not finite");
    return v;
}

double Field::Number(double scale) const {
    double const v = Number() * scale;
    if (!std::isfinite(v))
        Fail(Dump() + " is too large: not a finite number once converted to SI units (x " +
             nlohmann::json(scale).dump() + ")");
    return v;
}

std::string Field::String() const {
    if (!IsString()) Fail("expected a string, found " + TypeName());
    return std::string(m_doc->String(m_node));
}

bool Field::Bool() const {
    if (!IsBool()) Fail("expected true or false, found " + TypeName());
    return m_doc->At(m_node).boolean;
}

std::vector<Field> Field::Elements(std::size_t most) const {
    if (!IsArray()) Fail("expected a list, found " + TypeName());
    std::size_t const n = m_doc->At(m_node).count;
    if (n > most)
        Fail("a list of " + std::to_string(n) + " elements; at most " + std::to_string(most) +
             " are accepted here (split the member)");
    std::vector<Field> out;
    out.reserve(n);
    JsonDoc::Item const* item = m_doc->ItemsBegin(m_node);
    for (std::size_t i = 0; i < n; ++i) out.push_back(Field(item[i].node, *this, nullptr, i));
    return out;
}

Field Field::Child(char const* key) const {
    JsonDoc::Item const* item = m_doc->Find(m_node, key);
    if (!item) throw std::logic_error(std::string("Field::Child: no field \"") + key + "\"");
    return Field(item->node, *this, key, 0);
}

Field Field::Child(std::uint32_t node, char const* key) const { return Field(node, *this, key, 0); }

ObjectReader::ObjectReader(Field const& object, std::initializer_list<char const*> known) : m_object(object) {
    if (!object.IsObject()) object.Fail("expected an object, found " + object.TypeName());
    if (known.size() > kMaxKeys) throw std::logic_error("ObjectReader: more known keys than kMaxKeys");
    for (char const* k : known) m_keys[m_count] = k, m_values[m_count++] = kAbsent;
    JsonDoc const& doc = object.Doc();
    for (auto const* item = doc.ItemsBegin(object.Node()); item != doc.ItemsEnd(object.Node()); ++item) {
        std::string_view const key = doc.Key(*item);
        std::size_t i = 0;
        // The whole key compared: a key may hold "\u0000".
        while (i < m_count && !(!key.empty() && key[0] == m_keys[i][0] && key == m_keys[i])) ++i;
        if (i < m_count) {
            m_values[i] = item->node;
            continue;
        }
        std::string list;
        for (char const* k : known) list += (list.empty() ? "" : ", ") + std::string(k);
        object.FailUnder(std::string(key), "unknown field (known here: " + list + ")");
    }
}

// The key's own text first (the same literal), then its characters.
std::uint32_t ObjectReader::Find(char const* key) const {
    for (std::size_t i = 0; i < m_count; ++i)
        if (m_keys[i] == key) return m_values[i];
    for (std::size_t i = 0; i < m_count; ++i)
        if (std::strcmp(m_keys[i], key) == 0) return m_values[i];
    return kAbsent;
}

std::optional<Field> ObjectReader::Get(char const* key) const {
    std::uint32_t const value = Find(key);
    if (value == kAbsent) return std::nullopt;
    return m_object.Child(value, key);
}

Field ObjectReader::Require(char const* key) const {
    std::uint32_t const value = Find(key);
    if (value == kAbsent) m_object.Fail(std::string("the field \"") + key + "\" is missing");
    return m_object.Child(value, key);
}

}  // namespace s16app
