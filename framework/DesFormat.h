#pragma once
// Number formatter of the report: SI values in, engineering units out.
#include <cstddef>

#include "CString.h"

namespace Corvid::Util {

struct NumberWriter;

// The text of one formatted number (with its unit), held inline: no heap
// block. It converts to CString where one is needed; a report line built
// with + around it (L"Mr = " + f.Moment(Mr) + L"\n") is a CLine, written
// into a line buffer of the thread.
class CNumberText {
public:
    static constexpr std::size_t kCapacity = 48;  // a number of any magnitude with the longest unit
    static constexpr std::size_t kChunk = 16;     // most numbers with their unit: copied at once

    CNumberText() = default;
    CNumberText(wchar_t const* text, std::size_t length);
    wchar_t const* data() const { return m_text; }
    std::size_t size() const { return m_length; }
    operator CString() const { return CString(m_text, m_length); }  // NOLINT: implicit by design

private:
    friend struct NumberWriter;
    wchar_t m_text[kCapacity];
    std::size_t m_length = 0;
};

// Joins with a number start a line (CLine) or add to one.
template <class P, IfWidePointer<P> = 0>
CLine operator+(P a, CNumberText const& b) {
    return CLine(a, std::char_traits<wchar_t>::length(a), b.data(), b.size());
}
template <class C, std::size_t N, IfWideChar<C> = 0>
CLine operator+(C (&a)[N], CNumberText const& b) {
    return CLine(a, TextLength(a), b.data(), b.size());
}
inline CLine operator+(CString const& a, CNumberText const& b) { return CLine(a.data(), a.size(), b.data(), b.size()); }
template <class P, IfWidePointer<P> = 0>
CLine operator+(CNumberText const& a, P b) {
    return CLine(a.data(), a.size(), b, std::char_traits<wchar_t>::length(b));
}
template <class C, std::size_t N, IfWideChar<C> = 0>
CLine operator+(CNumberText const& a, C (&b)[N]) {
    return CLine(a.data(), a.size(), b, TextLength(b));
}
inline CLine operator+(CNumberText const& a, CString const& b) { return CLine(a.data(), a.size(), b.data(), b.size()); }
inline CLine operator+(CNumberText const& a, CNumberText const& b) {
    return CLine(a.data(), a.size(), b.data(), b.size());
}
inline CLine&& operator+(CLine&& a, CNumberText const& b) {
    return a.AppendChunk<CNumberText::kChunk>(b.data(), b.size());
}
inline CLine operator+(CString&& a, CNumberText const& b) { return CLine(a.data(), a.size(), b.data(), b.size()); }
CString& operator+=(CString& a, CNumberText const& b);
inline bool operator==(CNumberText const& a, CString const& b) { return CString(a) == b; }
inline bool operator==(CNumberText const& a, wchar_t const* b) { return CString(a) == b; }

// The text printf's "%.*f" writes for v with `decimals` decimals (0 to 12;
// a negative value that rounds to zero keeps its sign: "-0.000") at `out`,
// which has room for 32 characters: the end of the text, or nullptr where
// this quick way cannot tell the rounding (v not finite, decimals outside
// 0 to 12, or x = |v| 10^decimals within 1e-9 max(1, x) of a tie: every x
// from 5e8 on), for the caller to write it otherwise.
char* FixedAsPrintf(char* out, double v, int decimals);

// Every operation takes an SI value (m, m^2, m^3, m^4, m^6, N, N.m, Pa) and
// returns its text in the unit engineers read in a steel handbook.
// Precision: four significant figures for quantities with a unit (trailing
// zeros kept, so the width is stable), three decimals for dimensionless
// ratios and utilisations. Infinite values print as "infinity" (with sign)
// and NaN as "NaN", without unit.
class CDesFormat {
public:
    CDesFormat() = default;
    virtual ~CDesFormat() = default;
    CDesFormat(CDesFormat const&) = default;
    CDesFormat& operator=(CDesFormat const&) = default;

    CNumberText Length(double const& m) const;       // m
    CNumberText LengthSmall(double const& m) const;  // mm
    CNumberText AreaCS(double const& m2) const;      // mm²
    CNumberText LCubed(double const& m3) const;      // 10³ mm³
    CNumberText LFourth(double const& m4) const;     // 10⁶ mm⁴
    CNumberText LSixth(double const& m6) const;      // 10⁹ mm⁶
    CNumberText Force(double const& n) const;        // kN
    CNumberText Moment(double const& nm) const;      // kN·m
    CNumberText Stress(double const& pa) const;      // MPa
    CNumberText NoDim(double const& v) const;        // plain, 3 decimals
    CNumberText Util(double const& v) const;         // plain, 3 decimals
    CNumberText Int(int v) const;

    // Plain number helpers shared by the operations above.
    static CString Significant(double v, int figures);
    static CString Fixed(double v, int decimals);
};

}  // namespace Corvid::Util
