#include "design/map/MapAxis.h"

#include <cmath>

namespace DesignMap {

namespace {
struct VariableText {
    Variable V;
    std::string_view Name, Title, Unit;
};
constexpr VariableText Texts[] = {
    {Variable::Flow, "flow", "Sample flow", "L/min"},
    {Variable::Diameter, "diameter", "Tube diameter", "mm"},
    {Variable::StackVelocity, "stack-velocity", "Stack velocity", "m/s"},
    {Variable::Temperature, "temperature", "Gas temperature", "°C"},
};
const VariableText& TextOf(Variable v) {
    for (const VariableText& t : Texts)
        if (t.V == v)
            return t;
    return Texts[0];
}
} // namespace

std::string_view VariableName(Variable v) {
    return TextOf(v).Name;
}
std::string_view VariableTitle(Variable v) {
    return TextOf(v).Title;
}
std::string_view VariableUnit(Variable v) {
    return TextOf(v).Unit;
}

std::optional<Variable> VariableFromName(std::string_view name) {
    for (const VariableText& t : Texts)
        if (t.Name == name)
            return t.V;
    return std::nullopt;
}

std::optional<std::string_view> AxisProblem(const Axis& a) {
    if (a.Points < MinAxisPoints || a.Points > MaxAxisPoints)
        return "the number of points must be from 2 to 400";
    if (!std::isfinite(a.Min) || !std::isfinite(a.Max))
        return "the ends must be numbers";
    if (a.Min == a.Max)
        return "the two ends must differ";
    if (a.Log && (a.Min <= 0 || a.Max <= 0))
        return "a logarithmic axis needs ends above 0";
    return std::nullopt;
}

double AxisValueAt(const Axis& a, double index) {
    const int last = a.Points - 1;
    if (index == 0)
        return a.Min;
    if (index == last)
        return a.Max;
    const double t = index / last;
    if (a.Log)
        return a.Min * std::pow(a.Max / a.Min, t);
    return a.Min + (a.Max - a.Min) * t;
}

double AxisIndexOf(const Axis& a, double value) {
    const int last = a.Points - 1;
    if (a.Log)
        return std::log(value / a.Min) / std::log(a.Max / a.Min) * last;
    return (value - a.Min) / (a.Max - a.Min) * last;
}

std::vector<double> AxisValues(const Axis& a) {
    std::vector<double> values;
    if (AxisProblem(a))
        return values;
    values.reserve(static_cast<std::size_t>(a.Points));
    for (int i = 0; i < a.Points; ++i)
        values.push_back(AxisValueAt(a, i));
    return values;
}

} // namespace DesignMap
