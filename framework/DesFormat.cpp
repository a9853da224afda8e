#include "DesFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace Corvid::Util {

namespace {

// Room a number's string is given: the report line it goes into is built
// around it in place (text before it inserted, after it appended), mostly
// without taking a larger block.
constexpr std::size_t kLineRoom = 64;

// A number's text is built in a small buffer and becomes a string once.
struct NumberText {
    wchar_t text[420];  // room for any fixed-point double
    int length = 0;
    CString Str() const {
        CString s;
        s.reserve(std::max(kLineRoom, static_cast<std::size_t>(length)));
        s.append(text, static_cast<std::size_t>(length));
        return s;
    }
};

bool NonFinite(double v, NumberText& out) {
    wchar_t const* word = nullptr;
    if (std::isnan(v)) word = L"NaN";
    else if (std::isinf(v)) word = v > 0 ? L"infinity" : L"-infinity";
    if (!word) return false;
    out.length = 0;
    while (*word) out.text[out.length++] = *word++;
    return true;
}

// The characters to_chars writes (correctly rounded, plain ASCII).
void Chars(double v, std::chars_format format, int precision, NumberText& out) {
    char buf[400];
    auto const r = std::to_chars(buf, buf + sizeof buf, v, format, precision);
    out.length = 0;
    for (char const* c = buf; c != r.ptr; ++c) out.text[out.length++] = static_cast<wchar_t>(*c);
}

// Fixed-point text from the integer nearest to |v| 10^decimals, the same as
// to_chars gives; false when the product is too large or lies too close to
// a rounding tie for its own rounding error to be ignored.
bool FixedByInteger(double v, int decimals, NumberText& out) {
    static double const kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
    if (decimals < 0 || decimals > 12) return false;
    double const x = std::fabs(v) * kPow10[decimals];
    if (!(x < 1e15)) return false;
    double const whole = std::floor(x);
    double const fraction = x - whole;
    if (std::fabs(fraction - 0.5) < 1e-9 * std::max(1.0, x)) return false;
    auto r = static_cast<unsigned long long>(whole) + (fraction > 0.5 ? 1u : 0u);
    bool const negative = v < 0 && r != 0;  // never a negative zero such as "-0.000"
    wchar_t digits[32];
    int n = 0;
    do {
        digits[n++] = static_cast<wchar_t>(L'0' + r % 10);
        r /= 10;
    } while (r != 0 || n <= decimals);
    out.length = 0;
    if (negative) out.text[out.length++] = L'-';
    for (int i = n - 1; i >= 0; --i) {
        out.text[out.length++] = digits[i];
        if (i == decimals && decimals > 0) out.text[out.length++] = L'.';
    }
    return true;
}

void Fixed(double v, int decimals, NumberText& out) {
    if (NonFinite(v, out)) return;
    if (std::fabs(v) >= 1e12) return Chars(v, std::chars_format::scientific, 3, out);
    if (FixedByInteger(v, decimals, out)) return;
    Chars(v, std::chars_format::fixed, decimals, out);
    // Never print a negative zero such as "-0.000".
    bool zero = true;
    for (int i = 1; i < out.length; ++i) zero = zero && (out.text[i] == L'0' || out.text[i] == L'.');
    if (out.length > 0 && out.text[0] == L'-' && zero) {
        std::copy(out.text + 1, out.text + out.length, out.text);
        --out.length;
    }
}

// floor(log10(a)) for 1e-6 <= a < 1e12, by comparison with the powers of
// ten; within 1e-12 of a power of ten, where a comparison and log10 could
// round apart, log10 decides as before (elsewhere log10, correct within an
// ulp, cannot cross an integer).
int Magnitude(double a) {
    static double const kPow10[] = {1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3,
                                    1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12};
    int i = 0;  // kPow10[i] <= a < kPow10[i + 1]
    while (i < 17 && a >= kPow10[i + 1]) ++i;
    if (a < kPow10[i] * (1.0 + 1e-12) || a > kPow10[i + 1] * (1.0 - 1e-12))
        return static_cast<int>(std::floor(std::log10(a)));
    return i - 6;
}

void Significant(double v, int figures, NumberText& out) {
    if (NonFinite(v, out)) return;
    double const a = std::fabs(v);
    if (a == 0.0) return Fixed(0.0, figures - 1, out);
    if (a >= 1e12 || a < 1e-6) return Chars(v, std::chars_format::scientific, figures - 1, out);
    int const magnitude = Magnitude(a);
    int const decimals = std::max(0, figures - 1 - magnitude);
    Fixed(v, decimals, out);
    // Rounding may carry into a new digit (9.9995 -> 10.000, 0.099996 ->
    // 0.10000): one significant figure too many, so drop one decimal.
    if (decimals > 0) {
        int significant = 0;
        bool leading = true;
        for (int i = 0; i < out.length; ++i) {
            wchar_t const c = out.text[i];
            if (c < L'0' || c > L'9' || (leading && c == L'0')) continue;
            leading = false;
            ++significant;
        }
        if (significant > figures) Fixed(v, decimals - 1, out);
    }
}

CString WithUnit(double v, double scale, wchar_t const* unit) {
    NumberText n;
    if (NonFinite(v, n)) return n.Str();
    Significant(v * scale, 4, n);
    std::size_t const unitLength = std::char_traits<wchar_t>::length(unit);
    CString out;
    out.reserve(std::max(kLineRoom, static_cast<std::size_t>(n.length) + 1 + unitLength));
    out.append(n.text, static_cast<std::size_t>(n.length));
    out += L' ';
    out.append(unit, unitLength);
    return out;
}

}  // namespace

CString CDesFormat::Fixed(double v, int decimals) {
    NumberText n;
    Util::Fixed(v, decimals, n);
    return n.Str();
}

CString CDesFormat::Significant(double v, int figures) {
    NumberText n;
    Util::Significant(v, figures, n);
    return n.Str();
}

CString CDesFormat::Length(double const& m) const { return WithUnit(m, 1.0, L"m"); }
CString CDesFormat::LengthSmall(double const& m) const { return WithUnit(m, 1e3, L"mm"); }
CString CDesFormat::AreaCS(double const& m2) const { return WithUnit(m2, 1e6, L"mm²"); }
CString CDesFormat::LCubed(double const& m3) const { return WithUnit(m3, 1e6, L"x10³ mm³"); }
CString CDesFormat::LFourth(double const& m4) const { return WithUnit(m4, 1e6, L"x10⁶ mm⁴"); }
CString CDesFormat::LSixth(double const& m6) const { return WithUnit(m6, 1e9, L"x10⁹ mm⁶"); }
CString CDesFormat::Force(double const& n) const { return WithUnit(n, 1e-3, L"kN"); }
CString CDesFormat::Moment(double const& nm) const { return WithUnit(nm, 1e-3, L"kN·m"); }
CString CDesFormat::Stress(double const& pa) const { return WithUnit(pa, 1e-6, L"MPa"); }
CString CDesFormat::NoDim(double const& v) const { return Fixed(v, 3); }
CString CDesFormat::Util(double const& v) const { return Fixed(v, 3); }
CString CDesFormat::Int(int v) const { return std::to_wstring(v); }

}  // namespace Corvid::Util
