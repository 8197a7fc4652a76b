#pragma once

#include "model/LodoError.h"
#include "model/TLodoComp.h"
#include "model/Units.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

// The allowed range of every input, as data. The editor's boxes, the file readers
// and lodo-cli's arguments all check against these rows, so that a value refused
// in one place is refused everywhere and a file the program wrote always reads back.
namespace InputRules {

inline constexpr double Open = std::numeric_limits<double>::infinity();

enum class RuleId {
    // The editor's check codes 1 to 5, with their numbered messages.
    EntryLength,    // lengths, diameters, bend radius in the editor: above 0
    EntryFlow,      // flows and free-stream velocities in the editor: above 0
    EntryAngle,     // inclinations and bend orientation: -360 to 360
    EntryPressure,  // above 0
    EntryBendAngle, // 0 to 180
    // Rules without an older editor rule; the editor uses them too.
    Temperature, // above absolute zero
    HalfAngle,   // cone half angle: above 0, up to 90
    // What a file or an argument may hold (the editor's rules above lie inside these).
    Length,       // tube and nozzle length, bend radius: 0 or more
    Diameter,     // above 0
    Flow,         // above 0
    Pressure,     // above 0
    BendAngle,    // 0 to 360
    FreeStream,   // 0 or more
    ParticleSize, // 0.001 to 1000 um
    Gsd,          // above 1, up to 1000
    // A design case's acceptance criteria.
    AspirationLimit,  // a limit of the aspiration ratio: 0 or more
    PenetrationLimit, // a least penetration: 0 to 1
    // Particle properties.
    ParticleDensity,     // 100 to 25,000 kg/m3
    ShapeFactor,         // dynamic shape factor 1 to 5
    ThermalConductivity, // above 0
};

struct Rule {
    RuleId Id;
    double Min; // -Open when there is no lower bound
    bool MinIncluded;
    double Max; // Open when there is no upper bound
    bool MaxIncluded;
    std::string_view Unit;    // the working unit the bounds are in; empty for angles and ratios
    int MessageNo;            // the editor's numbered message (LodoError), 0 when it has none
    std::string_view Message; // LodoErrorText(MessageNo) when it has one
};

inline constexpr std::array<Rule, 20> Rules{{
    {RuleId::EntryLength, 0.0, false, Open, false, "", 2, LodoErrorText(2)},
    {RuleId::EntryFlow, 0.0, false, Open, false, "", 3, LodoErrorText(3)},
    {RuleId::EntryAngle, -360.0, true, 360.0, true, "", 4, LodoErrorText(4)},
    {RuleId::EntryPressure, 0.0, false, Open, false, "", 5, LodoErrorText(5)},
    {RuleId::EntryBendAngle, 0.0, true, 180.0, true, "", 10, LodoErrorText(10)},
    {RuleId::Temperature, -273.15, false, Open, false, "\u00B0C", 13, LodoErrorText(13)},
    {RuleId::HalfAngle, 0.0, false, 90.0, true, "", 14, LodoErrorText(14)},
    {RuleId::Length, 0.0, true, Open, false, "", 0, "Length must not be negative."},
    {RuleId::Diameter, 0.0, false, Open, false, "", 0, "Diameter must be greater than 0."},
    {RuleId::Flow, 0.0, false, Open, false, "", 3, LodoErrorText(3)},
    {RuleId::Pressure, 0.0, false, Open, false, "", 5, LodoErrorText(5)},
    {RuleId::BendAngle, 0.0, true, 360.0, true, "", 0,
     "Bend angle must be between 0 and 360 degrees."},
    {RuleId::FreeStream, 0.0, true, Open, false, "", 0,
     "Free-stream velocity must not be negative."},
    {RuleId::ParticleSize, 0.001, true, 1000.0, true, "\u00B5m", 0,
     "Particle diameter must be from 0.001 to 1000 \u00B5m."},
    {RuleId::Gsd, 1.0, false, 1000.0, true, "", 0,
     "Geometric standard deviation must be above 1 and at most 1000."},
    {RuleId::AspirationLimit, 0.0, true, Open, false, "", 0,
     "An aspiration-ratio limit must not be negative."},
    {RuleId::PenetrationLimit, 0.0, true, 1.0, true, "", 0,
     "A penetration limit must be from 0 to 1 (0 to 100 %)."},
    {RuleId::ParticleDensity, 100.0, true, 25000.0, true, "kg/m\u00B3", 0,
     "Particle density must be from 100 to 25,000 kg/m\u00B3."},
    {RuleId::ShapeFactor, 1.0, true, 5.0, true, "", 0, "Dynamic shape factor must be from 1 to 5."},
    {RuleId::ThermalConductivity, 0.0, false, Open, false, "W/(m K)", 0,
     "Particle thermal conductivity must be greater than 0."},
}};

constexpr const Rule& RuleOf(RuleId id) {
    return Rules[static_cast<std::size_t>(id)];
}

// RuleOf indexes the table by its id.
static_assert([] {
    for (std::size_t i = 0; i < Rules.size(); ++i)
        if (static_cast<std::size_t>(Rules[i].Id) != i)
            return false;
    return true;
}());

// True when v lies inside the rule (NaN never does).
constexpr bool Allows(const Rule& r, double v) {
    const bool aboveMin = r.MinIncluded ? v >= r.Min : v > r.Min;
    const bool belowMax = r.MaxIncluded ? v <= r.Max : v < r.Max;
    return aboveMin && belowMax;
}
constexpr bool Allows(RuleId id, double v) {
    return Allows(RuleOf(id), v);
}

// The editor's check codes (the number each property-page box carries): the rule of
// each, or none (code 0 and unknown codes accept every number).
inline constexpr std::array<std::optional<RuleId>, 8> CheckCodeRules{{
    std::nullopt,           // 0: accepts every number
    RuleId::EntryLength,    // 1
    RuleId::EntryFlow,      // 2
    RuleId::EntryAngle,     // 3
    RuleId::EntryPressure,  // 4
    RuleId::EntryBendAngle, // 5
    RuleId::Temperature,    // 6
    RuleId::HalfAngle,      // 7
}};

// The rule that check code Tc applies, if any.
constexpr std::optional<RuleId> RuleOfCheckCode(int Tc) {
    return (Tc >= 0 && Tc < static_cast<int>(CheckCodeRules.size()))
               ? CheckCodeRules[static_cast<std::size_t>(Tc)]
               : std::nullopt;
}

// A stored field of a component and the rule its value (converted to the working
// unit) must satisfy. `Types` is a bit set of the type codes it applies to.
struct FieldRule {
    std::uint32_t Types;
    std::string_view Field; // the stored field's name, as in the files
    double TLodoComp::*Value;
    std::string TLodoComp::*Unit; // nullptr for angles
    double (*ToWorking)(double, const std::string&);
    RuleId Rule;
};

constexpr std::uint32_t TypeBit(int code) {
    return 1u << code;
}
inline constexpr std::uint32_t EveryType = ~0u;
inline constexpr std::uint32_t TubeBend = TypeBit(NodeTube) | TypeBit(NodeBend);
inline constexpr std::uint32_t Cones = TypeBit(NodeContraction) | TypeBit(NodeExpansion);
inline constexpr std::uint32_t Inlets = TypeBit(NodeNozzle) | TypeBit(NodeShroud);
// A shrouded probe's diameters come from its catalogue entry, not from the user.
inline constexpr std::uint32_t OwnDiameters = TubeBend | Cones | TypeBit(NodeNozzle);

inline double AsIs(double v, const std::string&) {
    return v;
}

inline const std::array<FieldRule, 11> FieldRules{{
    {EveryType, "Temp", &TLodoComp::Temp, &TLodoComp::TempUnit, Units::TempToC,
     RuleId::Temperature},
    {EveryType, "Press", &TLodoComp::Press, &TLodoComp::PressUnit, Units::PressToKPa,
     RuleId::Pressure},
    {EveryType, "Flow", &TLodoComp::Flow, &TLodoComp::FlowUnit, Units::FlowToLpm, RuleId::Flow},
    {TypeBit(NodeTube), "Len", &TLodoComp::Len, &TLodoComp::LenUnit, Units::TubeLenToM,
     RuleId::Length},
    {TypeBit(NodeNozzle), "Len", &TLodoComp::Len, &TLodoComp::LenUnit, Units::NozzleLenToMm,
     RuleId::Length},
    {TypeBit(NodeBend), "Brd", &TLodoComp::Brd, &TLodoComp::RadiusUnit, Units::RadiusToM,
     RuleId::Length},
    {OwnDiameters, "Dia1", &TLodoComp::Dia1, &TLodoComp::Dia1Unit, Units::DiaToMm,
     RuleId::Diameter},
    {OwnDiameters, "Dia2", &TLodoComp::Dia2, &TLodoComp::Dia2Unit, Units::DiaToMm,
     RuleId::Diameter},
    {TypeBit(NodeBend), "Ang2", &TLodoComp::Ang2, nullptr, AsIs, RuleId::BendAngle},
    {Cones, "Ang2", &TLodoComp::Ang2, nullptr, AsIs, RuleId::HalfAngle},
    {Inlets, "FStream", &TLodoComp::FStream, &TLodoComp::FStreamUnit, Units::VelToMs,
     RuleId::FreeStream},
}};

// The wall temperature of a tube or bend, when it has one (an optional field, so not
// in the table above; Value is null).
inline const FieldRule WallTempRule{
    TubeBend, "WallTemp", nullptr, &TLodoComp::WallTempUnit, Units::TempToC, RuleId::Temperature};

// The first field of `c` that breaks its rule, if any.
struct Breach {
    const FieldRule* Field;
    double Value; // as stored, in the record's own unit
};
std::optional<Breach> CheckComponent(const TLodoComp& c);

// The unit texts a record may hold ("Metric", "English"); anything else reads as
// English. Dia3Unit is stored only and takes any text.
inline const std::array<std::pair<std::string_view, std::string TLodoComp::*>, 8> UnitFields{{
    {"TempUnit", &TLodoComp::TempUnit},
    {"PressUnit", &TLodoComp::PressUnit},
    {"LenUnit", &TLodoComp::LenUnit},
    {"Dia1Unit", &TLodoComp::Dia1Unit},
    {"Dia2Unit", &TLodoComp::Dia2Unit},
    {"FlowUnit", &TLodoComp::FlowUnit},
    {"RadiusUnit", &TLodoComp::RadiusUnit},
    {"FStreamUnit", &TLodoComp::FStreamUnit},
}};

inline bool IsUnitText(const std::string& s) {
    return s == Units::Metric || s == Units::English;
}

} // namespace InputRules
