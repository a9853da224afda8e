#pragma once
// Wide string type used for every name and report fragment.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace Corvid {

using CString = std::wstring;

// Widen a narrow (ASCII / UTF-8 subset) string. Bytes above 0x7F are kept
// as their code unit value, which is exact for Latin-1 text.
CString Widen(std::string const& s);
// Narrow a wide string to UTF-8.
std::string Narrow(CString const& s);
// The characters [p, q) as UTF-8 at d (room for 4 bytes each; code points
// past U+10FFFF as '?'); returns the end of what was written.
char* EncodeUtf8(char* d, wchar_t const* p, wchar_t const* q);

// C is a wide character, constant or not (the element of a wide array).
template <class C>
using IfWideChar = std::enable_if_t<std::is_same_v<std::remove_const_t<C>, wchar_t>, int>;
// The length of the text in a wide array: a constant array's (a literal:
// its last character the only null one) known when compiled, a buffer's found.
template <class C, std::size_t N>
constexpr std::size_t TextLength(C (&a)[N]) {
    if constexpr (std::is_const_v<C>) {
        if (a[N - 1] == L'\0' && (N == 1 || a[N - 2] != L'\0')) return N - 1;
    }
    return std::char_traits<wchar_t>::length(a);
}

// A report line being joined (L"Mr = " + f.Moment(Mr) + L"\n"): its
// characters are written straight into a line buffer of this thread (a few
// are kept, for lines joined while another is; beyond them, or when longer
// than a usual line, a line has its own), each join inline, the length of a
// literal known when compiled.
// CMemberResult::AddOutputString copies it into the result; it converts to
// CString where one is needed. It lives as a temporary within one
// expression: the joins return it by reference, so a join must never be
// bound to a named reference (`auto&& l = L"a" + s + L"b";` dangles at the
// end of the statement; take a CString instead), a line is never joined
// onto itself, and data() is not null-terminated (pass data() with size()).
// A literal's length is its array's (text after an embedded null counts).
class CLine {
public:
    // a (na characters) then b (nb), copied inline (a literal's in a copy
    // of a size known when compiled).
    CLine(wchar_t const* a, std::size_t na, wchar_t const* b, std::size_t nb) : m_length(na + nb) {
        Take();
        std::copy(a, a + na, m_data);
        std::copy(b, b + nb, m_data + na);
    }
    // A line starting with the text of a wide array (a literal).
    template <class C, std::size_t N, IfWideChar<C> = 0>
    explicit CLine(C (&a)[N]) : CLine(a, TextLength(a), nullptr, 0) {}
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
    // p's n characters from a source that can be read kChunk characters at
    // once (n at most kChunk): one copy of a size known when compiled.
    template <std::size_t kChunk>
    CLine&& AppendChunk(wchar_t const* p, std::size_t n) {
        if (n > kChunk || m_room - m_length < kChunk) return Append(p, n);
        std::memcpy(m_data + m_length, p, kChunk * sizeof(wchar_t));
        m_length += n;
        return std::move(*this);
    }
    operator CString() const { return CString(m_data, m_length); }  // NOLINT: implicit by design

private:
    void Take();  // room for m_length characters: a thread's buffer or its own
    void Grow(std::size_t n);

    wchar_t* m_data = nullptr;  // a buffer of the thread's or m_own
    std::size_t m_length = 0;
    std::size_t m_room = 0;
    bool* m_busy = nullptr;  // the thread's buffer held while this line lives
    std::unique_ptr<wchar_t[]> m_own;
};

// P is a pointer to wide characters: a text whose length is found when
// joined (a literal's is known when compiled, through its own overload).
template <class P>
using IfWidePointer = std::enable_if_t<std::is_same_v<P, wchar_t const*> || std::is_same_v<P, wchar_t*>, int>;

// Joins that start a line: chosen over the standard library's templates by
// the code of this library, with the same text.
CLine operator+(wchar_t const* a, CString const& b);
CLine operator+(CString const& a, wchar_t const* b);
CLine operator+(CString const& a, CString const& b);
CLine operator+(CString&& a, wchar_t const* b);
CLine operator+(CString&& a, CString const& b);
// Joins onto a line.
template <class P, IfWidePointer<P> = 0>
CLine&& operator+(CLine&& a, P b) {
    return a.Append(b, std::char_traits<wchar_t>::length(b));
}
template <class C, std::size_t N, IfWideChar<C> = 0>
CLine&& operator+(CLine&& a, C (&b)[N]) {
    return a.Append(b, TextLength(b));
}
inline CLine&& operator+(CLine&& a, CString const& b) { return a.Append(b.data(), b.size()); }
inline CLine&& operator+(CLine&& a, CLine&& b) { return a.Append(b.data(), b.size()); }
inline bool operator==(CString const& a, CLine const& b) {
    return std::wstring_view(a) == std::wstring_view(b.data(), b.size());
}
inline bool operator==(CLine const& a, CString const& b) { return b == a; }
// A line added to a string without a string made of it.
inline CString& operator+=(CString& a, CLine&& b) { return a.append(b.data(), b.size()); }

}  // namespace Corvid
