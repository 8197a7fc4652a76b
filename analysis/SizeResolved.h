#pragma once

#include "analysis/SizeResolvedPenetration.h"
#include "model/LodoModel.h"

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

} // namespace Analysis
