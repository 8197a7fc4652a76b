#pragma once

#include "model/TLodoComp.h"
#include "physics/ParticleProperties.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace Analysis {

inline constexpr double CurveFrom = 0.01; // [um] default first size of the curve
inline constexpr double CurveTo = 100.0;  // [um] default last size
inline constexpr int CurvePoints = 200;   // default number of sizes

// `points` sizes [um] spaced evenly in log d from `from` to `to` (both included), in
// single precision as the evaluation holds a particle size. One point gives `from`;
// none, or a range that is not positive and finite, gives no sizes.
std::vector<float> LogSpacedSizes(double from = CurveFrom, double to = CurveTo,
                                  int points = CurvePoints);

// The line's penetration curve: every component's transmission at each size, as the
// monodisperse evaluation gives it at that size, and the system penetration as
// their product. Inlets carry their aspiration, so a value may exceed 1.
struct PenetrationCurve {
    std::vector<float> Dp;          // [um]
    std::vector<std::string> Names; // component names, line order
    std::vector<double> Trans;      // component i at Dp[k]: Trans[k * Names.size() + i]
    std::vector<double> System;     // at Dp[k]

    std::size_t Components() const { return Names.size(); }
    double At(std::size_t k, std::size_t i) const { return Trans[k * Names.size() + i]; }
};

class SizeTable;

// The curve of `line` at `sizes` (sizes of `particle`); the line is read, never changed.
PenetrationCurve ComputePenetrationCurve(const LodoList& line, std::span<const float> sizes,
                                         const LodoMath::ParticleProperties& particle = {});
// The same on a table of the line's values that other results share.
PenetrationCurve ComputePenetrationCurve(const LodoList& line, std::span<const float> sizes,
                                         SizeTable& table);

} // namespace Analysis
