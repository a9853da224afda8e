#pragma once
// Actions of a span read the way the member checks of CSA S16-09 read them.
#include <algorithm>
#include <cmath>

#include "framework/Span.h"

namespace Corvid::Steel::SteelCSAS1609 {

// Axial compression Cu of a span: the smaller end force of its minimum-action
// sub-span, compression positive, 0 for tension.
inline double SpanCompression(CSpan const& span) { return std::max(0.0, -span.MinComponent(false, 0)); }

// CSA S16-09 cl. 13.6(a), 13.8.4: kappa, the ratio of the smaller to the
// larger end moment M1, M2, positive for double curvature and negative for
// single curvature. A smaller end moment below 0.001 N.m counts as none
// (kappa = 0, and never 0/0): the round-off moments of a member without
// bending must not swing omega1 or omega2 across their range.
inline constexpr double kNoEndMoment = 0.001;  // N.m
inline double EndMomentRatio(double M1, double M2, bool doubleCurvature) {
    double const small = std::min(std::fabs(M1), std::fabs(M2));
    double const large = std::max(std::fabs(M1), std::fabs(M2));
    if (small < kNoEndMoment) return 0.0;
    return (doubleCurvature ? 1.0 : -1.0) * small / large;
}

}  // namespace Corvid::Steel::SteelCSAS1609
