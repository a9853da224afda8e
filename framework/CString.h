#pragma once
// Wide string type used for every name and report fragment.
#include <cstddef>
#include <string>
#include <type_traits>
#include <utility>

namespace Corvid {

using CString = std::wstring;

// Widen a narrow (ASCII / UTF-8 subset) string. Bytes above 0x7F are kept
// as their code unit value, which is exact for Latin-1 text.
CString Widen(std::string const& s);
// Narrow a wide string to UTF-8.
std::string Narrow(CString const& s);

// A report line being joined (L"Mr = " + f.Moment(Mr) + L"\n"): its
// characters are written straight into this thread's line storage (into its
// own when another line holds that storage), each join inline, the length
// of a literal known when compiled. Handed to CMemberResult::AddOutputString
// the line is copied into the result and the storage is free for the next
// line; converted to CString it takes the storage with it. It lives as a
// temporary within one expression: the joins return it by reference.
class CLine {
public:
    // a (na characters) then b (nb).
    CLine(wchar_t const* a, std::size_t na, wchar_t const* b, std::size_t nb);
    CLine(CLine const&) = delete;
    CLine& operator=(CLine const&) = delete;
    ~CLine() {
        if (m_busy) *m_busy = false;
    }

    wchar_t const* data() const { return m_data; }
    std::size_t size() const { return m_length; }
    CLine&& Append(wchar_t const* p, std::size_t n) {
        if (m_room - m_length < n) Grow(n);
        wchar_t* d = m_data + m_length;
        for (std::size_t i = 0; i < n; ++i) d[i] = p[i];
        m_length += n;
        return std::move(*this);
    }
    operator CString() &&;  // NOLINT: implicit by design (the storage goes with it)
    operator CString() const& { return CString(m_data, m_length); }  // NOLINT

private:
    void Grow(std::size_t n);

    CString* m_storage;  // the characters: the thread's line storage or m_own, its size its room
    bool* m_busy = nullptr;  // the thread's storage held while this line lives
    wchar_t* m_data;
    std::size_t m_length = 0;
    std::size_t m_room = 0;
    CString m_own;
};

// Gives a line's storage back for the next line (a result that copies a line
// into its own storage), when the thread's storage has none.
void KeepLineStorage(CString&& line);

// P is a pointer to wide characters: a text whose length is found when
// joined (a literal's is known when compiled, through its own overload).
template <class P>
using IfWidePointer = std::enable_if_t<std::is_same_v<P, wchar_t const*> || std::is_same_v<P, wchar_t*>, int>;

// Joins that start a line: chosen over the standard library's templates by
// the code of this library, with the same text.
CLine operator+(wchar_t const* a, CString const& b);
CLine operator+(CString const& a, wchar_t const* b);
CLine operator+(CString const& a, CString const& b);
template <class P, IfWidePointer<P> = 0>
CLine&& operator+(CLine&& a, P b) {
    return a.Append(b, std::char_traits<wchar_t>::length(b));
}
template <std::size_t N>
CLine&& operator+(CLine&& a, wchar_t const (&b)[N]) {  // a literal (or an array initialised by one)
    return a.Append(b, N - 1);
}
template <std::size_t N>
CLine&& operator+(CLine&& a, wchar_t (&b)[N]) = delete;  // a buffer: its text may be shorter
inline CLine&& operator+(CLine&& a, CString const& b) { return a.Append(b.data(), b.size()); }
inline CLine&& operator+(CLine&& a, CLine&& b) { return a.Append(b.data(), b.size()); }

// a (na characters) then b (nb), in the line storage.
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
