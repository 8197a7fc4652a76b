#pragma once

#include "cli/CliCommon.h"

#include <string>

// The results of an evaluated line as `evaluate` prints them.
namespace Cli {

// A readable table: one row per component with its transmission and per-type
// results, then the system penetration with the ANSI N13.1 verdict (PASS only when
// it is above 50 % and every inlet's aspiration ratio lies within 0.8 to 1.5).
std::string EvaluationTable(const LoadedLine& line);

// The results as one JSON object (keys in a fixed order; null where a value does
// not apply or is not a finite number, with "Invalid": true on what failed), ending
// with the reader's "Warnings".
std::string EvaluationJson(const LoadedLine& line);

} // namespace Cli
