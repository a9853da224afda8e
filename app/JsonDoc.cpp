#include "app/JsonDoc.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace s16app {

namespace {
// What a member usually holds (about 60 values): room for it at once.
constexpr std::size_t kNodes = 96, kText = 512;
}  // namespace

std::uint32_t JsonDoc::AddText(std::string_view s) {
    if (m_text.size() + s.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("JsonDoc: more than 4 GB of text");
    auto const at = static_cast<std::uint32_t>(m_text.size());
    m_text.append(s);
    return at;
}

std::uint32_t JsonDoc::Add(nlohmann::json const& value) {
    using T = nlohmann::json::value_t;
    auto const n = static_cast<std::uint32_t>(m_nodes.size());
    m_nodes.emplace_back();
    Node node;
    std::vector<Item> items;
    switch (value.type()) {
        case T::boolean: node.type = Type::Bool, node.boolean = value.get<bool>(); break;
        case T::number_integer: node.type = Type::Integer, node.integer = value.get<std::int64_t>(); break;
        case T::number_unsigned: node.type = Type::Unsigned, node.natural = value.get<std::uint64_t>(); break;
        case T::number_float: node.type = Type::Float, node.number = value.get<double>(); break;
        case T::string: {
            auto const& s = value.get_ref<std::string const&>();
            node.type = Type::String, node.first = AddText(s), node.count = static_cast<std::uint32_t>(s.size());
            break;
        }
        case T::array:
            node.type = Type::Array;
            for (auto const& e : value) items.push_back({0, 0, Add(e)});
            break;
        case T::object:  // its keys in order already
            node.type = Type::Object;
            for (auto const& [key, v] : value.get_ref<nlohmann::json::object_t const&>()) {
                std::uint32_t const at = AddText(key);
                items.push_back({at, static_cast<std::uint32_t>(key.size()), Add(v)});
            }
            break;
        default: break;  // null (a binary value does not come from JSON text)
    }
    node.first = node.type == Type::String ? node.first : static_cast<std::uint32_t>(m_items.size());
    if (node.type == Type::Array || node.type == Type::Object) {
        node.count = static_cast<std::uint32_t>(items.size());
        m_items.insert(m_items.end(), items.begin(), items.end());
    }
    m_nodes[n] = node;
    return n;
}

JsonDoc JsonDoc::FromJson(nlohmann::json const& value) {
    JsonDoc doc;
    doc.Add(value);
    return doc;
}

nlohmann::json JsonDoc::ToJson(std::uint32_t n) const {
    Node const& node = At(n);
    switch (node.type) {
        case Type::Null: return nullptr;
        case Type::Bool: return node.boolean;
        case Type::Integer: return node.integer;
        case Type::Unsigned: return node.natural;
        case Type::Float: return node.number;
        case Type::String: return std::string(String(n));
        case Type::Array: {
            auto out = nlohmann::json::array();
            for (Item const* i = ItemsBegin(n); i != ItemsEnd(n); ++i) out.push_back(ToJson(i->node));
            return out;
        }
        case Type::Object: {
            auto out = nlohmann::json::object();
            for (Item const* i = ItemsBegin(n); i != ItemsEnd(n); ++i) out[std::string(Key(*i))] = ToJson(i->node);
            return out;
        }
    }
    return nullptr;
}

JsonDoc::Item const* JsonDoc::Find(std::uint32_t n, std::string_view key) const {
    if (At(n).type != Type::Object) return nullptr;
    for (Item const* i = ItemsBegin(n); i != ItemsEnd(n); ++i)
        if (Key(*i) == key) return i;
    return nullptr;
}

std::string JsonDoc::TypeName(std::uint32_t n) const {
    switch (At(n).type) {
        case Type::Null: return "null";
        case Type::Object: return "an object";
        case Type::Array: return "a list";
        case Type::String: return "a string";
        case Type::Bool: return "true or false";
        case Type::Integer:
        case Type::Unsigned:
        case Type::Float: return "a number";
    }
    return "an unreadable value";
}

bool JsonListBuilder::Add(JsonDoc::Type type) {
    if (!m_inList) return false;  // the top is the list
    if (m_open.empty()) {         // a new document
        m_doc.m_nodes.clear(), m_doc.m_items.clear(), m_doc.m_text.clear();
        m_doc.m_nodes.reserve(kNodes), m_doc.m_items.reserve(kNodes), m_doc.m_text.reserve(kText);
    } else {
        m_pending.push_back({m_key.keyAt, m_key.keyLength, static_cast<std::uint32_t>(m_doc.m_nodes.size())});
        m_key = JsonDoc::Item();
    }
    m_doc.m_nodes.emplace_back().type = type;
    return true;
}

bool JsonListBuilder::string(std::string_view v) {
    if (!Add(JsonDoc::Type::String)) return false;
    std::uint32_t const at = m_doc.AddText(v);
    Last().first = at, Last().count = static_cast<std::uint32_t>(v.size());
    return Done();
}

bool JsonListBuilder::key(std::string_view k) {
    m_key.keyAt = m_doc.AddText(k);
    m_key.keyLength = static_cast<std::uint32_t>(k.size());
    return true;
}

bool JsonListBuilder::Open(JsonDoc::Type type) {
    if (!m_inList && m_open.empty() && m_index == 0 && type == JsonDoc::Type::Array) return m_inList = true;
    if (m_open.size() >= m_deepest || !Add(type)) return false;
    m_open.push_back({static_cast<std::uint32_t>(m_doc.m_nodes.size() - 1), m_pending.size()});
    return true;
}

bool JsonListBuilder::Close() {
    if (m_open.empty()) {  // the list
        m_inList = false;
        return true;
    }
    Container const c = m_open.back();
    m_open.pop_back();
    auto const begin = m_pending.begin() + static_cast<std::ptrdiff_t>(c.itemsStart);
    JsonDoc::Node& node = m_doc.m_nodes[c.node];
    if (node.type == JsonDoc::Type::Object) {
        auto key = [this](JsonDoc::Item const& i) { return m_doc.Key(i); };
        std::sort(begin, m_pending.end(),
                  [&key](JsonDoc::Item const& a, JsonDoc::Item const& b) { return key(a) < key(b); });
        // A key twice: left to the parser that names it.
        if (std::adjacent_find(begin, m_pending.end(), [&key](JsonDoc::Item const& a, JsonDoc::Item const& b) {
                return key(a) == key(b);
            }) != m_pending.end())
            return false;
    }
    node.first = static_cast<std::uint32_t>(m_doc.m_items.size());
    node.count = static_cast<std::uint32_t>(m_pending.end() - begin);
    m_doc.m_items.insert(m_doc.m_items.end(), begin, m_pending.end());
    m_pending.erase(begin, m_pending.end());
    return Done();
}

bool JsonListBuilder::Done() {
    if (!m_open.empty()) return true;
    m_each(m_index++, std::move(m_doc));
    return true;
}

}  // namespace s16app
