#pragma once

#include "cli/CliCommon.h"

#include <string>

// The results of an evaluated line as `evaluate` prints them.
namespace Cli {

// A readable table: one row per component with its transmission and per-type
// results, the system penetration (and the log-normal figures), then the design
// verdict at the reference size.
std::string EvaluationTable(const LoadedLine& line);

// The results as one JSON object (keys in a fixed order; null where a value does
// not apply or is not a finite number, with "Invalid": true on what failed), ending
// with the reader's "Warnings".
std::string EvaluationJson(const LoadedLine& line);

} // namespace Cli
