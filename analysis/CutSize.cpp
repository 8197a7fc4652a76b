#include "analysis/CutSize.h"

#include "analysis/SizeResolvedPenetration.h"
#include "analysis/SizeTable.h"

#include <cmath>
#include <vector>

namespace Analysis {
namespace {

// Every fourth size of the curve's lattice, 12.4 per decade, finds every crossing of a
// curve whose features are wider than a factor 1.2 in size; bisection then narrows
// the crossing to 1e-4.
constexpr double ScanStep = 4;     // lattice steps
constexpr double Tolerance = 1e-4; // relative width of the final bracket

} // namespace

std::optional<double> CutSizeD50(const LodoList& line) {
    SizeTable table(line);
    return CutSizeD50(table);
}

std::optional<double> CutSizeD50(SizeTable& table) {
    std::vector<float> grid{static_cast<float>(SizeFloor)};
    const double qHi = LatticeQ(std::log(SizeCeil));
    for (double q = std::floor(LatticeQ(std::log(SizeFloor)) / ScanStep + 1) * ScanStep; q < qHi;
         q += ScanStep)
        grid.push_back(LatticeSize(q));
    grid.push_back(static_cast<float>(SizeCeil));
    std::vector<double> P(grid.size());
    std::size_t top = 0;
    for (std::size_t k = 0; k < grid.size(); ++k) {
        P[k] = table.At(grid[k]).System;
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
        if (table.At(static_cast<float>(mid)).System <= 0.5)
            hi = mid;
        else
            lo = mid;
    }
    return std::sqrt(lo * hi);
}

} // namespace Analysis
