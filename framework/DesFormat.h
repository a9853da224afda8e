#pragma once
// Number formatter of the report: SI values in, engineering units out.
#include "CString.h"

namespace Corvid::Util {

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

    CString Length(double const& m) const;        // m
    CString LengthSmall(double const& m) const;   // mm
    CString AreaCS(double const& m2) const;       // mm²
    CString LCubed(double const& m3) const;       // 10³ mm³
    CString LFourth(double const& m4) const;      // 10⁶ mm⁴
    CString LSixth(double const& m6) const;       // 10⁹ mm⁶
    CString Force(double const& n) const;         // kN
    CString Moment(double const& nm) const;       // kN·m
    CString Stress(double const& pa) const;       // MPa
    CString NoDim(double const& v) const;         // plain, 3 decimals
    CString Util(double const& v) const;          // plain, 3 decimals
    CString Int(int v) const;

    // Plain number helpers shared by the operations above.
    static CString Significant(double v, int figures);
    static CString Fixed(double v, int decimals);
};

}  // namespace Corvid::Util
