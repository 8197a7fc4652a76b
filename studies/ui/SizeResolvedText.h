#pragma once

#include "model/EvalContext.h"
#include "model/TLodoComp.h"

#include <optional>
#include <string>

// Texts of the size-resolved results, shared by the main window's totals strip and
// the penetration curve window. Numbers always use ".".

// The cut size: "12.3 µm" (three significant digits), "> 1000 µm" when the line
// still passes more than half at the top of the search, "none" otherwise.
std::string D50Text(const LodoList& line, std::optional<double> d50);

// The line beside the specified totals, for the particle description the
// evaluation uses (ctx.DType, MDp, DpSD): in log-normal mode
// "Size-resolved: mass 75.49 %, number 98.43 %, d50 12.3 µm", otherwise
// "Cut size d50 = 12.3 µm". Empty for an empty line. The line is read, never
// changed.
std::string SizeResolvedText(const LodoList& line, const EvalContext& ctx);
