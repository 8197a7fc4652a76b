#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Number texts of the program. The decimal separator is always ".", whatever the
// locale.
namespace NumberFormat {

// Fixed-point with n decimals: Fixed(85.234, 2) == "85.23".
std::string Fixed(double x, int decimals);

// Scientific with 4 significant digits and at least 2 exponent digits: "1.8136E-05".
std::string Sci4(double x);

// General format with up to `digits` significant digits (1..17), trailing zeros
// dropped, "E" exponent without "+" or leading zeros. A value whose rounding would
// overflow (next to the largest double) is written exactly instead, so that every
// text reads back.
std::string General(double x, int digits);

// General format, up to 15 significant digits, trailing zeros dropped, no separator
// for whole values, "E" exponent only for very small or very large magnitudes:
// General15(0.5) == "0.5", General15(57) == "57", General15(1e-7) == "1E-7".
std::string General15(double x);

// "= %f": "= " followed by Fixed(x, 2).
std::string EqualsF(double x);

// Parses a whole number text (surrounding blanks allowed). "," is accepted as the
// decimal separator when the text has no "." (files written under a comma locale).
// Non-finite values and trailing garbage are rejected.
std::optional<double> ParseNumber(std::string_view text);

// Parses a whole 32-bit integer text (surrounding blanks allowed, optional sign).
std::optional<std::int32_t> ParseInteger(std::string_view text);

} // namespace NumberFormat
