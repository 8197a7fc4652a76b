#pragma once

#include <cmath>
#include <gtest/gtest.h>

// Relative tolerances for comparing computed values with published figures.
namespace TestPrecision {
inline constexpr double SixDigits = 5e-6;  // figures printed to 6 significant digits
inline constexpr double FiveDigits = 5e-5; // figures printed to 5 significant digits
inline constexpr double FifteenDigits = 1e-14;
} // namespace TestPrecision

// |actual - expected| <= rel * |expected| (absolute when expected is 0).
inline ::testing::AssertionResult RelNear(double actual, double expected, double rel) {
    const double scale = expected == 0.0 ? 1.0 : std::fabs(expected);
    if (std::fabs(actual - expected) <= rel * scale)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "actual " << actual << " differs from expected "
                                         << expected << " by more than " << rel << " relative";
}
#define EXPECT_REL_NEAR(actual, expected, rel) EXPECT_TRUE(RelNear((actual), (expected), (rel)))
