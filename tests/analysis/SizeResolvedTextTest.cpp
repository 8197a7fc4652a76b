#include "analysis/SizeResolvedText.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Analysis;

namespace {

TEST(SizeResolvedText, DiameterToThreeSignificantDigits) {
    const struct {
        double um;
        const char* text;
    } cases[] = {{12.34, "12.3"},  {0.04567, "0.0457"}, {123.4, "123"}, {1000.0, "1000"},
                 {99.96, "100"},   {9.996, "10.0"},     {1.0, "1.00"},  {0.001, "0.00100"},
                 {NAN, "invalid"}, {0.0, "invalid"}};
    for (const auto& c : cases)
        EXPECT_EQ(DiameterText(c.um), c.text) << c.um;
}

TEST(SizeResolvedText, StripLines) {
    SizeResolvedSummary s;
    s.D50 = 12.3;
    EXPECT_EQ(StripLine(s, false), "Cut size d50 = 12.3 \u00B5m");
    SizeResolvedResult r;
    r.MassPenetration = 0.75489;
    r.NumberPenetration = 0.98431;
    s.Distribution = r;
    EXPECT_EQ(StripLine(s, true), "Size-resolved: mass 75.49 %, number 98.43 %, d50 12.3 \u00B5m");
    s.D50.reset();
    EXPECT_EQ(StripLine(s, false), "Cut size d50 = none");
}

} // namespace
