#pragma once

#include "analysis/SizeResolvedPenetration.h"
#include "analysis/SizeTable.h"
#include "model/LodoModel.h"

#include <cstddef>
#include <optional>

namespace Analysis {

// What the size-resolved view of an evaluated line shows: the cut size in both
// modes, and in log-normal mode the exact distribution result for the line's
// aerosol (MDp, DpSD).
struct SizeResolvedSummary {
    std::optional<double> D50; // [um]
    std::optional<SizeResolvedResult> Distribution;
};

SizeResolvedSummary SizeResolvedOf(const LodoModel& m);
// The same on a table of the line's values that other results (the curve) share.
SizeResolvedSummary SizeResolvedOf(const LodoModel& m, SizeTable& table);

// The exact mass penetration of rows `first` to the end of the line for the line's
// log-normal aerosol (MDp, DpSD), of the aerosol that reaches row `first`: what a
// parameter study records per point when asked for the size-resolved value. NaN
// when the aerosol is not a distribution or `first` lies beyond the line.
double SizeResolvedMassPenetration(const LodoModel& m, std::size_t first = 0);

} // namespace Analysis
