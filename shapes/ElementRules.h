#pragma once
// Width-to-thickness rules of CSA S16-09 cl. 11.2 (Table 1 and 2), shared
// by the shape calculators. In every rule s = sqrt(Fy) with Fy in MPa; a
// ratio exactly on a limit takes the better class.
#include <algorithm>
#include <cstdint>
#include <utility>

#include "framework/ResultFlags.h"
#include "section/CSA_S16_09Section.h"

namespace Corvid::Steel::SteelCSAS1609::detail {

using BC = CCSA_S16_09Section::BucklingClass;

// Flange outstand: 145/s, 170/s, L3/s (L3 = 200, or 340 for an I-flange in
// minor-axis bending under CSA S16-14).
inline BC OutstandRule(double ratio, double s, double L3) {
    if (145.0 / s >= ratio) return BC::Class1;
    if (170.0 / s >= ratio) return BC::Class2;
    if (L3 / s >= ratio) return BC::Class3;
    return BC::Class4;
}

// Web in flexure with axial compression, CSA S16-09 Table 2:
// (1 - 0.39 Cf/phiCy) 1100/s, (1 - 0.61 Cf/phiCy) 1700/s,
// (1 - 0.65 Cf/phiCy) 1900/s; r = Cf / phiCy keeps its sign (tension raises
// the limits).
inline BC WebFlexureRule(double ratio, double s, double r) {
    if ((1.0 - 0.39 * r) * 1100.0 / s >= ratio) return BC::Class1;
    if ((1.0 - 0.61 * r) * 1700.0 / s >= ratio) return BC::Class2;
    if ((1.0 - 0.65 * r) * 1900.0 / s >= ratio) return BC::Class3;
    return BC::Class4;
}

// Web in uniform compression, CSA S16-09 Table 1: 670/s (slender or not).
inline BC WebCompRule(double ratio, double s) { return 670.0 / s >= ratio ? BC::Class1 : BC::Class4; }

// Tee stem: 145/s, 170/s, 340/s (CSA S16-09 cl. 11.2, stems of tees).
inline BC StemRule(double ratio, double s) {
    if (145.0 / s >= ratio) return BC::Class1;
    if (170.0 / s >= ratio) return BC::Class2;
    if (340.0 / s >= ratio) return BC::Class3;
    return BC::Class4;
}

// Area of an I or channel lost in uniform compression (CSA S16-09
// cl. 13.3.3): the web (depth hw, thickness Tw) beyond 670/s and each flange,
// taken as two outstands of Bi/2, beyond 200/s.
inline double FlangedCompressionLoss(double s, double hw, double Tw, double B1, double T1, double B2, double T2) {
    double R = 0.0;
    if (hw / Tw > 670.0 / s) R += (hw - std::min(670.0 / s * Tw, hw)) * Tw;
    for (auto [Bi, Ti] : {std::pair{B1, T1}, std::pair{B2, T2}}) {
        double const b = Bi / 2.0;
        if (b / Ti > 200.0 / s) R += 2.0 * (b - std::min(200.0 / s * Ti, b)) * Ti;
    }
    return R;
}

inline bool IsSlender(BC c) { return c == BC::Class4 || c == BC::Invalid; }

// Raises a result flag (ResultFlags::kClass4Flange, kClass4Web or
// kClass4Section) when the class is 4 and a result is given.
inline void FlagClass4(CMemberResult* const result, BC c, std::uint32_t flag) {
    if (result && c == BC::Class4) result->AddFlags(flag);
}

}  // namespace Corvid::Steel::SteelCSAS1609::detail
