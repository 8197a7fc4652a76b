#include "model/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fmt/format.h>

namespace NumberFormat {
namespace {

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string Fixed(double x, int decimals) {
    return fmt::format("{:.{}f}", x, decimals);
}

std::string Sci4(double x) {
    return fmt::format("{:.3E}", x);
}

std::string General15(double x) {
    return General(x, 15);
}

std::string General(double x, int digits) {
    if (!std::isfinite(x))
        return fmt::format("{}", x);
    std::string s = fmt::format("{:.{}G}", x, digits);
    // Next to the largest double, rounding overflows: such a text would not read
    // back, so write the shortest exact form instead.
    if (!std::isfinite(std::strtod(s.c_str(), nullptr)))
        s = fmt::format("{:.17G}", x);
    // Shorten the exponent as the general format of the program shows it: "1E-7".
    const auto e = s.find('E');
    if (e == std::string::npos)
        return s;
    std::string mantissa = s.substr(0, e);
    std::string exponent = s.substr(e + 1);
    std::string sign;
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
        if (exponent[0] == '-')
            sign = "-";
        exponent.erase(0, 1);
    }
    exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
    return mantissa + "E" + sign + exponent;
}

std::string EqualsF(double x) {
    return "= " + Fixed(x, 2);
}

std::optional<double> ParseNumber(std::string_view text) {
    std::string s(Trim(text));
    if (s.empty())
        return std::nullopt;
    if (s.find('.') == std::string::npos) {
        const auto comma = s.find(',');
        if (comma != std::string::npos) {
            if (s.find(',', comma + 1) != std::string::npos)
                return std::nullopt;
            s[comma] = '.';
        }
    }
    std::size_t start = (s[0] == '+') ? 1 : 0;
    if (start == 1 && s.size() > 1 && (s[1] == '-' || s[1] == '+'))
        return std::nullopt;
    double value = 0;
    const char* first = s.data() + start;
    const char* last = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    std::string_view s = Trim(text);
    if (!s.empty() && s[0] == '+') {
        s.remove_prefix(1);
        if (!s.empty() && (s[0] == '-' || s[0] == '+'))
            return std::nullopt;
    }
    if (s.empty())
        return std::nullopt;
    std::int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || ptr != s.data() + s.size())
        return std::nullopt;
    return value;
}

} // namespace NumberFormat
