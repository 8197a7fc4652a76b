#include "model/LineStructure.h"

#include "model/Units.h"

#include <cmath>

namespace LineStructure {
namespace {

constexpr std::uint32_t Bit(int code) {
    return 1u << code;
}
constexpr std::uint32_t Evaluated = Bit(NodeTube) | Bit(NodeBend) | Bit(NodeContraction) |
                                    Bit(NodeExpansion) | Bit(NodeNozzle) | Bit(NodeShroud);

bool InletFirst(const TLodoComp&, std::size_t row) {
    return row == 0;
}
// NaN compares false both ways: such a value is refused by the input rules already.
bool Narrows(const TLodoComp& c, std::size_t) {
    return !(Units::DiaToMm(c.Dia2, c.Dia2Unit) > Units::DiaToMm(c.Dia1, c.Dia1Unit));
}
bool Widens(const TLodoComp& c, std::size_t) {
    return !(Units::DiaToMm(c.Dia2, c.Dia2Unit) < Units::DiaToMm(c.Dia1, c.Dia1Unit));
}
bool RadiusAtLeastTubeRadius(const TLodoComp& c, std::size_t) {
    const double radius = Units::RadiusToM(c.Brd, c.RadiusUnit);             // [m]
    const double tubeRadius = Units::DiaToMm(c.Dia1, c.Dia1Unit) / 2 / 1000; // [m]
    return !(radius < tubeRadius);
}
bool InclinationInRange(const TLodoComp& c, std::size_t) {
    return !(c.Ang1 < MinInclination || c.Ang1 > MaxInclination);
}
bool TemperatureInRange(const TLodoComp& c, std::size_t) {
    const double t = Units::TempToC(c.Temp, c.TempUnit);
    return !(t < MinTemperature || t > MaxTemperature);
}
bool PressureInRange(const TLodoComp& c, std::size_t) {
    const double p = Units::PressToKPa(c.Press, c.PressUnit);
    return !(p < MinPressure || p > MaxPressure);
}

} // namespace

const std::array<Rule, 7> Rules{{
    {RuleId::InletFirst, Bit(NodeNozzle) | Bit(NodeShroud), "NTypeInt",
     "an inlet can only be the first component of the line",
     "A Nozzle must be the first component in the sample line.", InletFirst},
    {RuleId::ContractionNarrows, Bit(NodeContraction), "Dia1 Dia2",
     "a contraction whose outlet is wider than its inlet is evaluated with a model that "
     "does not describe it",
     "A Contraction's outlet diameter must not be larger than its inlet diameter.", Narrows},
    {RuleId::ExpansionWidens, Bit(NodeExpansion), "Dia1 Dia2",
     "an expansion whose outlet is narrower than its inlet is evaluated with a model that "
     "does not describe it",
     "An Expansion's outlet diameter must not be smaller than its inlet diameter.", Widens},
    {RuleId::BendRadius, Bit(NodeBend), "Brd Dia1",
     "the bend radius is smaller than the tube radius, which no bend can have",
     "The bend radius must be at least the tube radius (half the diameter).",
     RadiusAtLeastTubeRadius},
    {RuleId::Inclination, Evaluated, "Ang1",
     "the inclination lies outside -360 to 360 degrees, the range the drawing and the "
     "settling model understand",
     "Angle must be between -360 and 360 degrees", InclinationInRange},
    {RuleId::Temperature, Evaluated, "Temp",
     "the temperature lies outside -103.15 to 1626.85 \u00B0C (170 to 1900 K), the range of "
     "the air viscosity correlation (Sutherland's law, White: Viscous Fluid Flow)",
     "Temperature must be from -103.15 to 1626.85 \u00B0C (-153.67 to 2960.33 \u00B0F), the "
     "range of the air viscosity correlation.",
     TemperatureInRange},
    {RuleId::Pressure, Evaluated, "Press",
     "the absolute pressure lies outside 10 to 1000 kPa, the range in which the program "
     "takes air as an ideal gas of constant viscosity",
     "Pressure must be from 10 to 1000 kPa (1.45038 to 145.038 psi), the range of the air "
     "property model.",
     PressureInRange},
}};

const Rule& RuleOf(RuleId id) {
    return Rules[static_cast<std::size_t>(id)];
}

std::vector<const Rule*> BrokenRules(const TLodoComp& c, std::size_t row) {
    std::vector<const Rule*> out;
    const std::uint32_t type = (c.NTypeInt >= 0 && c.NTypeInt < 32) ? Bit(c.NTypeInt) : 0u;
    for (const Rule& r : Rules)
        if ((r.Types & type) && !r.Holds(c, row))
            out.push_back(&r);
    return out;
}

std::vector<Finding> ComponentFindings(const TLodoComp& c, std::size_t row) {
    std::vector<Finding> out;
    for (const Rule* r : BrokenRules(c, row))
        out.push_back({static_cast<int>(row), c.Name + ": " + std::string(r->Text)});
    return out;
}

std::vector<Finding> Findings(const LodoList& line) {
    std::vector<Finding> out;
    for (std::size_t i = 0; i < line.size(); ++i)
        for (Finding& f : ComponentFindings(line[i], i))
            out.push_back(std::move(f));
    return out;
}

bool ReadsField(const Rule& r, std::string_view field) {
    std::string_view rest = r.Fields;
    while (!rest.empty()) {
        const std::size_t end = rest.find(' ');
        if (rest.substr(0, end) == field)
            return true;
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return false;
}

} // namespace LineStructure
