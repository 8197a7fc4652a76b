#include "analysis/CutSize.h"

#include "analysis/SettlingSwitch.h"
#include "analysis/SizeResolvedPenetration.h"
#include "analysis/SizeTable.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Analysis {
namespace {

// The search looks at every size of the curve's lattice (about 50 per decade, the
// sizes the curve shows), so the first lattice size at or below 50 % is the one the
// curve shows first. Between two lattice sizes the curve is smooth except where a
// tube's settling velocity changes branch (the curve jumps there): both sides of each
// such size are looked at too, so a dip below 50 % just before a jump is not skipped.
// Bisection then narrows the first crossing to 1e-4.
constexpr double Tolerance = 1e-4;  // relative width of the final bracket
constexpr double SwitchSide = 1e-6; // relative distance of the two sides of a branch switch

std::vector<float> ScanSizes(SizeTable& table) {
    std::vector<double> sizes{SizeFloor};
    const double qHi = LatticeQ(std::log(SizeCeil));
    for (double q = std::floor(LatticeQ(std::log(SizeFloor))) + 1; q < qHi; ++q)
        sizes.push_back(LatticeSize(q));
    sizes.push_back(SizeCeil);
    for (const auto& air : table.Airs()) {
        const double d = SettlingSwitchSize(air.T, air.P);
        if (std::isfinite(d)) {
            sizes.push_back(d * (1 - SwitchSide));
            sizes.push_back(d * (1 + SwitchSide));
        }
    }
    std::vector<float> out;
    out.reserve(sizes.size());
    for (double d : sizes)
        if (d >= SizeFloor && d <= SizeCeil)
            out.push_back(static_cast<float>(d));
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

} // namespace

std::optional<double> CutSizeD50(const LodoList& line,
                                 const LodoMath::ParticleProperties& particle) {
    SizeTable table(line, particle);
    return CutSizeD50(table);
}

std::optional<double> CutSizeD50(SizeTable& table) {
    const std::vector<float> grid = ScanSizes(table);
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
    // P(lo) > 0.5 >= P(hi) on a smooth piece of the curve; halve the bracket in log d.
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
