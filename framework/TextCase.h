#pragma once
// Case-insensitive handling of the names a user types (section words, grade
// and code names, option words): one rule for the engine and its hosts.
#include <cctype>
#include <cwctype>
#include <string>
#include <string_view>

namespace Corvid {

// s in lower case, letter by letter (narrow text: ASCII letters only).
inline std::string LowerCase(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
inline std::wstring LowerCase(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

// a and b are the same letters but for case (no copy made).
inline bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

}  // namespace Corvid
