#pragma once
// The one tolerance helper of the test suite.
#include <gtest/gtest.h>

#include <cmath>

namespace s16test {

// Relative tolerance for values computed by closed formulas: floating-point
// noise only.
inline constexpr double kRel = 1e-9;

// True when a and b agree within rel (relative to the larger magnitude) or
// both are the same infinity.
inline ::testing::AssertionResult Near(double a, double b, double rel = kRel) {
    if (std::isinf(a) || std::isinf(b)) {
        if (a == b) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << a << " != " << b;
    }
    double const scale = std::max(std::fabs(a), std::fabs(b));
    double const diff = std::fabs(a - b);
    if (diff <= rel * scale || diff <= 1e-300) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a << " vs " << b << " (relative difference " << diff / scale
                                         << ", allowed " << rel << ")";
}

}  // namespace s16test

#define EXPECT_REL(a, b) EXPECT_TRUE(::s16test::Near((a), (b)))
#define EXPECT_REL_TOL(a, b, tol) EXPECT_TRUE(::s16test::Near((a), (b), (tol)))
