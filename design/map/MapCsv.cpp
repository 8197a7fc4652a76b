#include "design/map/MapCsv.h"

#include "model/TextSafety.h"

#include <cmath>
#include <fmt/format.h>

namespace DesignMap {

namespace {

std::string Number(double v) {
    return std::isfinite(v) ? fmt::format("{}", v) : std::string("nan");
}

std::string AxisHeader(const Axis& a) {
    return fmt::format("{} ({})", VariableTitle(a.Quantity), VariableUnit(a.Quantity));
}

std::string Row(std::string_view kind, const MapPoint& p, const std::vector<std::string>& names) {
    const std::string worst =
        p.WorstComponent >= 0 && static_cast<std::size_t>(p.WorstComponent) < names.size()
            ? TextSafety::CsvField(names[static_cast<std::size_t>(p.WorstComponent)])
            : std::string();
    return fmt::format("{},{},{},{},{},{},{},{},{},{},{}\n", kind, Number(p.X), Number(p.Y),
                       Number(p.AspirationRatio), Number(p.TransportPenetration),
                       Number(p.SystemPenetration), VerdictText(p.Verdict), Number(p.Margin), worst,
                       RegimeText(p.WorstRegime), Number(p.WorstReynolds));
}

} // namespace

std::string_view VerdictText(PointVerdict v) {
    switch (v) {
    case PointVerdict::Pass:
        return "PASS";
    case PointVerdict::Fail:
        return "FAIL";
    case PointVerdict::None:
        break;
    }
    return "";
}

std::string MapCsv(const MapGrid& grid, const std::optional<BestPoint>& best,
                   const std::vector<std::string>& names) {
    std::string out = "Point," + TextSafety::CsvField(AxisHeader(grid.X)) + "," +
                      TextSafety::CsvField(AxisHeader(grid.Y)) +
                      ",Aspiration ratio,Transport penetration,System penetration,Verdict,"
                      "Margin,Worst component,Flow regime,Reynolds number\n";
    for (const MapPoint& p : grid.Points)
        out += Row("grid", p, names);
    if (best)
        out += Row("best", best->Point, names);
    return out;
}

} // namespace DesignMap
