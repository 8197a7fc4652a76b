#pragma once

#include "model/TLodoComp.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Lines the program cannot evaluate honestly: an inlet that is not first, a fitting
// that does the opposite of its name, a geometry the models do not describe. A file
// may still hold such a line (stored files keep opening); every front end shows
// these findings, and the design verdict is withheld while there is one. The editor
// refuses an entry that would make one.
namespace LineStructure {

struct Finding {
    int Row = 0;      // 0-based index of the component concerned
    std::string Text; // one line, names the component and what is inconsistent
    bool operator==(const Finding&) const = default;
};

enum class RuleId {
    InletFirst,         // a nozzle or a shrouded probe only at index 0 (so at most one)
    ContractionNarrows, // outlet diameter at most the inlet's (equal passes through)
    ExpansionWidens,    // outlet diameter at least the inlet's
    BendRadius,         // radius of curvature at least the tube radius
    Inclination,        // -360 to 360 degrees
    Temperature,        // -103.15 to 1626.85 degC (170 to 1900 K)
    Pressure,           // 10 to 1000 kPa
};

// The bounds of the ranges, in working units.
inline constexpr double MinInclination = -360.0, MaxInclination = 360.0; // [deg]
// Sutherland's law for the viscosity of air, with the program's constants, stays
// within 2 % of measured values from 170 K to 1900 K (F. M. White, Viscous Fluid Flow,
// Table 1-2); the density and the mean free path follow from it and the ideal gas.
inline constexpr double MinTemperature = -103.15, MaxTemperature = 1626.85; // 170 K, 1900 K [degC]
// Air as an ideal gas with a viscosity that does not depend on pressure, and a tube
// flow that is still a continuum: the program's own range, 0.1 to 10 atmospheres
// (the range over which its settling velocity is verified).
inline constexpr double MinPressure = 10.0, MaxPressure = 1000.0; // [kPa]

struct Rule {
    RuleId Id;
    std::uint32_t Types;     // bit (1 << type code) of every type it applies to
    std::string_view Fields; // the stored fields it reads, space-separated, as in the files
    // After the component's name and ": " in a finding; what the editor says when an
    // entry would break the rule.
    std::string_view Text;
    std::string_view Refusal;
    bool (*Holds)(const TLodoComp& c, std::size_t row);
};

// The rules, one row each (defined in LineStructure.cpp).
extern const std::array<Rule, 7> Rules;

const Rule& RuleOf(RuleId id);

// The rules the component at `row` breaks, in table order.
std::vector<const Rule*> BrokenRules(const TLodoComp& c, std::size_t row);

// Every structure finding of one component at `row`, in table order.
std::vector<Finding> ComponentFindings(const TLodoComp& c, std::size_t row);

// Every structure finding of the line, in line order.
std::vector<Finding> Findings(const LodoList& line);

// True when `field` (a stored field name such as "Dia2") is one the rule reads.
bool ReadsField(const Rule& r, std::string_view field);

} // namespace LineStructure
