#include "analysis/CurveCsv.h"

#include <cmath>
#include <fmt/format.h>

namespace Analysis {
namespace {

// A name a spreadsheet would run as a formula (=, +, -, @ first) is kept as text
// by a leading apostrophe; the rest is quoted as CSV quotes.
std::string Field(std::string s) {
    if (!s.empty() && std::string_view("=+-@\t\r").find(s.front()) != std::string_view::npos)
        s.insert(0, 1, '\'');
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return s;
    std::string q = "\"";
    for (const char c : s)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

std::string Number(double v) {
    return std::isfinite(v) ? fmt::format("{}", v) : std::string("nan");
}

} // namespace

std::string CurveCsv(const PenetrationCurve& c) {
    std::string out = "Dp_um";
    for (const std::string& n : c.Names)
        out += "," + Field(n);
    out += ",System\n";
    for (std::size_t k = 0; k < c.Dp.size(); ++k) {
        out += fmt::format("{}", c.Dp[k]);
        for (std::size_t i = 0; i < c.Components(); ++i)
            out += "," + Number(c.At(k, i));
        out += "," + Number(c.System[k]) + "\n";
    }
    return out;
}

} // namespace Analysis
