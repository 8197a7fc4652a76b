#include "studies/engine/LogNormalPlot.h"

#include "TestPrecision.h"
#include "physics/LodoMath.h"

#include <gtest/gtest.h>

namespace {

TEST(LogNormalPlot, FiftySizesFromTheLowerBoundInLinearSteps) {
    // Median 5 um, deviation 2.5: sizes from 5 / 2.5^3 = 0.32 um in steps of
    // (78.125 - 0.32) / 50 = 1.5561 um, stopping one step short of 78.125 um.
    const auto LNArr = LogNormalPlot(5.0f, 2.5f);
    ASSERT_EQ(LNArr.size(), 50u);
    EXPECT_REL_NEAR(LNArr.front().Dp, 0.32, 1e-12);
    EXPECT_REL_NEAR(LNArr[1].Dp - LNArr[0].Dp, 1.5561, 1e-9);
    EXPECT_REL_NEAR(LNArr.back().Dp, 0.32 + 49 * 1.5561, 1e-9);
    EXPECT_LT(LNArr.back().Dp, 78.125);
    for (const LNPoint& p : LNArr)
        EXPECT_REL_NEAR(p.Density, LodoMath::LogNormalF(p.Dp, 5.0, 2.5) * 100.0, 1e-14);
}

TEST(LogNormalPlot, WindowValuesAreWidenedFromSinglePrecision) {
    // 0.1f is not 0.1: the plot works from the stored single-precision values.
    const auto LNArr = LogNormalPlot(0.1f, 2.0f);
    EXPECT_EQ(LNArr.front().Dp, static_cast<double>(0.1f) / 8.0);
}

} // namespace
