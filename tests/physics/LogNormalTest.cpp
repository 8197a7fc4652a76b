// Log-normal weights and the flow-split correlation.

#include "PhysicsTestSupport.h"
#include "TestPrecision.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <gtest/gtest.h>

using LodoMath::LogNormalCDF, LodoMath::LogNormalF, LodoMath::SplitR, LodoMath::Vel;

namespace {

// Values of the log-normal density and of its cumulative with the closed-form error
// function (2/pi) atan(2x(1 + x^4)), as defined, evaluated independently to six
// significant digits: median 10, geometric standard deviation 2.
TEST(LogNormal, ReferenceValues) {
    EXPECT_REL_NEAR(LogNormalCDF(20, 10, 2), 0.836132, TestPrecision::SixDigits);
    EXPECT_REL_NEAR(LogNormalCDF(5, 10, 2), 0.163868, TestPrecision::SixDigits);
    EXPECT_REL_NEAR(LogNormalF(10, 10, 2), 0.0575552, TestPrecision::SixDigits);
    EXPECT_REL_NEAR(LogNormalF(20, 10, 2), 0.0174545, TestPrecision::SixDigits);
}

TEST(LogNormal, CumulativeIsExactlyHalfAtTheMedianAndSymmetric) {
    for (double Sigma : {1.05, 1.5, 2.0, 2.5, 4.0}) {
        for (double Dpm : {0.3, 5.0, 10.0}) {
            EXPECT_EQ(LogNormalCDF(Dpm, Dpm, Sigma), 0.5) << Sigma << " " << Dpm;
            EXPECT_NEAR(LogNormalCDF(Dpm * 3, Dpm, Sigma) + LogNormalCDF(Dpm / 3, Dpm, Sigma), 1.0,
                        1e-14);
        }
    }
}

// The approximate error function stays within about 0.02 of the exact one, and the
// cumulative runs monotonically from 0 to 1.
TEST(LogNormal, CumulativeApproximationCloseToExactAndMonotonic) {
    double previous = 0;
    for (double Dp = 0.01; Dp < 10000; Dp *= 1.05) {
        const double cdf = LogNormalCDF(Dp, 10, 2);
        const double exact =
            0.5 * (1 + std::erf(std::log(Dp / 10) / (std::sqrt(2.0) * std::log(2.0))));
        EXPECT_NEAR(cdf, exact, 0.011) << Dp; // (1 + erf)/2 halves the 0.02 of erf
        EXPECT_GE(cdf, previous) << Dp;
        previous = cdf;
    }
    EXPECT_LT(LogNormalCDF(0.01, 10, 2), 1e-4);
    EXPECT_GT(LogNormalCDF(10000, 10, 2), 1 - 1e-4);
}

TEST(LogNormal, DensityIntegratesToOne) {
    double sum = 0;
    const double step = 1.001;
    for (double Dp = 1e-3; Dp < 1e5; Dp *= step)
        sum += LogNormalF(Dp, 10, 2.5) * Dp * (step - 1);
    EXPECT_NEAR(sum, 1.0, 2e-3);
}

// Values of the empirical wye correlation as defined, evaluated independently to five
// significant digits: 25 degC and 101.325 kPa, 10 um particles entering a 38.1 mm inlet
// at 57 L/min.
TEST(SplitR, ReferenceValues) {
    const double V = Vel(38.1, 57);
    EXPECT_REL_NEAR(SplitR(25, P0, 10, V, 38.1, 30), 0.98944, TestPrecision::FiveDigits);
    EXPECT_REL_NEAR(SplitR(25, P0, 10, V, 38.1, 90), 0.98246, TestPrecision::FiveDigits);
    // Vanishing Stokes number, straight through: exp(A + b + e + h).
    EXPECT_REL_NEAR(SplitR(25, P0, 1e-6, V, 38.1, 0), 0.99104, TestPrecision::FiveDigits);
}

// The constants are single-precision values: the zero-Stokes, zero-angle limit is
// exp of their float-rounded sum, which differs from the decimal sum in the 8th digit.
TEST(SplitR, ConstantsCarrySinglePrecisionRounding) {
    const double floatSum = double(-2.635f) + double(2.623f) + double(2.291f) + double(-2.288f);
    const double limit = SplitR(25, P0, 10, 0, 38.1, 0); // no flow: Stk = 0
    EXPECT_REL_NEAR(limit, std::exp(floatSum), 1e-15);
    EXPECT_NE(limit, std::exp(-2.635 + 2.623 + 2.291 - 2.288));
}

} // namespace
