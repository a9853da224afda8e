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

// The storage of one report line, kept per thread: an empty string with
// room for at least `room` characters (and for a usual line), in the storage
// last given back when there is. A result that copies a line into its own
// storage gives the line's storage back, so a report built line by line
// takes no heap block per line.
CString LineStorage(std::size_t room);
void KeepLineStorage(CString&& line);

// Joins that start a line, or must grow one, in the line storage: chosen
// over the standard library's templates by the code of this library, with
// the same text.
CString operator+(wchar_t const* a, CString const& b);
CString operator+(CString const& a, wchar_t const* b);
CString operator+(CString const& a, CString const& b);
// a (na characters) then b (nb) in the line storage.
CString JoinedInLineStorage(wchar_t const* a, std::size_t na, wchar_t const* b, std::size_t nb);
// b appended to the line a: in place when a has room, else in the line storage.
inline CString AppendedToLine(CString&& a, wchar_t const* b, std::size_t nb) {
    if (a.capacity() - a.size() >= nb) return std::move(a.append(b, nb));
    return JoinedInLineStorage(a.data(), a.size(), b, nb);
}
inline CString operator+(CString&& a, wchar_t const* b) {
    return AppendedToLine(std::move(a), b, std::char_traits<wchar_t>::length(b));
}
inline CString operator+(CString&& a, CString const& b) { return AppendedToLine(std::move(a), b.data(), b.size()); }

}  // namespace Corvid
