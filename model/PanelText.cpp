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

void FillPanel(DisplaySink& d, std::span<const RowSpec> rows, std::span<const double> values) {
    for (std::size_t i = 0; i < d.IV.size(); ++i) {
        PanelRow& row = d.IV[i];
        row = PanelRow{};
        if (i >= rows.size())
            continue;
        const RowSpec& spec = rows[i];
        const double v = i < values.size() ? values[i] : NAN;
        row.Name.Text = spec.Name;
        row.Name.Colour = row.Value.Colour = spec.Colour;
        row.Name.Underline = spec.UnderlineName;
        switch (spec.Kind) {
        case Fmt::Empty:
            break;
        case Fmt::Text:
            row.Value.Text = spec.Suffix;
            break;
        case Fmt::Fixed:
            row.Value.Text = Fixed(v, spec.Decimals) + std::string(spec.Suffix);
            break;
        case Fmt::Sci:
            row.Value.Text = Sci(v) + std::string(spec.Suffix);
            break;
        }
    }
}

} // namespace PanelText
