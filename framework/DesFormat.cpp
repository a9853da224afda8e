#include "DesFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "Digits.h"

namespace Corvid::Util {

namespace {

// Where a number's characters are written (room for them checked by the
// caller: any fixed-point double needs 420).
template <class Char>
struct IntoOf {
    Char* text;
    int length = 0;
};
using Into = IntoOf<wchar_t>;

// A number's text of any length, built in a buffer and then made a string.
struct NumberText {
    wchar_t text[420];
    Into into{text};
    NumberText() = default;
    NumberText(NumberText const&) = delete;
    NumberText& operator=(NumberText const&) = delete;
    CString Str() const { return CString(text, static_cast<std::size_t>(into.length)); }
};

bool NonFinite(double v, Into& out) {
    if (std::isfinite(v)) return false;  // most values: one test
    wchar_t const* word = nullptr;
    if (std::isnan(v))
        word = L"NaN";
    else if (std::isinf(v))
        word = v > 0 ? L"infinity" : L"-infinity";
    if (!word) return false;
    out.length = 0;
    while (*word) out.text[out.length++] = *word++;
    return true;
}

// The characters to_chars writes (correctly rounded, plain ASCII).
void Chars(double v, std::chars_format format, int precision, Into& out) {
    char buf[400];
    auto const r = std::to_chars(buf, buf + sizeof buf, v, format, precision);
    out.length = 0;
    for (char const* c = buf; c != r.ptr; ++c) out.text[out.length++] = static_cast<wchar_t>(*c);
}

constexpr double kPow10[] = {1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2, 1e3,
                             1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12};
double const* const kPow10From0 = kPow10 + 6;  // kPow10From0[k] = 10^k, k = 0 ... 12
constexpr DigitPairsOf<wchar_t> const& kDigitPairs = kDigitPairsOf<wchar_t>;

// The integer nearest to x, 0 <= x < 2^63 (each fixed-point text rounds by it);
// false when x lies too close to a rounding tie for its own rounding error
// to be ignored.
bool Nearest(double x, std::uint64_t& r) {
    auto const whole = static_cast<std::int64_t>(x);  // floor(x)
    double const fraction = x - static_cast<double>(whole);
    if (std::fabs(fraction - 0.5) < 1e-9 * std::max(1.0, x)) return false;
    r = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1u : 0u);
    return true;
}

// Fixed-point text from the integer nearest to |v| 10^decimals, the same as
// to_chars gives; -1 when the product is too large or lies too close to a
// rounding tie for its own rounding error to be ignored, else the count of
// the integer's digits (the significant figures printed; 0 for zero).
// `guess` is the count of digits most likely (where their count is sought
// first). A negative value that rounds to zero is written "0.000", or
// "-0.000" with `signedZero` (as printf writes it).
template <class Char>
int FixedByInteger(double v, int decimals, IntoOf<Char>& out, int guess, bool signedZero = false) {
    if (decimals < 0 || decimals > 12) return -1;
    double const x = std::fabs(v) * kPow10From0[decimals];
    std::uint64_t r = 0;
    if (!(x < 1e15) || !Nearest(x, r)) return -1;
    bool const negative = signedZero ? std::signbit(v) : v < 0 && r != 0;
    auto const& pairs = kDigitPairsOf<Char>;
    // The digits of r (its significant figures): kUnits[figures - 1] <= r < kUnits[figures].
    int figures = std::clamp(guess, 0, 19);
    while (figures > 0 && r < kUnits[figures - 1]) --figures;
    while (figures < 19 && r >= kUnits[figures]) ++figures;
    // The digits, at least decimals + 1 (leading zeros), written right to
    // left two at a time, with the point before the units digit.
    int const digits = std::max(figures, decimals + 1);
    out.length = (negative ? 1 : 0) + digits + (decimals > 0 ? 1 : 0);
    Char* p = out.text + out.length;
    int n = 0;
    if (decimals > 0) {
        for (; n + 1 < decimals; n += 2) {
            Char const* two = pairs.pair[r % 100];
            r /= 100;
            *--p = two[1];
            *--p = two[0];
        }
        if (n < decimals) {  // an odd count of decimals: the last one, the point, then the units
            Char const* two = pairs.pair[r % 100];
            r /= 100;
            p[-1] = two[1];
            p[-2] = '.';
            p[-3] = two[0];
            p -= 3;
            n += 2;
        } else {
            *--p = '.';
        }
    }
    for (; n + 1 < digits; n += 2) {
        Char const* two = pairs.pair[r % 100];
        r /= 100;
        *--p = two[1];
        *--p = two[0];
    }
    if (n < digits) *--p = static_cast<Char>('0' + r);
    if (negative) *--p = '-';
    return figures;
}

// The fixed-point text; the count of significant figures printed, or -1
// when not known.
int Fixed(double v, int decimals, Into& out) {
    if (NonFinite(v, out)) return -1;
    if (std::fabs(v) >= 1e12) {
        Chars(v, std::chars_format::scientific, 3, out);
        return -1;
    }
    if (int const significant = FixedByInteger(v, decimals, out, decimals + 1); significant >= 0) return significant;
    Chars(v, std::chars_format::fixed, decimals, out);
    // Never print a negative zero such as "-0.000".
    bool zero = true;
    for (int i = 1; i < out.length; ++i) zero = zero && (out.text[i] == L'0' || out.text[i] == L'.');
    if (out.length > 0 && out.text[0] == L'-' && zero) {
        std::copy(out.text + 1, out.text + out.length, out.text);
        --out.length;
    }
    return -1;
}

// For each binary exponent e of a number from 1e-6 to 1e12 (a = m 2^e,
// 1 <= m < 2, e = -20 ... 39): the largest i with kPow10[i] <= 2^e (0 below
// 1e-6). A binade holds at most one power of ten, so a's lies at i or i + 1.
struct BinadeDecades {
    static constexpr int kFirst = -20;
    int i[60];
    constexpr BinadeDecades() : i() {
        double p = 1.0;  // 2^e, exact
        for (int e = 0; e > kFirst; --e) p /= 2;
        for (int e = kFirst; e < kFirst + 60; ++e, p *= 2) {
            int d = 0;
            while (d < 17 && kPow10[d + 1] <= p) ++d;
            i[e - kFirst] = d;
        }
    }
};
constexpr BinadeDecades kBinadeDecades;

// floor(log10(a)) for 1e-6 <= a < 1e12, by comparison with the power of ten
// of a's binade (one comparison); within 1e-12 of a power of ten, where a
// comparison and log10 could round apart, log10 decides as before
// (elsewhere log10, correct within an ulp, cannot cross an integer).
int Magnitude(double a) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &a, sizeof bits);
    int const e = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    int i = kBinadeDecades.i[e - BinadeDecades::kFirst];
    if (i < 17 && a >= kPow10[i + 1]) ++i;  // now kPow10[i] <= a < kPow10[i + 1]
    if (a < kPow10[i] * (1.0 + 1e-12) || a > kPow10[i + 1] * (1.0 - 1e-12))
        return static_cast<int>(std::floor(std::log10(a)));
    return i - 6;
}

