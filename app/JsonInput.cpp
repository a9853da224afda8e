#include "app/JsonInput.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <functional>
#include <istream>
#include <stdexcept>
#include <streambuf>
#include <string_view>

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

// JSON text in blocks: the bytes read so far can be placed by line and
// column near the read position, and the text since the last Mark() is
// bounded by kMaxMemberBytes (the read stops beyond it).
class Blocks : public std::streambuf {
public:
    explicit Blocks(JsonSource const& source) : m_source(source) {
        if (source.text) {
            char* const begin = const_cast<char*>(source.text->data());
            setg(begin, begin, begin);
        } else {
            m_buffer.resize(kCarry + kBlock);
            setg(m_buffer.data(), m_buffer.data(), m_buffer.data());
        }
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
        for (std::size_t i = m_base; i < byte && i - m_base < static_cast<std::size_t>(egptr() - eback()); ++i)
            if (eback()[i - m_base] == '\n') ++line, start = i + 1;
        return "line " + std::to_string(line) + ", column " + std::to_string(byte - start + 1);
    }

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        std::size_t const end = m_base + static_cast<std::size_t>(egptr() - eback());
        if (end - m_mark > kMaxMemberBytes) {
            m_tooLarge = true;
            return traits_type::eof();
        }
        if (m_source.text) {  // the next block of the text in memory
            std::size_t const n = std::min(kBlock, m_source.text->size() - end);
            setg(eback(), egptr(), egptr() + n);
            return n ? traits_type::to_int_type(*gptr()) : traits_type::eof();
        }
        // The last bytes stay before the new block, for Position.
        std::size_t const used = static_cast<std::size_t>(egptr() - eback()), keep = std::min(kCarry, used);
        char const* const done = eback();
        m_lines += static_cast<std::size_t>(std::count(done, done + (used - keep), '\n'));
        if (auto const* last = static_cast<char const*>(::memrchr(done, '\n', used - keep)))
            m_lineStart = m_base + static_cast<std::size_t>(last - done) + 1;
        std::memmove(m_buffer.data(), egptr() - keep, keep);
        m_base = end - keep;
        std::size_t n = 0;
        while (n < kBlock && !m_error) {
            ssize_t const got = ::read(m_source.fd, m_buffer.data() + keep + n, kBlock - n);
            if (got == 0) break;
            if (got > 0)
                n += static_cast<std::size_t>(got);
            else if (errno != EINTR)
                m_error = errno;
        }
        if (m_source.copy && n && std::fwrite(m_buffer.data() + keep, 1, n, m_source.copy) != n) m_error = errno;
        setg(m_buffer.data(), m_buffer.data() + keep, m_buffer.data() + keep + n);
        return n && !m_error ? traits_type::to_int_type(*gptr()) : traits_type::eof();
    }

private:
    static constexpr std::size_t kBlock = std::size_t{64} << 10, kCarry = 16;
    JsonSource m_source;
    std::vector<char> m_buffer;
    std::size_t m_base = 0;       // offset of eback()
    std::size_t m_lines = 0;      // line breaks before m_base
    std::size_t m_lineStart = 0;  // offset of the first byte of the line at m_base
    std::size_t m_mark = 0;
    bool m_tooLarge = false;
    int m_error = 0;
};

// The parser's events turned into JSON values: the top value, and each
// element of the top object's "members" list on its own. Refuses a key the
// object being filled already has, and keeps the path to name it.
class Scanner {
public:
    using Member = std::function<bool(json&&, std::size_t, json const&, std::size_t)>;
    Scanner(Blocks& blocks, std::string file, Member const& member)
        : m_blocks(blocks), m_file(std::move(file)), m_member(member) {}

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
        if (m_blocks.Error()) throw InputError(m_file + ": cannot be read: " + std::strerror(m_blocks.Error()));
        if (m_blocks.TooLarge())
            throw InputError(m_file + ": " + (m_inList ? Path().substr(0, Path().find(']') + 1) : "(top level)") +
                             ": more than " + std::to_string(kMaxMemberBytes >> 20) +
                             " MB of text in one member; refused (split it)");
    }
    bool parse_error(std::size_t, std::string const&, nlohmann::detail::exception const& e) {
        Stopped();
        // A number too large for a double (1e400): the parser stopped at it.
        if (e.id == 406)
            throw InputError(m_file + ": " + (m_frames.empty() ? std::string("(top level)") : Path()) +
                             ": the number is not finite");
        auto const* p = dynamic_cast<json::parse_error const*>(&e);
        std::size_t const byte = p && p->byte > 0 ? p->byte - 1 : 0;
        throw InputError(m_file + ": " + m_blocks.Position(byte) + ": not valid JSON: " + Reason(e.what(), !m_events));
    }

