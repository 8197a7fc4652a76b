#pragma once

#include "analysis/PenetrationCurve.h"

#include <string>

namespace Analysis {

// The curve as comma-separated text: the header "Dp_um,<component names>,System",
// then one line per size with the transmissions as fractions. Sizes are the
// shortest text that reads back as the same float, transmissions the shortest that
// reads back as the same double, "nan" where not finite; names holding a comma, a
// quote or a line break are quoted.
std::string CurveCsv(const PenetrationCurve& c);

} // namespace Analysis
