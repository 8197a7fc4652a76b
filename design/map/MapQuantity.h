#pragma once

#include "design/map/LineMap.h"

#include <string>
#include <string_view>

// What a design map colours, and how a point of it reads.
namespace DesignMap {

enum class Quantity { SystemPenetration, AspirationRatio, TransportPenetration, Margin };

inline constexpr Quantity Quantities[] = {Quantity::SystemPenetration, Quantity::AspirationRatio,
                                          Quantity::TransportPenetration, Quantity::Margin};

// "System penetration", "Aspiration ratio", "Transport penetration", "Margin".
std::string_view QuantityTitle(Quantity q);
// The quantity at a point (a fraction for the penetrations); NaN where it has none.
double ValueOf(const MapPoint& p, Quantity q);
// Penetrations are shown in percent.
bool IsPercent(Quantity q);

// The colour scale's ends for a quantity over the grid: 0 to 100 % for the
// penetrations (wider when a value lies above), the values' own span otherwise, always
// with the criteria's limits inside so that their contours can be placed.
struct ScaleRange {
    double Lo = 0, Hi = 1;
};
ScaleRange ScaleOf(const MapGrid& g, Quantity q, const Design::Criteria& limits);

// The point's values with their units: "flow 45.2 L/min, diameter 12.3 mm".
std::string PointValuesText(const LineMap& map, double x, double y);

// What the read-out under the pointer says about a point: its values, the three
// quantities, the verdict and margin, and the component that loses most:
// "flow 45.2 L/min, diameter 12.3 mm: aspiration ratio 1.020, transport 64.5 %, system
// 65.8 % — PASS, margin 0.29; loses most: T-3 (turbulent, Re 5,400)".
std::string PointText(const LineMap& map, const MapPoint& p);

} // namespace DesignMap
