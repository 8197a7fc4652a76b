#include "analysis/CutSize.h"

#include "analysis/LineTransmission.h"
#include "analysis/PenetrationCurve.h"
#include "analysis/SizeResolvedPenetration.h"

#include <cmath>
#include <vector>

namespace Analysis {
namespace {

// Twelve sizes per decade find every crossing of a curve whose features are wider
// than a factor 1.2 in size; bisection then narrows the crossing to 1e-4.
constexpr int PointsPerDecade = 12;
constexpr double Tolerance = 1e-4; // relative width of the final bracket

} // namespace

std::optional<double> CutSizeD50(const LodoList& line) {
    const LineTransmission eval(line);
    std::vector<double> t(eval.Count());
    const int points = 6 * PointsPerDecade + 1;
    const std::vector<float> grid = LogSpacedSizes(SizeFloor, SizeCeil, points);
    std::vector<double> P(grid.size());
    std::size_t top = 0;
    for (std::size_t k = 0; k < grid.size(); ++k) {
        P[k] = eval.At(grid[k], t);
        if (P[k] > P[top] || std::isnan(P[top]))
            top = k;
    }
    if (!(P[top] > 0.5))
        return std::nullopt;
    std::size_t k = top + 1;
    while (k < grid.size() && !(P[k] <= 0.5))
        ++k;
    if (k == grid.size())
        return std::nullopt;
    // P(lo) > 0.5 >= P(hi); halve the bracket in log d.
    double lo = grid[k - 1], hi = grid[k];
    while (hi / lo - 1 > Tolerance) {
        const double mid = std::sqrt(lo * hi);
        if (eval.At(static_cast<float>(mid), t) <= 0.5)
            hi = mid;
        else
            lo = mid;
    }
    return std::sqrt(lo * hi);
}

} // namespace Analysis
