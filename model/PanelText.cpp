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

namespace {

PanelRow MakeRow(const RowDef& def, double v) {
    PanelRow row;
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
    return row;
}

} // namespace

void FillPanel(DisplaySink& d, std::span<const RowDef> rows, std::span<const double> values) {
    for (std::size_t i = 0; i < d.IV.size(); ++i)
        d.IV[i] =
            i < rows.size() ? MakeRow(rows[i], i < values.size() ? values[i] : NAN) : PanelRow{};
    d.Extra.clear();
}

void AppendRows(DisplaySink& d, std::span<const RowDef> rows, std::span<const double> values) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        d.Extra.push_back(MakeRow(rows[i], i < values.size() ? values[i] : NAN));
}

} // namespace PanelText