private:
    static std::string const& NoKey() {
        static std::string const none;
        return none;
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
            m_blocks.Mark();
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
        std::size_t const bytes = m_blocks.SinceMark();
        m_blocks.Mark();
        m_inList = false;
        return m_member(std::move(m_element), f.index - 1, top, bytes);
    }
    template <class V>
    bool Put(V&& v) {
        *Slot() = std::forward<V>(v);
        return Done();
    }
    bool Open(json::value_t type) {
        bool const array = type == json::value_t::array;
        if (m_frames.size() >= kMaxJsonDepth)
            throw InputError(m_file + ": " + m_blocks.Position(m_blocks.Offset() - 1) +
                             ": not valid here: nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
        json* slot = Slot();
        *slot = array ? json::array() : json::object();
        bool const list = array && m_frames.size() == 1 && !m_frames[0].array && *m_frames[0].key == "members";
        if (list) m_blocks.Mark(), m_listSeen = true;
        m_frames.push_back(Frame{list ? nullptr : slot, array});
        return true;
    }
    bool Close() {
        bool const list = !m_frames.back().value;
        m_frames.pop_back();
        if (list) m_blocks.Mark();
        return list || Done();
    }

    Blocks& m_blocks;
    std::string m_file;
    Member const& m_member;
    std::vector<Frame> m_frames;
    json m_element;
    bool m_inList = false, m_listSeen = false;
    std::size_t m_events = 0;
};

}  // namespace

std::string JsonTypeName(json const& v) {
    switch (v.type()) {
        case json::value_t::null: return "null";
        case json::value_t::object: return "an object";
        case json::value_t::array: return "a list";
        case json::value_t::string: return "a string";
        case json::value_t::boolean: return "true or false";
        case json::value_t::number_integer:
        case json::value_t::number_unsigned:
        case json::value_t::number_float: return "a number";
        default: return "an unreadable value";
    }
}

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

Field::Field(json const& value, std::string const& fileName, std::string path)
    : m_value(&value), m_file(&fileName), m_path(std::move(path)) {}

Field::Field(json const& value, Field const& parent, char const* key, std::size_t index)
    : m_value(&value), m_file(parent.m_file), m_parent(&parent), m_key(key), m_index(index) {}

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
    if (!m_value->is_number()) Fail("expected a number, found " + JsonTypeName(*m_value));
    double const v = m_value->get<double>();
    if (!std::isfinite(v)) Fail("the number is not finite");
    return v;
}

double Field::Number(double scale) const {
    double const v = Number() * scale;
    if (!std::isfinite(v))
        Fail(m_value->dump() + " is too large: not a finite number once converted to SI units (x " +
             nlohmann::json(scale).dump() + ")");
    return v;
}

std::string Field::String() const {
    if (!m_value->is_string()) Fail("expected a string, found " + JsonTypeName(*m_value));
    return *m_value->get_ptr<std::string const*>();
}

bool Field::Bool() const {
    if (!m_value->is_boolean()) Fail("expected true or false, found " + JsonTypeName(*m_value));
    return m_value->get<bool>();
}

std::vector<Field> Field::Elements(std::size_t most) const {
    if (!m_value->is_array()) Fail("expected a list, found " + JsonTypeName(*m_value));
    if (m_value->size() > most)
        Fail("a list of " + std::to_string(m_value->size()) + " elements; at most " + std::to_string(most) +
             " are accepted here (split the member)");
    std::vector<Field> out;
    out.reserve(m_value->size());
    for (std::size_t i = 0; i < m_value->size(); ++i) out.push_back(Field((*m_value)[i], *this, nullptr, i));
    return out;
}

Field Field::Child(char const* key) const { return Field(m_value->at(key), *this, key, 0); }

Field Field::Child(json const& value, char const* key) const { return Field(value, *this, key, 0); }

ObjectReader::ObjectReader(Field const& object, std::initializer_list<char const*> known) : m_object(object) {
    if (!object.IsObject()) object.Fail("expected an object, found " + JsonTypeName(object.Json()));
    if (known.size() > kMaxKeys) throw std::logic_error("ObjectReader: more known keys than kMaxKeys");
    for (char const* k : known) m_keys[m_count] = k, m_values[m_count++] = nullptr;
    for (auto const& item : object.Json().items()) {
        std::string const& key = item.key();
        std::size_t i = 0;
        // The whole key compared: a key may hold "\u0000".
        while (i < m_count && !(key[0] == m_keys[i][0] && key == m_keys[i])) ++i;
        if (i < m_count) {
            m_values[i] = &item.value();
            continue;
        }
        std::string list;
        for (char const* k : known) list += (list.empty() ? "" : ", ") + std::string(k);
        object.FailUnder(key, "unknown field (known here: " + list + ")");
    }
}

// The key's own text first (the same literal), then its characters.
json const* ObjectReader::Find(char const* key) const {
    for (std::size_t i = 0; i < m_count; ++i)
        if (m_keys[i] == key) return m_values[i];
    for (std::size_t i = 0; i < m_count; ++i)
        if (std::strcmp(m_keys[i], key) == 0) return m_values[i];
    return nullptr;
}

std::optional<Field> ObjectReader::Get(char const* key) const {
    json const* value = Find(key);
    if (!value) return std::nullopt;
    return m_object.Child(*value, key);
}

Field ObjectReader::Require(char const* key) const {
    json const* value = Find(key);
    if (!value) m_object.Fail(std::string("the field \"") + key + "\" is missing");
    return m_object.Child(*value, key);
}

}  // namespace s16app
