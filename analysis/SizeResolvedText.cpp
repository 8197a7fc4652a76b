#include "analysis/SizeResolvedText.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

namespace Analysis {

std::string DiameterText(double um) {
    if (!std::isfinite(um) || um <= 0)
        return "invalid";
    // Decimals for three significant digits; a value that rounds up to the next
    // decade (99.96) keeps one decimal fewer.
    int decimals = std::max(0, 2 - static_cast<int>(std::floor(std::log10(um))));
    const double scale = std::pow(10.0, decimals);
    if (decimals > 0 && std::round(um * scale) / scale >= std::pow(10.0, 3 - decimals))
        --decimals;
    return fmt::format("{:.{}f}", um, decimals);
}

std::string PercentText(double fraction) {
    const double p = 100 * fraction;
    return std::isfinite(p) ? fmt::format("{:.2f} %", p) : "invalid";
}

std::string StripLine(const SizeResolvedSummary& s, bool logNormal) {
    const std::string d50 = s.D50 ? DiameterText(*s.D50) + " \u00B5m" : "none";
    if (!logNormal)
        return "Cut size d50 = " + d50;
    if (!s.Distribution)
        return "Size-resolved: invalid distribution, d50 " + d50;
    return "Size-resolved: mass " + PercentText(s.Distribution->MassPenetration) + ", number " +
           PercentText(s.Distribution->NumberPenetration) + ", d50 " + d50;
}

} // namespace Analysis
