#pragma once

#include <optional>
#include <string_view>
#include <vector>

// The two operating conditions a design map spans, and how each axis is sampled.
namespace DesignMap {

// Sample flow [L/min] (the flow study's meaning: the whole line's flow), tube inner
// diameter [mm] (the diameter study's meaning: the first component, or the second
// behind an inlet, and what the line carries on from it), free-stream velocity at the
// inlet [m/s] and gas temperature [degC].
enum class Variable { Flow, Diameter, StackVelocity, Temperature };

inline constexpr Variable Variables[] = {Variable::Flow, Variable::Diameter,
                                         Variable::StackVelocity, Variable::Temperature};

// "flow", "diameter", "stack-velocity", "temperature": the name lodo-cli takes.
std::string_view VariableName(Variable v);
std::optional<Variable> VariableFromName(std::string_view name);
// "Sample flow", "Tube diameter", "Stack velocity", "Gas temperature".
std::string_view VariableTitle(Variable v);
// "L/min", "mm", "m/s", "°C".
std::string_view VariableUnit(Variable v);

struct Axis {
    Variable Quantity = Variable::Flow;
    double Min = 0;
    double Max = 0;
    int Points = 0;   // at least 2
    bool Log = false; // geometric spacing; needs Min and Max above 0
    bool operator==(const Axis&) const = default;
};

inline constexpr int MinAxisPoints = 2;
inline constexpr int MaxAxisPoints = 400;

// Why the axis cannot be sampled, or nothing: a number of points from MinAxisPoints to
// MaxAxisPoints, finite ends that differ, and ends above 0 on a log axis.
std::optional<std::string_view> AxisProblem(const Axis& a);

// The axis's values, Min first and Max last exactly. Each value is computed from its
// index alone (no running sum), so it does not depend on how many came before.
std::vector<double> AxisValues(const Axis& a);

// The value at a fractional index (0 .. Points - 1) along the axis's own spacing:
// what a contour crossing between two grid values, or a pointer between them, means.
double AxisValueAt(const Axis& a, double index);
// The fractional index of a value (inverse of AxisValueAt); outside 0 .. Points - 1
// for a value beyond the ends.
double AxisIndexOf(const Axis& a, double value);

} // namespace DesignMap
