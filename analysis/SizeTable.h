#pragma once

#include "analysis/LineTransmission.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace Analysis {

// The line's values at particle sizes, each size evaluated once: the penetration
// curve, the size-resolved result and the cut size share one table when they are
// computed together, and their sizes mostly lie on one grid (LatticeSize).
class SizeTable {
public:
    explicit SizeTable(const LodoList& line, const LodoMath::ParticleProperties& particle = {});

    std::size_t Count() const { return eval_.Count(); }
    // How many distinct sizes have been evaluated.
    std::size_t Evaluated() const { return system_.size(); }

    struct Values {
        std::span<const double> Trans; // per component; valid until the next At
        double System;                 // their product in line order
        double InletAsp;               // aspiration of an inlet at row 0, else 1
    };
    // The line at Dp [um], as LineTransmission::At gives it.
    Values At(float Dp);
    // The distinct air states of the line's components.
    std::span<const LodoMath::Kernels::AirState> Airs() const { return eval_.Airs(); }

private:
    LineTransmission eval_;
    std::unordered_map<std::uint32_t, std::size_t> index_; // float bits -> row
    std::vector<double> trans_;                            // rows of Count() values
    std::vector<double> system_, asp_;
};

// The default curve's sizes, extended both ways: q = 0 is 0.01 um, q = 199 is
// 100 um, evenly in log d. At a whole q in 0..199 it is the float LogSpacedSizes()
// holds at that index; LatticeLn(q) is its ln d before rounding to float.
double LatticeLn(double q);
float LatticeSize(double q);
// The q of ln d [ln um].
double LatticeQ(double lnd);

} // namespace Analysis
