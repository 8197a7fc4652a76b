#pragma once

#include "report/core/EngineeringReport.h"

#include <vector>

// The report's methods appendix: every correlation the line uses with its reference
// and published validity range (the model-limits table), the line's quantities
// against those ranges, each finding once with the components it concerns, the
// assumptions and what the program does in transition flow.
namespace EngReport {

std::vector<Block> MethodsAppendix(const LodoModel& m);

} // namespace EngReport
