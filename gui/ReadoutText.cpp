#include "gui/ReadoutText.h"

#include "model/NumberFormat.h"

#include <cmath>

QString FixedFiveTwo(double x) {
    if (!std::isfinite(x))
        return QString::fromStdString(NumberFormat::General15(x));
    if (x == 0.0)
        return QStringLiteral("0.00");
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(x))));
    if (exponent >= 5)
        return QString::number(x, 'E', 4);
    const double unit = std::pow(10.0, exponent - 4);
    const double rounded = std::round(x / unit) * unit;
    // Rounding may carry into a sixth digit before the point (99999.7 -> 100000).
    if (std::fabs(rounded) >= 1e5)
        return QString::number(x, 'E', 4);
    return QString::fromStdString(NumberFormat::Fixed(rounded, 2));
}
