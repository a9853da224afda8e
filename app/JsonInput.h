#pragma once
// Reading JSON input with a path for every value, so that each complaint
// names the file and the field: "beam.json: members[2].points[1].x: ...".
#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/JsonDoc.h"
#include "app/MemberFile.h"

namespace s16app {

// Limits that keep the memory of any input bounded: the nesting of JSON
// values, the length of a list in a member (points, stations, loads,
// cases), the text of one member (or of what a file holds around them).
inline constexpr std::size_t kMaxJsonDepth = 64;
inline constexpr std::size_t kMaxListLength = 10000;
inline constexpr std::size_t kMaxMemberBytes = std::size_t{16} << 20;

// Where JSON text comes from: an open file read in blocks (each block also
// written to `copy` when given), or text in memory.
struct JsonSource {
    int fd = -1;
    std::string const* text = nullptr;
    std::FILE* copy = nullptr;
};

// Where the text of one element of "members" found by ScanJson starts in
// the file (byte offset, line breaks before it, offset of its line's first
// byte), whether it stops short (`cut`: the delimiting stopped in it, the
// last element found) and why, if for a read error or more than
// kMaxMemberBytes.
struct MemberOrigin {
    std::size_t offset = 0, lines = 0, lineStart = 0;
    int error = 0;
    bool tooLarge = false, cut = false;
};
// The text of one element of "members", and its origin.
struct MemberText {
    std::string text;
    MemberOrigin origin;
};

// Reads one JSON value as a stream. Syntax errors, nesting deeper than
// kMaxJsonDepth, duplicate keys in one object (a second value would silently
// replace the first), more than kMaxMemberBytes of text in one element of
// "members" (or around them) and read errors throw InputError naming the
// file and the line and column or the field. The elements of the top
// object's "members" list are not kept in the value returned (an empty list
// stands for them): each is given to `member` once found, with its index,
// the top object read so far and the bytes of its text; `member` returns
// false to stop. An object or list element is only delimited here (its
// brackets counted, its strings skipped) and given as `text`, to be read by
// ParseMember (an element found faulty while delimited is given, then the
// reading stops with an InputError that ParseMember's complaint about it
// replaces); any other element is read and given as `value` (`text` null).
// `late` tells whether "units" or "moment_sign" came after "members".
nlohmann::json ScanJson(JsonSource const& source, std::string const& fileName,
                        std::function<bool(nlohmann::json&& value, MemberText* text, std::size_t index,
                                           nlohmann::json const& top, std::size_t bytes)> const& member,
                        bool& late);

// Reads the element `index` of "members" given as text by ScanJson, with
// the complaints and positions that reading the whole file gives it.
nlohmann::json ParseMember(std::string_view text, MemberOrigin const& origin, std::string const& fileName,
                           std::size_t index);

// Reads the texts of members that are not cut, written as one JSON list
// (`[` text `,` text ... `]`): plain ASCII JSON by a reader of its own, and
// from the first text that is not (an escape, a byte past ASCII, a fault)
// by nlohmann's parser. Each value is given to `each` with its place in the
// list, in order, as far as the texts are valid JSON. False when one is
// not: it is read again by ParseMember, which tells its complaint and place.
bool ParseMembers(std::string_view list, std::string const& fileName,
                  std::function<void(std::size_t, JsonDoc&&)> const& each);

// One JSON value (the root of a document) with the place it came from (the
// document and the file's name outlive it). A child names its parent and
// its key or index: the path is put together only for a message, and the
// parent (and a key's text) must outlive the child.
class Field {
public:
    Field(JsonDoc const& doc, std::string const& fileName, std::string path);
    Field(JsonDoc const& doc, std::string&& fileName, std::string path) = delete;

    JsonDoc const& Doc() const { return *m_doc; }
    std::uint32_t Node() const { return m_node; }
    // The value as nlohmann::json::dump() writes it.
    std::string Dump() const { return m_doc->ToJson(m_node).dump(); }
    // "a string" / "a number" ... for messages.
    std::string TypeName() const { return m_doc->TypeName(m_node); }
    // "members[2].points[1].x"
    std::string Path() const;
    // "file: path: why"
    [[noreturn]] void Fail(std::string const& why) const;
    // The same for the value under `key` in this object (the whole key, which
    // may hold "\u0000").
    [[noreturn]] void FailUnder(std::string const& key, std::string const& why) const;

    // Typed reads; a wrong type or a number that is not finite fails.
    double Number() const;
    // The number times `scale` (a unit conversion to SI); fails, naming the
    // number as written, when the product is not finite.
    double Number(double scale) const;
    std::string String() const;
    bool Bool() const;
    // The elements of an array, each with its path; more than `most` fail.
    std::vector<Field> Elements(std::size_t most = kMaxListLength) const;
    bool IsString() const { return Type() == JsonDoc::Type::String; }
    bool IsArray() const { return Type() == JsonDoc::Type::Array; }
    bool IsObject() const { return Type() == JsonDoc::Type::Object; }
    bool IsBool() const { return Type() == JsonDoc::Type::Bool; }
    bool IsNumber() const {
        return Type() == JsonDoc::Type::Integer || Type() == JsonDoc::Type::Unsigned || Type() == JsonDoc::Type::Float;
    }

    // The value of an object key, with its path.
    Field Child(char const* key) const;
    // The value `node`, found under `key` in this object, with its path.
    Field Child(std::uint32_t node, char const* key) const;

private:
    Field(std::uint32_t node, Field const& parent, char const* key, std::size_t index);
    JsonDoc::Type Type() const { return m_doc->At(m_node).type; }
    void AppendPath(std::string& out) const;
    [[noreturn]] void FailAt(std::string const& path, std::string const& why) const;

    JsonDoc const* m_doc;
    std::uint32_t m_node = 0;
    std::string const* m_file;
    Field const* m_parent = nullptr;  // null: the root, whose path is m_path
    char const* m_key = nullptr;      // the key under the parent; null: an element
    std::size_t m_index = 0;          // the element's index in the parent
    std::string m_path;
};

// The fields of one JSON object: any key not in the known list is refused
// when the reader is made, and each known one found is kept in its place in
// the list (looked up by the key's text as given, a literal, before its
// characters).
class ObjectReader {
public:
    ObjectReader(Field const& object, std::initializer_list<char const*> known);

    bool Has(char const* key) const { return Find(key) != kAbsent; }
    std::optional<Field> Get(char const* key) const;
    Field Require(char const* key) const;
    Field const& Self() const { return m_object; }

private:
    static constexpr std::size_t kMaxKeys = 24;
    static constexpr std::uint32_t kAbsent = 0xffffffffu;
    std::uint32_t Find(char const* key) const;

    Field m_object;
    std::size_t m_count = 0;
    char const* m_keys[kMaxKeys];
    std::uint32_t m_values[kMaxKeys];  // the values' nodes; kAbsent: not given
};

}  // namespace s16app
