#include "app/JsonInput.h"

#include <cmath>
#include <functional>
#include <set>

namespace s16app {

using nlohmann::json;

namespace {

// Line and column (1-based) of a byte offset.
std::string Position(std::string const& text, std::size_t byte) {
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < byte && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Follows the parser through nested objects and arrays to name the place of
// a duplicate key.
class DuplicateKeyWatch {
public:
    explicit DuplicateKeyWatch(std::string file) : m_file(std::move(file)) {}

    bool operator()(int, json::parse_event_t event, json& parsed) {
        switch (event) {
            case json::parse_event_t::object_start: m_frames.emplace_back(false); break;
            case json::parse_event_t::array_start: m_frames.emplace_back(true); break;
            case json::parse_event_t::key: {
                auto& top = m_frames.back();
                top.key = parsed.get<std::string>();
                if (!top.keys.insert(top.key).second)
                    throw InputError(m_file + ": " + Path() + ": the field appears twice in one object");
                break;
            }
            case json::parse_event_t::object_end:
            case json::parse_event_t::array_end:
                m_frames.pop_back();
                ElementDone();
                break;
            case json::parse_event_t::value: ElementDone(); break;
        }
        return true;
    }

private:
    struct Frame {
        explicit Frame(bool isArray) : array(isArray) {}
        bool array = false;
        std::size_t index = 0;  // array: elements completed
        std::string key;        // object: the key being read
        std::set<std::string> keys;
    };
    void ElementDone() {
        if (!m_frames.empty() && m_frames.back().array) ++m_frames.back().index;
    }
public:
    // Where the parser is: the key being read, with the keys and indices
    // around it.
    std::string Path() const {
        std::string path;
        for (auto const& f : m_frames) {
            if (f.array)
                path += "[" + std::to_string(f.index) + "]";
            else
                path += (path.empty() ? "" : ".") + f.key;
        }
        return path;
    }

private:
    std::string m_file;
    std::vector<Frame> m_frames;
};

// The parser's complaint in the user's words: what was expected where.
std::string Reason(std::string const& what, std::string const& text) {
    auto has = [&what](char const* s) { return what.find(s) != std::string::npos; };
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) return "the file is empty";
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

std::string JoinPath(std::string const& path, std::string const& key) { return path.empty() ? key : path + "." + key; }

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

json ParseJson(std::string const& text, std::string const& fileName) {
    DuplicateKeyWatch watch(fileName);
    // UTF-16 (a byte-order mark, or NUL bytes between ASCII characters).
    if (text.size() >= 2 && (text.compare(0, 2, "\xff\xfe") == 0 || text.compare(0, 2, "\xfe\xff") == 0 ||
                             text.find('\0') < 4))
        throw InputError(fileName + ": the file is UTF-16 text; save it as UTF-8");
    // Nesting is bounded before the parser sees it: a member file is a few
    // levels deep.
    std::size_t depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char const c = text[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > kMaxJsonDepth)
                throw InputError(fileName + ": " + Position(text, i) + ": not valid here: nested deeper than " +
                                 std::to_string(kMaxJsonDepth) + " levels");
        } else if ((c == '}' || c == ']') && depth > 0) {
            --depth;
        }
    }
    try {
        return json::parse(text, std::ref(watch));
    } catch (json::parse_error const& e) {
        throw InputError(fileName + ": " + Position(text, e.byte > 0 ? e.byte - 1 : 0) +
                         ": not valid JSON: " + Reason(e.what(), text));
    } catch (json::out_of_range const&) {
        // A number too large for a double (1e400): the parser stopped at it.
        std::string const path = watch.Path();
        throw InputError(fileName + ": " + (path.empty() ? std::string("(top level)") : path) +
                         ": the number is not finite");
    }
}

Field::Field(json const& value, std::string fileName, std::string path)
    : m_value(&value), m_file(std::move(fileName)), m_path(std::move(path)) {}

void Field::Fail(std::string const& why) const {
    throw InputError(m_file + ": " + (m_path.empty() ? std::string("(top level)") : m_path) + ": " + why);
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
    return m_value->get<std::string>();
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
    for (std::size_t i = 0; i < m_value->size(); ++i)
        out.emplace_back((*m_value)[i], m_file, m_path + "[" + std::to_string(i) + "]");
    return out;
}

Field Field::Child(std::string const& key) const { return Field(m_value->at(key), m_file, JoinPath(m_path, key)); }

ObjectReader::ObjectReader(Field const& object, std::initializer_list<char const*> known) : m_object(object) {
    if (!object.IsObject()) object.Fail("expected an object, found " + JsonTypeName(object.Json()));
    for (auto const& item : object.Json().items()) {
        bool found = false;
        for (char const* k : known) found = found || item.key() == k;
        if (found) continue;
        std::string list;
        for (char const* k : known) list += (list.empty() ? "" : ", ") + std::string(k);
        object.Child(item.key()).Fail("unknown field (known here: " + list + ")");
    }
}

bool ObjectReader::Has(char const* key) const { return m_object.Json().contains(key); }

std::optional<Field> ObjectReader::Get(char const* key) const {
    if (!Has(key)) return std::nullopt;
    return m_object.Child(key);
}

Field ObjectReader::Require(char const* key) const {
    if (!Has(key)) m_object.Fail(std::string("the field \"") + key + "\" is missing");
    return m_object.Child(key);
}

}  // namespace s16app