// The most common numbers without FixedByInteger's general digit count: the
// same characters where they apply, false elsewhere (nothing written).
// Four significant figures of a, 1e-6 <= a = |v| < 10 000 of the magnitude
// given, when they round to 1000 ... 9999 (no carry into a fifth figure):
// "-12.34", "0.001234", "1234".
bool FourFigures(double v, double a, int magnitude, Into& out) {
    int const decimals = 3 - magnitude;  // 0 ... 9
    std::uint64_t r = 0;
    if (decimals < 0 || decimals > 9 || !Nearest(a * kPow10From0[decimals], r) || r < 1000 || r > 9999) return false;
    auto const n = static_cast<std::uint32_t>(r);
    wchar_t const* const high = kDigitPairs.pair[n / 100];
    wchar_t const* const low = kDigitPairs.pair[n % 100];
    wchar_t* p = out.text;
    if (v < 0) *p++ = L'-';
    if (decimals >= 4) {  // "0.", zeros, the four figures
        *p++ = L'0';
        *p++ = L'.';
        for (int k = 4; k < decimals; ++k) *p++ = L'0';
        p[0] = high[0], p[1] = high[1], p[2] = low[0], p[3] = low[1];
        p += 4;
    } else if (decimals == 3) {
        p[0] = high[0], p[1] = L'.', p[2] = high[1], p[3] = low[0], p[4] = low[1];
        p += 5;
    } else if (decimals == 2) {
        p[0] = high[0], p[1] = high[1], p[2] = L'.', p[3] = low[0], p[4] = low[1];
        p += 5;
    } else if (decimals == 1) {
        p[0] = high[0], p[1] = high[1], p[2] = low[0], p[3] = L'.', p[4] = low[1];
        p += 5;
    } else {
        p[0] = high[0], p[1] = high[1], p[2] = low[0], p[3] = low[1];
        p += 4;
    }
    out.length = static_cast<int>(p - out.text);
    return true;
}

