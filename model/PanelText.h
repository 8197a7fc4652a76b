#pragma once

#include "model/DisplaySink.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Number texts of the evaluation outputs. A value that is not finite is shown as
// "invalid", never as a number.
namespace PanelText {

inline constexpr std::string_view Invalid = "invalid";

std::string Fixed(double x, int decimals);
std::string Sci(double x);     // 4 significant digits, at least 2 exponent digits
std::string EqualsF(double x); // "= " + Fixed(x, 2)

enum class Fmt : std::uint8_t { Empty, Text, Fixed, Sci };

// One row of an intermediate-values panel. Text rows show Suffix as their value.
struct RowDef {
    std::string_view Name;
    Fmt Kind = Fmt::Empty;
    int Decimals = 0;
    std::string_view Suffix;
    std::uint32_t Colour = Argb::Black;
    bool UnderlineName = false;
};

constexpr RowDef Row(std::string_view name, Fmt kind, int decimals = 0,
                     std::string_view suffix = {}, std::uint32_t colour = Argb::Black,
                     bool underlineName = false) {
    return RowDef{name, kind, decimals, suffix, colour, underlineName};
}

// Fills all 24 rows: row i from rows[i] with values[i]; rows beyond the table are
// emptied. Every row gets its own style, so no emphasis survives from an earlier
// panel.
// Empties the rows below the 24 as well.
void FillPanel(DisplaySink& d, std::span<const RowDef> rows, std::span<const double> values);

// Appends rows below the 24, row i from rows[i] with values[i].
void AppendRows(DisplaySink& d, std::span<const RowDef> rows, std::span<const double> values);

} // namespace PanelText
