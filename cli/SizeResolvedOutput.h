#pragma once

#include "analysis/SizeResolved.h"
#include "cli/CliCommon.h"

#include <string>

// The size-resolved results of an evaluated line as `evaluate` prints them, after
// the specified totals.
namespace Cli {

// The table's lines: the cut size d50, and in log-normal mode the exact mass and
// number penetration, the mass median diameter of what leaves the line and each
// component's share. Empty for a line without components.
std::string SizeResolvedTable(const LoadedLine& line, const Analysis::SizeResolvedSummary& s);

// The top-level member `  "SizeResolved": {...},` and its line break; the three
// distribution values and each component's values are null in Mono mode.
std::string SizeResolvedJson(const LoadedLine& line, const Analysis::SizeResolvedSummary& s);

} // namespace Cli
