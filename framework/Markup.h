#pragma once
// The markup of the report's lines: the engine writes seven tags, <h4> <h5>
// <b> <i> <red> <orange> <blue>, each opened and closed (</b>); a '<' that
// does not open or close one of them is text. One scanner for the engine's
// wide lines and a host's UTF-8 lines.
#include <string_view>

namespace Corvid::Markup {

enum Tag : unsigned { kH4, kH5, kBold, kItalic, kRed, kOrange, kBlue, kTagCount };

// The name of each tag, in the order of Tag.
inline constexpr char const* kTagNames[kTagCount] = {"h4", "h5", "b", "i", "red", "orange", "blue"};

// The tag of a name (between '<' or "</" and '>'); kTagCount for any other.
template <class Char>
Tag TagNamed(std::basic_string_view<Char> name) {
    for (unsigned t = 0; t < kTagCount; ++t) {
        // Compared up to the name's end (no strlen of each known name).
        char const* const known = kTagNames[t];
        std::size_t i = 0;
        while (i < name.size() && known[i] != 0 && name[i] == static_cast<Char>(known[i])) ++i;
        if (i == name.size() && known[i] == 0) return static_cast<Tag>(t);
    }
    return kTagCount;
}

// Splits a line into runs of text and tags, in order: onText(view) for each
// run of text between tags (never empty), onTag(tag, closing) for each tag.
template <class Char, class OnText, class OnTag>
void ScanMarkup(std::basic_string_view<Char> m, OnText onText, OnTag onTag) {
    std::size_t textStart = 0;
    for (std::size_t lt = m.find(Char('<')); lt != m.npos; lt = m.find(Char('<'), lt + 1)) {
        auto const close = m.find(Char('>'), lt);
        if (close == m.npos) break;
        bool const closing = lt + 1 < m.size() && m[lt + 1] == Char('/');
        std::size_t const from = lt + (closing ? 2 : 1);
        Tag const tag = TagNamed(m.substr(from, close - from));
        if (tag == kTagCount) continue;
        if (lt > textStart) onText(m.substr(textStart, lt - textStart));
        onTag(tag, closing);
        textStart = close + 1;
        lt = close;
    }
    if (textStart < m.size()) onText(m.substr(textStart));
}

}  // namespace Corvid::Markup
