#include "DesFormat.h"

#include <charconv>
#include <cmath>

namespace Corvid::Util {

namespace {

bool NonFinite(double v, CString& out) {
    if (std::isnan(v)) {
        out = L"NaN";
        return true;
    }
    if (std::isinf(v)) {
        out = v > 0 ? L"infinity" : L"-infinity";
        return true;
    }
    return false;
}

CString WithUnit(double v, double scale, wchar_t const* unit) {
    CString out;
    if (NonFinite(v, out)) return out;
    out = CDesFormat::Significant(v * scale, 4);
    out += L' ';
    out += unit;
    return out;
}

}  // namespace

namespace {
// The characters of a number as written by to_chars (plain ASCII).
CString Chars(double v, std::chars_format format, int precision) {
    char buf[400];  // room for any fixed-point double
    auto const r = std::to_chars(buf, buf + sizeof buf, v, format, precision);
    return CString(buf, r.ptr);
}
}  // namespace

CString CDesFormat::Fixed(double v, int decimals) {
    CString out;
    if (NonFinite(v, out)) return out;
    if (std::fabs(v) >= 1e12) return Chars(v, std::chars_format::scientific, 3);
    out = Chars(v, std::chars_format::fixed, decimals);
    // Never print a negative zero such as "-0.000".
    if (!out.empty() && out[0] == L'-' && out.find_first_not_of(L"-0.") == CString::npos)
        out.erase(0, 1);
    return out;
}

CString CDesFormat::Significant(double v, int figures) {
    CString out;
    if (NonFinite(v, out)) return out;
    double const a = std::fabs(v);
    if (a == 0.0) return Fixed(0.0, figures - 1);
    if (a >= 1e12 || a < 1e-6) return Chars(v, std::chars_format::scientific, figures - 1);
    int const magnitude = static_cast<int>(std::floor(std::log10(a)));
    int decimals = figures - 1 - magnitude;
    if (decimals < 0) decimals = 0;
    out = Fixed(v, decimals);
    // Rounding may carry into a new digit (9.9995 -> 10.000, 0.099996 ->
    // 0.10000): one significant figure too many, so drop one decimal.
    if (decimals > 0) {
        int significant = 0;
        bool leading = true;
        for (wchar_t c : out) {
            if (c < L'0' || c > L'9') continue;
            if (leading && c == L'0') continue;
            leading = false;
            ++significant;
        }
        if (significant > figures) out = Fixed(v, decimals - 1);
    }
    return out;
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
