#include "analysis/PenetrationCurve.h"

#include "analysis/SizeTable.h"

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
        const double d = k == 0            ? from
                         : k == points - 1 ? to
                                           : std::exp(a + (b - a) * k / (points - 1));
        sizes.push_back(static_cast<float>(d));
    }
    return sizes;
}

PenetrationCurve ComputePenetrationCurve(const LodoList& line, std::span<const float> sizes,
                                         const LodoMath::ParticleProperties& particle) {
    SizeTable table(line, particle);
    return ComputePenetrationCurve(line, sizes, table);
}

PenetrationCurve ComputePenetrationCurve(const LodoList& line, std::span<const float> sizes,
                                         SizeTable& table) {
    PenetrationCurve curve;
    curve.Dp.assign(sizes.begin(), sizes.end());
    curve.Names.reserve(line.size());
    for (const TLodoComp& c : line)
        curve.Names.push_back(c.Name);
    curve.Trans.reserve(sizes.size() * line.size());
    curve.System.reserve(sizes.size());
    for (const float d : sizes) {
        const SizeTable::Values v = table.At(d);
        curve.Trans.insert(curve.Trans.end(), v.Trans.begin(), v.Trans.end());
        curve.System.push_back(v.System);
    }
    return curve;
}

} // namespace Analysis
