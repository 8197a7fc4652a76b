#pragma once

#include "cli/CliCommon.h"
#include "design/DesignVerdict.h"

#include <string>

// The design verdict as `evaluate` and `check` print it.
namespace Cli {

// The verdict of a loaded line: its design case's criteria, `range` (the file's, or
// the one the options give) and the particle description it was loaded with.
Design::Verdict VerdictOf(const LoadedLine& line, const Design::OperatingRange& range);

// evaluate's verdict lines: "Design verdict: ANSI N13.1 at 10 µm: PASS — ..." and,
// with a range, "Design verdict over the operating range: ...".
std::string VerdictLines(const Design::Verdict& v);

// The "Verdict" member of a JSON object (two spaces in, ending with ",\n"): fractions,
// um, m/s, L/min, degC; "Range" lists every point of the range (empty without one).
std::string VerdictJson(const Design::Verdict& v);

// check's report: the design case, the criteria, each criterion at the line's own
// operating point, the range table with its worst points, and the design verdict.
std::string CheckTable(const LoadedLine& line, const Design::Verdict& v);

// check's JSON object: the line name, the design case's identification, the operating
// range the verdict was taken over, the particle description, "Verdict", "Warnings".
std::string CheckJson(const LoadedLine& line, const Design::Verdict& v);

} // namespace Cli
