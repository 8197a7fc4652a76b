#include "analysis/CutSize.h"

#include "AnalysisTestLines.h"

#include <gtest/gtest.h>

using namespace Analysis;

namespace {

// The system penetration just below d50 is above 50 % and just above it is not,
// by the monodisperse evaluation; 0.1 % either side.
void ExpectBracketed(const LodoModel& m, double d50) {
    EXPECT_GT(AnalysisTest::MonoSystem(m, static_cast<float>(d50 * (1 - 1e-3))), 0.5);
    EXPECT_LE(AnalysisTest::MonoSystem(m, static_cast<float>(d50 * (1 + 1e-3))), 0.5);
}

TEST(CutSize, BracketsTheCrossingOfKnownLines) {
    using namespace TestLines;
    std::vector<LodoModel> lines;
    for (const std::string& name : AnalysisTest::Examples)
        lines.push_back(AnalysisTest::LoadExample(name));
    lines.push_back(Model({Tube(6.0, 4.0, 5.0, 0.0)}));      // settling
    lines.push_back(Model({Bend(10.0, 0.05, 60.0, 180.0)})); // inertial
    lines.push_back(AnalysisTest::MixedLine());
    for (const LodoModel& m : lines) {
        const auto d50 = CutSizeD50(m.List);
        ASSERT_TRUE(d50.has_value()) << m.List.front().Name;
        ExpectBracketed(m, *d50);
    }
}

// A long thin laminar tube loses the smallest particles to diffusion and the largest
// to settling: the d50 is the one above the curve's maximum, not the first crossing.
TEST(CutSize, TakesTheCrossingAboveTheMaximum) {
    using namespace TestLines;
    const LodoModel m = Model({Tube(2.0, 30.0, 0.5, 0.0)});
    ASSERT_LT(AnalysisTest::MonoSystem(m, 0.002f), 0.5);
    const auto d50 = CutSizeD50(m.List);
    ASSERT_TRUE(d50.has_value());
    EXPECT_GT(*d50, 0.1);
    ExpectBracketed(m, *d50);
}

TEST(CutSize, NoneWhenTheCurveNeverCrosses) {
    TLodoComp flat = TestLines::Base("X-1", "Other", 0);
    flat.TransM1 = 0.4; // never above 50 %
    EXPECT_FALSE(CutSizeD50(LodoList{flat}).has_value());
    flat.TransM1 = 0.9; // never falls to it
    EXPECT_FALSE(CutSizeD50(LodoList{flat}).has_value());
    EXPECT_FALSE(CutSizeD50(LodoList{}).has_value());
}

} // namespace
