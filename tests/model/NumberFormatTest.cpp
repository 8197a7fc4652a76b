#include "model/NumberFormat.h"

#include <cfloat>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using NumberFormat::EqualsF, NumberFormat::Fixed, NumberFormat::General15,
    NumberFormat::ParseInteger, NumberFormat::ParseNumber, NumberFormat::Sci4;

TEST(NumberFormat, GeneralFormatOfFilesAndExports) {
    struct Case {
        double x;
        const char* text;
    };
    for (const Case& c :
         {Case{57, "57"}, Case{0.5, "0.5"}, Case{101.325, "101.325"}, Case{0.1 + 0.2, "0.3"},
          Case{-2.5, "-2.5"}, Case{0.0001, "0.0001"}, Case{1e-7, "1E-7"}, Case{1.5e20, "1.5E20"},
          Case{-1.234e-5, "-1.234E-5"}, Case{123456789012345678.0, "1.23456789012346E17"}}) {
        EXPECT_EQ(General15(c.x), c.text);
    }
}

TEST(NumberFormat, GeneralFormatReadsBackEvenNextToTheLargestDouble) {
    for (double x : {DBL_MAX, -DBL_MAX, 1.7976931348623e308, DBL_MIN, 5e-324, 1.0 / 3.0}) {
        const auto back = ParseNumber(General15(x));
        ASSERT_TRUE(back.has_value()) << General15(x);
        EXPECT_NEAR(*back, x, std::fabs(x) * 1e-14);
    }
}

TEST(NumberFormat, FixedScientificAndEqualsTexts) {
    EXPECT_EQ(Fixed(85.234, 2), "85.23");
    EXPECT_EQ(Fixed(2.0, 4), "2.0000");
    EXPECT_EQ(Sci4(1.81357e-5), "1.814E-05");
    EXPECT_EQ(Sci4(6.8753e-10), "6.875E-10");
    EXPECT_EQ(EqualsF(85.234), "= 85.23");
}

TEST(NumberFormat, DecimalPointWhateverTheLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no German locale here";
    EXPECT_EQ(Fixed(1.5, 1), "1.5");
    EXPECT_EQ(General15(0.25), "0.25");
    EXPECT_EQ(ParseNumber("0.25"), 0.25);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberFormat, ParsingIsStrict) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    for (const Case& c :
         {Case{"1.5", 1.5}, Case{" 2.5 ", 2.5}, Case{"1e3", 1000.0}, Case{"+3", 3.0},
          Case{"-0.5", -0.5}, Case{"1,5", 1.5}, Case{"", std::nullopt}, Case{"abc", std::nullopt},
          Case{"1.2.3", std::nullopt}, Case{"1,2,3", std::nullopt}, Case{"1.5x", std::nullopt},
          Case{"nan", std::nullopt}, Case{"inf", std::nullopt}, Case{"1e999", std::nullopt},
          Case{"+-1", std::nullopt}, Case{"1.5,2", std::nullopt}}) {
        EXPECT_EQ(ParseNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(NumberFormat, IntegersAreWhole32BitNumbers) {
    EXPECT_EQ(ParseInteger(" 42 "), 42);
    EXPECT_EQ(ParseInteger("-7"), -7);
    EXPECT_EQ(ParseInteger("+7"), 7);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    for (const char* bad : {"", "4.0", "2147483648", "12a", "+-3", "0x10"})
        EXPECT_FALSE(ParseInteger(bad).has_value()) << bad;
}

} // namespace
