#pragma once

#include "model/TLodoComp.h"

#include <cstddef>
#include <string>
#include <vector>

// What opening a file changed or found beyond what the readers say: the values the
// alignment replaced and the line-structure findings, as reader warnings.
namespace ReaderWarnings {

// One warning per value the alignment changed (flow, pressure, diameters and their
// units), naming the component, the field, the value in the file and the value used.
// `asRead` is the line as the reader gave it, `aligned` the same line after AlignList.
// A shrouded probe's diameters come from its catalogue and are not the file's to keep.
std::vector<std::string> AlignmentChanges(const LodoList& asRead, const LodoList& aligned);

// One warning per line-structure finding (an inlet not first, a contraction that
// widens...): the line is opened and evaluated, but the result does not describe it.
std::vector<std::string> StructureFindings(const LodoList& line);

// At most `max` warnings, then one line "and N more".
inline constexpr std::size_t MaxPrinted = 20;
std::vector<std::string> Capped(const std::vector<std::string>& warnings,
                                std::size_t max = MaxPrinted);

} // namespace ReaderWarnings
