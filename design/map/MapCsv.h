#pragma once

#include "design/map/MapGrid.h"

#include <optional>
#include <string>
#include <vector>

namespace DesignMap {

// The text of a verdict in tables: "PASS", "FAIL", "" for none.
std::string_view VerdictText(PointVerdict v);

// The map as comma-separated text: a header, then one row per grid point (x varying
// fastest) and, when there is one, a last row for the widest-margin point, told apart
// by the first column ("grid" or "best"). Quantities are fractions, in the shortest
// text that reads back as the same double, "nan" where not a number; `names` are the
// line's component names, for the worst component.
std::string MapCsv(const MapGrid& grid, const std::optional<BestPoint>& best,
                   const std::vector<std::string>& names);

} // namespace DesignMap
