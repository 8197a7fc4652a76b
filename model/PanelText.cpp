#include "model/PanelText.h"

#include "model/NumberFormat.h"

#include <cmath>

namespace PanelText {

std::string Fixed(double x, int decimals) {
    return std::isfinite(x) ? NumberFormat::Fixed(x, decimals) : std::string(Invalid);
}

std::string Sci(double x) {
    return std::isfinite(x) ? NumberFormat::Sci4(x) : std::string(Invalid);
}

std::string EqualsF(double x) {
    return "= " + Fixed(x, 2);
}

void FillPanel(DisplaySink& d, std::span<const RowDef> rows, std::span<const double> values) {
    for (std::size_t i = 0; i < d.IV.size(); ++i) {
        PanelRow& row = d.IV[i];
        row = PanelRow{};
        if (i >= rows.size())
            continue;
        const RowDef& def = rows[i];
        const double v = i < values.size() ? values[i] : NAN;
        row.Name.Text = def.Name;
        row.Name.Colour = row.Value.Colour = def.Colour;
        row.Name.Underline = def.UnderlineName;
        switch (def.Kind) {
        case Fmt::Empty:
            break;
        case Fmt::Text:
            row.Value.Text = def.Suffix;
            break;
        case Fmt::Fixed:
            row.Value.Text = Fixed(v, def.Decimals) + std::string(def.Suffix);
            break;
        case Fmt::Sci:
            row.Value.Text = Sci(v) + std::string(def.Suffix);
            break;
        }
    }
}

} // namespace PanelText
