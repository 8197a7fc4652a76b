#pragma once

#include <array>
#include <string_view>

// The numbered messages (LodoError(E)), shown in an OK box. The editor, the input
// rules, the studies and the reports refer to them by number, never by a copy of the text.
inline constexpr std::array<std::string_view, 14> LodoErrorTexts{
    "Invalid Entry. Please Enter valid number. ",
    "Length must be greater than 0.",
    "Flow rate must be greater than 0",
    "Angle must be between -360 and 360 degrees",
    "Pressure must be greater than 0.",
    "A Nozzle must be the first component in the sample line.",
    "Sample Line contains a Contraction or Expansion. "
    "User needs to validate the diameters of those Components.",
    "Can not delete the only Component. Use \"File/New Sample Line\"",
    "There are no components in sample system.",
    "Angle must be between 0 and 180 degrees",
    "Invalid File. Can not Open File",
    "The first component must be a probe or nozzle for this analysis",
    "Temperature must be above -273.15 \u00B0C (-459.67 \u00B0F).",
    "Half angle must be greater than 0 and at most 90 degrees.",
};

// Message E (1..14); empty for any other number.
constexpr std::string_view LodoErrorText(int E) {
    return (E >= 1 && E <= static_cast<int>(LodoErrorTexts.size())) ? LodoErrorTexts[E - 1]
                                                                    : std::string_view{};
}
