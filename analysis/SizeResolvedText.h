#pragma once

#include "analysis/SizeResolved.h"

#include <string>

// The size-resolved results as text, "." as the decimal separator whatever the locale.
namespace Analysis {

// A diameter [um] to three significant digits ("12.3", "0.0456", "123").
std::string DiameterText(double um);

// A fraction as a percentage with two decimals ("75.49 %"); "invalid" when not finite.
std::string PercentText(double fraction);

// The totals strip's line: in log-normal mode
// "Size-resolved: mass 75.49 %, number 98.43 %, d50 12.3 µm", in Mono mode
// "Cut size d50 = 12.3 µm"; "none" for a d50 the curve does not have.
std::string StripLine(const SizeResolvedSummary& s, bool logNormal);

} // namespace Analysis