// Three decimals of a finite v, |v| < 1000: "-0.125", "12.500".
bool ThreeDecimals(double v, Into& out) {
    std::uint64_t r = 0;
    double const a = std::fabs(v);
    if (!(a < 1000.0) || !Nearest(a * kPow10From0[3], r) || r > 999999) return false;
    auto const n = static_cast<std::uint32_t>(r);
    std::uint32_t const units = n / 1000, thousandths = n % 1000;
    wchar_t* p = out.text;
    if (v < 0 && n != 0) *p++ = L'-';  // never "-0.000"
    if (units >= 100) {
        *p++ = static_cast<wchar_t>(L'0' + units / 100);
        p[0] = kDigitPairs.pair[units % 100][0], p[1] = kDigitPairs.pair[units % 100][1];
        p += 2;
    } else if (units >= 10) {
        p[0] = kDigitPairs.pair[units][0], p[1] = kDigitPairs.pair[units][1];
        p += 2;
    } else {
        *p++ = static_cast<wchar_t>(L'0' + units);
    }
    wchar_t const* const low = kDigitPairs.pair[thousandths % 100];
    p[0] = L'.', p[1] = static_cast<wchar_t>(L'0' + thousandths / 100), p[2] = low[0], p[3] = low[1];
    out.length = static_cast<int>(p + 4 - out.text);
    return true;
}

int CountSignificant(Into const& out) {
    int significant = 0;
    bool leading = true;
    for (int i = 0; i < out.length; ++i) {
        wchar_t const c = out.text[i];
        if (c < L'0' || c > L'9' || (leading && c == L'0')) continue;
        leading = false;
        ++significant;
    }
    return significant;
}

void Significant(double v, int figures, Into& out) {
    if (NonFinite(v, out)) return;
    double const a = std::fabs(v);
    if (a == 0.0 && figures >= 1 && figures <= 13) {  // "0.000" (figures - 1 decimals; never "-0.000")
        out.length = 0;
        out.text[out.length++] = L'0';
        if (figures > 1) out.text[out.length++] = L'.';
        for (int i = 1; i < figures; ++i) out.text[out.length++] = L'0';
        return;
    }
    if (a == 0.0) {
        Fixed(0.0, figures - 1, out);
        return;
    }
    if (a >= 1e12 || a < 1e-6) return Chars(v, std::chars_format::scientific, figures - 1, out);
    int const magnitude = Magnitude(a);
    if (figures == 4 && FourFigures(v, a, magnitude, out)) return;
    int const decimals = std::max(0, figures - 1 - magnitude);
    int significant = FixedByInteger(v, decimals, out, figures);  // finite, under 1e12
    if (significant < 0) significant = Fixed(v, decimals, out);
    // Rounding may carry into a new digit (9.9995 -> 10.000, 0.099996 ->
    // 0.10000): one significant figure too many, so drop one decimal.
    if (decimals > 0 && (significant >= 0 ? significant : CountSignificant(out)) > figures) Fixed(v, decimals - 1, out);
}

}  // namespace

