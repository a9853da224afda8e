#pragma once
// One JSON value as read for a member, held compactly: its values in one
// array, the items of its lists and objects in another, its keys and
// strings in one text. An object's items are sorted by key, as
// nlohmann::json keeps them (the order in which fields are refused and
// hashed). A value is named by its index; the root is 0.
#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace s16app {

class JsonDoc {
public:
    enum class Type : std::uint8_t { Null, Bool, Integer, Unsigned, Float, String, Array, Object };
    struct Node {
        Type type = Type::Null;
        bool boolean = false;
        // String: its place in the text; Array, Object: its items.
        std::uint32_t first = 0, count = 0;
        std::int64_t integer = 0;
        std::uint64_t natural = 0;
        double number = 0.0;
    };
    // An element of a list (no key) or a field of an object.
    struct Item {
        std::uint32_t keyAt = 0, keyLength = 0, node = 0;
    };

    // An empty object (no heap block).
    JsonDoc() = default;
    static JsonDoc FromJson(nlohmann::json const& value);
    nlohmann::json ToJson(std::uint32_t node = 0) const;

    Node const& At(std::uint32_t node) const { return m_nodes.empty() ? EmptyObject() : m_nodes[node]; }
    std::string_view String(std::uint32_t node) const { return Text(At(node).first, At(node).count); }
    Item const* ItemsBegin(std::uint32_t node) const { return m_items.data() + At(node).first; }
    Item const* ItemsEnd(std::uint32_t node) const { return ItemsBegin(node) + At(node).count; }
    std::string_view Key(Item const& item) const { return Text(item.keyAt, item.keyLength); }
    // The value under `key` in the object `node`; null when it has none.
    Item const* Find(std::uint32_t node, std::string_view key) const;
    // As a value is named in messages: "a number", "a list", ...
    std::string TypeName(std::uint32_t node) const;

private:
    friend class JsonListBuilder;
    static Node const& EmptyObject();
    std::string_view Text(std::uint32_t at, std::uint32_t length) const {
        return std::string_view(m_text.data() + at, length);
    }
    std::uint32_t AddText(std::string_view s);
    std::uint32_t Add(nlohmann::json const& value);

    std::vector<Node> m_nodes;
    std::vector<Item> m_items;
    std::string m_text;
};

inline JsonDoc::Node const& JsonDoc::EmptyObject() {
    static constexpr Node kEmpty{Type::Object};
    return kEmpty;
}

// Builds documents from a parser's events (nlohmann's SAX interface, its
// texts as views, as PlainJson gives them): each element of a list at the
// top, given to `each` with its place once complete. An event it cannot
// take (a key given twice in one object, nesting deeper than `deepest`)
// returns false, and the reading stops.
class JsonListBuilder {
public:
    // `each` outlives the builder.
    JsonListBuilder(std::size_t deepest, std::function<void(std::size_t, JsonDoc&&)> const& each)
        : m_deepest(deepest), m_each(each) {}
    JsonListBuilder(std::size_t, std::function<void(std::size_t, JsonDoc&&)>&&) = delete;
    bool null() { return Add(JsonDoc::Type::Null) && Done(); }
    bool boolean(bool v) { return Scalar(JsonDoc::Type::Bool, &JsonDoc::Node::boolean, v); }
    bool number_integer(std::int64_t v) { return Scalar(JsonDoc::Type::Integer, &JsonDoc::Node::integer, v); }
    bool number_unsigned(std::uint64_t v) { return Scalar(JsonDoc::Type::Unsigned, &JsonDoc::Node::natural, v); }
    bool number_float(double v) { return Scalar(JsonDoc::Type::Float, &JsonDoc::Node::number, v); }
    bool string(std::string_view v);
    bool key(std::string_view k);
    bool start_object(std::size_t) { return Open(JsonDoc::Type::Object); }
    bool start_array(std::size_t) { return Open(JsonDoc::Type::Array); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }

private:
    struct Container {
        std::uint32_t node;
        std::size_t itemsStart;
    };
    // A value in the container open (a new document at the list's
    // level); false outside the list.
    bool Add(JsonDoc::Type type);
    JsonDoc::Node& Last() { return m_doc.m_nodes.back(); }
    // A number or true/false: `field` of its node.
    template <class T>
    bool Scalar(JsonDoc::Type type, T JsonDoc::Node::*field, T v) {
        if (!Add(type)) return false;
        Last().*field = v;
        return Done();
    }
    bool Open(JsonDoc::Type type);
    bool Close();
    // A value is complete: at the list's level, its document is given.
    bool Done();

    std::size_t m_deepest;
    std::function<void(std::size_t, JsonDoc&&)> const& m_each;
    bool m_inList = false;
    std::size_t m_index = 0;
    JsonDoc m_doc;
    std::vector<Container> m_open;
    std::vector<JsonDoc::Item> m_pending;  // the items of the containers open, in order
    JsonDoc::Item m_key;                   // the key of the next value in an object
};

}  // namespace s16app
