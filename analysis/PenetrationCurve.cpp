#include "analysis/PenetrationCurve.h"

#include "analysis/LineTransmission.h"

#include <cmath>

namespace Analysis {

std::vector<float> LogSpacedSizes(double from, double to, int points) {
    std::vector<float> sizes;
    if (points < 1 || !(from > 0) || !(to > 0) || !std::isfinite(from) || !std::isfinite(to))
        return sizes;
    sizes.reserve(static_cast<std::size_t>(points));
    const double a = std::log(from);
    const double b = std::log(to);
    for (int k = 0; k < points; ++k) {
        // The ends exactly as given, not as exp(log(x)) rounds them.
        const double d = k == 0              ? from
                         : k == points - 1   ? to
                                             : std::exp(a + (b - a) * k / (points - 1));
        sizes.push_back(static_cast<float>(d));
    }
    return sizes;
}

PenetrationCurve ComputePenetrationCurve(const LodoList& line, std::span<const float> sizes) {
    PenetrationCurve curve;
    curve.Dp.assign(sizes.begin(), sizes.end());
    curve.Names.reserve(line.size());
    for (const TLodoComp& c : line)
        curve.Names.push_back(c.Name);
    const LineTransmission eval(line);
    const std::size_t n = line.size();
    curve.Trans.resize(sizes.size() * n);
    curve.System.resize(sizes.size());
    for (std::size_t k = 0; k < sizes.size(); ++k)
        curve.System[k] = eval.At(sizes[k], std::span<double>(curve.Trans).subspan(k * n, n));
    return curve;
}

} // namespace Analysis