// Writes into a number's own characters.
struct NumberWriter {
    static Into To(CNumberText& n) { return Into{n.m_text}; }
    static void Done(CNumberText& n, Into const& into) { n.m_length = static_cast<std::size_t>(into.length); }
};

namespace {

// The number with its unit; the unit's length is known when compiled.
// (At most 1 + 12 + 1 + 9 characters for the number: under CNumberText's room with any unit here.)
template <std::size_t N>
CNumberText WithUnit(double v, double scale, wchar_t const (&unit)[N]) {
    CNumberText text;
    Into n = NumberWriter::To(text);
    if (!NonFinite(v, n)) {
        Significant(v * scale, 4, n);
        n.text[n.length++] = L' ';
        std::memcpy(n.text + n.length, unit, (N - 1) * sizeof(wchar_t));  // a copy of a size known when compiled
        n.length += static_cast<int>(N - 1);
    }
    NumberWriter::Done(text, n);
    return text;
}

}  // namespace

CNumberText::CNumberText(wchar_t const* text, std::size_t length) : m_length(std::min(length, kCapacity)) {
    std::copy(text, text + m_length, m_text);
}

CString& operator+=(CString& a, CNumberText const& b) { return a.append(b.data(), b.size()); }

char* FixedAsPrintf(char* out, double v, int decimals) {
    IntoOf<char> into{out};
    return FixedByInteger(v, decimals, into, decimals + 1, true) < 0 ? nullptr : out + into.length;
}

CString CDesFormat::Fixed(double v, int decimals) {
    NumberText n;
    Util::Fixed(v, decimals, n.into);
    return n.Str();
}

CString CDesFormat::Significant(double v, int figures) {
    NumberText n;
    Util::Significant(v, figures, n.into);
    return n.Str();
}

CNumberText CDesFormat::Length(double const& m) const { return WithUnit(m, 1.0, L"m"); }
CNumberText CDesFormat::LengthSmall(double const& m) const { return WithUnit(m, 1e3, L"mm"); }
CNumberText CDesFormat::AreaCS(double const& m2) const { return WithUnit(m2, 1e6, L"mm²"); }
CNumberText CDesFormat::LCubed(double const& m3) const { return WithUnit(m3, 1e6, L"x10³ mm³"); }
CNumberText CDesFormat::LFourth(double const& m4) const { return WithUnit(m4, 1e6, L"x10⁶ mm⁴"); }
CNumberText CDesFormat::LSixth(double const& m6) const { return WithUnit(m6, 1e9, L"x10⁹ mm⁶"); }
CNumberText CDesFormat::Force(double const& n) const { return WithUnit(n, 1e-3, L"kN"); }
CNumberText CDesFormat::Moment(double const& nm) const { return WithUnit(nm, 1e-3, L"kN·m"); }
CNumberText CDesFormat::Stress(double const& pa) const { return WithUnit(pa, 1e-6, L"MPa"); }

CNumberText CDesFormat::NoDim(double const& v) const {
    CNumberText text;  // at most 1 + 12 + 1 + 3 characters
    Into n = NumberWriter::To(text);
    if (!ThreeDecimals(v, n)) Util::Fixed(v, 3, n);
    NumberWriter::Done(text, n);
    return text;  // the named number returned in place (a reference returned would be copied)
}

CNumberText CDesFormat::Util(double const& v) const { return NoDim(v); }

CNumberText CDesFormat::Int(int v) const {
    wchar_t text[16];
    wchar_t* end = text + 16;
    wchar_t* p = end;
    unsigned long long u = v < 0 ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    do *--p = static_cast<wchar_t>(L'0' + u % 10);
    while ((u /= 10) != 0);
    if (v < 0) *--p = L'-';
    return CNumberText(p, static_cast<std::size_t>(end - p));
}

}  // namespace Corvid::Util
