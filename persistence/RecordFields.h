#pragma once

#include "model/TLodoComp.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The 28 stored fields of a component, in file order (the .lxl file puts "LineName"
// before them; the legacy layout has exactly these). PTrans and MTrans are not
// stored: evaluation recomputes them.
namespace RecordFields {

using TextMember = std::string TLodoComp::*;
using IntegerMember = std::int32_t TLodoComp::*;
using NumberMember = double TLodoComp::*;

struct Field {
    std::string_view Name;
    std::variant<TextMember, IntegerMember, NumberMember> Member;
    bool IsResult = false; // TransM1..4: evaluation output, may be non-finite
};

inline const std::array<Field, 28> All = {{
    {"Name", &TLodoComp::Name},
    {"NType", &TLodoComp::NType},
    {"NTypeInt", &TLodoComp::NTypeInt},
    {"TransM1", &TLodoComp::TransM1, true},
    {"TransM2", &TLodoComp::TransM2, true},
    {"TransM3", &TLodoComp::TransM3, true},
    {"TransM4", &TLodoComp::TransM4, true},
    {"Temp", &TLodoComp::Temp},
    {"Press", &TLodoComp::Press},
    {"Len", &TLodoComp::Len},
    {"Brd", &TLodoComp::Brd},
    {"Dia1", &TLodoComp::Dia1},
    {"Dia2", &TLodoComp::Dia2},
    {"Dia3", &TLodoComp::Dia3},
    {"Ang1", &TLodoComp::Ang1},
    {"Ang2", &TLodoComp::Ang2},
    {"Ang3", &TLodoComp::Ang3},
    {"Flow", &TLodoComp::Flow},
    {"FStream", &TLodoComp::FStream},
    {"TempUnit", &TLodoComp::TempUnit},
    {"PressUnit", &TLodoComp::PressUnit},
    {"LenUnit", &TLodoComp::LenUnit},
    {"Dia1Unit", &TLodoComp::Dia1Unit},
    {"Dia2Unit", &TLodoComp::Dia2Unit},
    {"Dia3Unit", &TLodoComp::Dia3Unit},
    {"FlowUnit", &TLodoComp::FlowUnit},
    {"RadiusUnit", &TLodoComp::RadiusUnit},
    {"FStreamUnit", &TLodoComp::FStreamUnit},
}};

// The field's value as text: numbers in the general 15-digit notation, non-finite
// results as "NaN", "INF" or "-INF". With `exact`, a number that 15 digits would not
// give back is written with 17 (the line file: a saved line reopens to the same bits);
// the legacy layout keeps its 15 digits.
std::string Format(const TLodoComp& c, const Field& f, bool exact = false);

// True when the field holds a number that no reader would accept back.
bool IsUnstorable(const TLodoComp& c, const Field& f);

// Sets the field from its stored text; returns the conversion message on failure
// ("'abc' is not a valid floating point value").
std::optional<std::string> Set(TLodoComp& c, const Field& f, std::string_view text);

// The type code must be one of the six component types and, below the shrouded
// probe, the type text must be that type's; returns the message otherwise.
std::optional<std::string> CheckComponentType(const TLodoComp& c);

// A shrouded probe must name a catalogue model; returns the message otherwise.
std::optional<std::string> CheckProbeModel(const TLodoComp& c);

// How messages name a component: "Component 2 (Index 1, B-1)", the Index as the grid
// shows it.
std::string ComponentLabel(std::size_t index, const std::string& name);

// The input rules (model/InputRules.h) on a component read from a file: the message
// naming the field, its value and the rule, for the first value outside its rule.
std::optional<std::string> CheckInputRules(const TLodoComp& c);

// One warning per unit text that is neither "Metric" nor "English" (read as English),
// except for the fields named in `skip` (already warned about).
void AddUnitWarnings(const TLodoComp& c, const std::string& label,
                     std::vector<std::string>& warnings,
                     const std::vector<std::string_view>& skip = {});

} // namespace RecordFields
