#pragma once
// Wide string type used for every name and report fragment.
#include <string>

namespace Corvid {

using CString = std::wstring;

// Widen a narrow (ASCII / UTF-8 subset) string. Bytes above 0x7F are kept
// as their code unit value, which is exact for Latin-1 text.
CString Widen(std::string const& s);
// Narrow a wide string to UTF-8.
std::string Narrow(CString const& s);

}  // namespace Corvid

