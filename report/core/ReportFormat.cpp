#include "report/core/ReportFormat.h"

#include "model/NumberFormat.h"

#include <cmath>
#include <fmt/format.h>

namespace EngReport::Format {

std::string Num(double x, int decimals) {
    if (!std::isfinite(x))
        return "invalid";
    if (std::fabs(x) >= 1e9)
        return NumberFormat::Sci4(x);
    return NumberFormat::Fixed(x, decimals);
}

std::string Pct(double fraction) {
    return Num(100.0 * fraction, 2);
}

std::string PctUnit(double fraction) {
    const std::string p = Pct(fraction);
    return p == "invalid" ? p : p + " %";
}

std::string Entered(double x) {
    if (!std::isfinite(x))
        return "invalid";
    return NumberFormat::General(x, 7);
}

std::string Size(double um) {
    return std::isfinite(um) ? Entered(um) + " " + Micro : "invalid";
}

std::string Sig3(double x) {
    if (!std::isfinite(x))
        return "invalid";
    if (x == 0)
        return "0";
    const double mag = std::fabs(x);
    if (mag >= 1e9 || mag < 1e-4)
        return NumberFormat::Sci4(x);
    // Three significant digits, written without an exponent.
    const int digits = static_cast<int>(std::floor(std::log10(mag))) + 1;
    return NumberFormat::Fixed(x, std::max(0, 3 - digits));
}

} // namespace EngReport::Format
