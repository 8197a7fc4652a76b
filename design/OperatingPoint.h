#pragma once

#include "model/EvalContext.h"
#include "model/LodoModel.h"

#include <optional>
#include <string>
#include <variant>

// The line at other operating conditions than its own: the stack velocity, the sample
// flow, the gas temperature, the diameter a diameter study varies. A value is set the
// way the parameter study of that input sets it, so a point here is the same point as
// in a study, in the design verdict's range and on a design map.
namespace Design {

// Values of the operating conditions at one point; an absent value is the line's own.
struct OperatingPoint {
    std::optional<double> StackVelocity; // [m/s] free-stream velocity at the inlet
    std::optional<double> Flow;          // [L/min] sample flow, on every component
    std::optional<double> Temperature;   // [degC] gas temperature, on every component
    std::optional<double> Diameter;      // [mm] the component the diameter study varies
    bool operator==(const OperatingPoint&) const = default;
};

// Why the point cannot be set on the line, or nothing when it can: an empty line, a
// stack velocity without an inlet first, a diameter with no component behind the inlet.
std::optional<std::string> PointRefusal(const LodoList& line, const OperatingPoint& point);

// Sets the point's values on `line` (which PointRefusal accepts) as the studies set
// them, leaving it to be re-aligned from the row returned and evaluated: the one way a
// point is put on a line, for a copy (ModelAt) and for the user's own line (the design
// map's click).
int SetOperatingPoint(LodoList& line, const OperatingPoint& point);

// A copy of `line` at the point, re-aligned from the row the studies re-align from
// (the varied component of a diameter, else the first) and evaluated for `particles`
// in a fresh context. Neither the line nor any context of the caller is touched.
std::variant<LodoModel, std::string> ModelAt(const LodoList& line, const OperatingPoint& point,
                                             const DistributionSetting& particles);

// The operating values of an evaluated line as its first component holds them, in
// working units [m/s, L/min, degC]: the nominal point of a range.
OperatingPoint ValuesOf(const LodoList& line);

} // namespace Design
