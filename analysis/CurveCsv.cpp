#include "analysis/CurveCsv.h"

#include "model/TextSafety.h"

#include <cmath>
#include <fmt/format.h>

namespace Analysis {
namespace {

std::string Number(double v) {
    return std::isfinite(v) ? fmt::format("{}", v) : std::string("nan");
}

} // namespace

std::string CurveCsv(const PenetrationCurve& c) {
    std::string out = "Dp_um";
    for (const std::string& n : c.Names)
        out += "," + TextSafety::CsvField(n);
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
