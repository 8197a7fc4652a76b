#include "cli/Arguments.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "design/VerdictText.h"
#include "design/map/LineMap.h"
#include "design/map/MapCsv.h"
#include "model/NumberFormat.h"

#include <cmath>
#include <fmt/format.h>
#include <optional>
#include <ostream>
#include <string>

namespace {

using namespace DesignMap;

const std::string Usage =
    std::string("Usage: lodo-cli map FILE --x QUANTITY:MIN:MAX --y QUANTITY:MIN:MAX "
                "[--points NxM]\n"
                "                         [--log x|y|x,y] [--csv | --json]\n"
                "\n"
                "Maps the design verdict of a sample line (.lxl, or a legacy .lpl file) over two\n"
                "operating conditions: at every point of an N x M grid the line is set to the\n"
                "point's values, as the parameter studies set them, and judged at the criteria's\n"
                "reference size (10 um aerodynamic: ANSI N13.1, or the criteria saved with the\n"
                "line). Prints every point with the aspiration ratio, the transport and system\n"
                "penetrations, the verdict, the margin and the component that loses most with\n"
                "its flow regime, then the point of widest margin, refined between the grid\n"
                "values. The line in the file is not changed.\n"
                "\n"
                "The margin is the smallest of the criteria's margins, each the distance from\n"
                "its limit as a fraction of the limit: (A - 0.8) / 0.8 and (1.5 - A) / 1.5 for\n"
                "the aspiration ratio A, (P - 0.5) / 0.5 for each penetration P. It is 0 on a\n"
                "limit and negative where the line fails.\n"
                "\n"
                "Options:\n"
                "  --x, --y QUANTITY:MIN:MAX  the quantity along the axis and its range:\n"
                "             flow            the sample flow, in L/min, on every component\n"
                "             diameter        the tube diameter, in mm, as the diameter study\n"
                "                             varies it (the first component behind an inlet)\n"
                "             stack-velocity  the free-stream velocity at the inlet, in m/s\n"
                "                             (the first component must be a nozzle or probe)\n"
                "             temperature     the gas temperature, in degC, on every component\n"
                "  --points NxM  grid points along x and y, 2 to 400 each (default 30x30; N\n"
                "                alone: N x N)\n"
                "  --log x,y     geometric spacing along the axes named (ends above 0)\n"
                "  --csv         comma-separated: one row per grid point, x fastest, then the\n"
                "                widest-margin point (first column \"grid\" or \"best\")\n"
                "  --json        one JSON object: the criteria, the axes, the points and the\n"
                "                best point (quantities as fractions)\n"
                "  -h, --help    show this help\n"
                "\n") +
    std::string(Cli::ExitStatusHelp);

std::string Quantities() {
    return "flow, diameter, stack-velocity or temperature";
}

// "flow:10:100" into an axis (its points and spacing are set later).
Cli::ValueReader AxisReader(std::optional<Axis>& axis) {
    return [&axis](std::string_view name, const std::string& text) -> std::optional<std::string> {
        const std::size_t a = text.find(':');
        const std::size_t b = a == std::string::npos ? a : text.find(':', a + 1);
        const auto bad = [&] {
            return std::string(name) + " must be QUANTITY:MIN:MAX with QUANTITY " + Quantities() +
                   ", not '" + Cli::Quote(text) + "'";
        };
        if (b == std::string::npos || text.find(':', b + 1) != std::string::npos)
            return bad();
        const auto v = VariableFromName(text.substr(0, a));
        const auto lo = NumberFormat::ParseNumber(std::string_view(text).substr(a + 1, b - a - 1));
        const auto hi = NumberFormat::ParseNumber(std::string_view(text).substr(b + 1));
        if (!v || !lo || !hi)
            return bad();
        axis = Axis{*v, *lo, *hi, 0, false};
        return std::nullopt;
    };
}

// "60x40" or "60".
Cli::ValueReader PointsReader(std::optional<std::pair<int, int>>& points) {
    return [&points](std::string_view name, const std::string& text) -> std::optional<std::string> {
        const std::size_t x = text.find_first_of("xX");
        const auto n = NumberFormat::ParseInteger(text.substr(0, x));
        const auto m = x == std::string::npos ? n : NumberFormat::ParseInteger(text.substr(x + 1));
        if (!n || !m || *n < MinAxisPoints || *n > MaxAxisPoints || *m < MinAxisPoints ||
            *m > MaxAxisPoints)
            return std::string(name) +
                   " must be NxM with N and M whole numbers from 2 to 400, not '" +
                   Cli::Quote(text) + "'";
        points = std::pair{*n, *m};
        return std::nullopt;
    };
}

Cli::ValueReader LogReader(bool& logX, bool& logY) {
    return [&logX, &logY](std::string_view name,
                          const std::string& text) -> std::optional<std::string> {
        if (text == "x" || text == "y" || text == "x,y" || text == "y,x") {
            logX = text.find('x') != std::string::npos;
            logY = text.find('y') != std::string::npos;
            return std::nullopt;
        }
        return std::string(name) + " must be x, y or x,y, not '" + Cli::Quote(text) + "'";
    };
}

// Six significant digits on the terminal; --csv and --json carry every digit.
std::string G(double v) {
    return std::isfinite(v) ? fmt::format("{:.6g}", v) : std::string("-");
}

std::string Percent(double v) {
    return std::isfinite(v) ? fmt::format("{:.2f}", 100 * v) : std::string("-");
}

std::string Fixed(double v, int decimals) {
    return std::isfinite(v) ? fmt::format("{:.{}f}", v, decimals) : std::string("-");
}

std::string AxisText(const Axis& a) {
    return fmt::format("{} {} to {} {}, {} points{}", VariableName(a.Quantity), G(a.Min), G(a.Max),
                       VariableUnit(a.Quantity), a.Points, a.Log ? ", logarithmic" : "");
}

std::string PointValues(const LineMap& map, const MapPoint& p) {
    return fmt::format("{} {} {}, {} {} {}", VariableName(map.Grid.X.Quantity), G(p.X),
                       VariableUnit(map.Grid.X.Quantity), VariableName(map.Grid.Y.Quantity), G(p.Y),
                       VariableUnit(map.Grid.Y.Quantity));
}

std::string WorstName(const LineMap& map, const MapPoint& p) {
    if (p.WorstComponent < 0 || static_cast<std::size_t>(p.WorstComponent) >= map.Names.size())
        return "-";
    return Cli::TerminalText(map.Names[static_cast<std::size_t>(p.WorstComponent)]);
}

std::string Verdict(const MapPoint& p) {
    const std::string_view v = VerdictText(p.Verdict);
    return v.empty() ? std::string("none") : std::string(v);
}

std::string CriteriaText(const Design::Criteria& c) {
    return Design::CriteriaName(c) + ": " + Design::CriteriaLimits(c);
}

std::string Text(const std::string& lineName, const LineMap& map) {
    const MapGrid& g = map.Grid;
    std::string out = fmt::format("Design map of {}\n", Cli::TerminalText(lineName));
    out += "Criteria: " + CriteriaText(map.Request.Limits) + "\n";
    out += "x: " + AxisText(g.X) + "\ny: " + AxisText(g.Y) + "\n";
    if (!map.Withheld.empty())
        out += "No verdict: " + Cli::TerminalText(map.Withheld) + "\n";
    std::size_t passing = 0;
    for (const MapPoint& p : g.Points)
        passing += p.Verdict == PointVerdict::Pass;
    out += fmt::format("Passing points: {} of {}\n", passing, g.Points.size());
    if (map.Best) {
        const MapPoint& b = map.Best->Point;
        out += fmt::format("Widest margin: {}: {}, margin {} (aspiration ratio {}, transport {} %, "
                           "system {} %)\n",
                           PointValues(map, b), Verdict(b), Fixed(b.Margin, 4),
                           Fixed(b.AspirationRatio, 4), Percent(b.TransportPenetration),
                           Percent(b.SystemPenetration));
    } else {
        out += "Widest margin: none (no point has a margin)\n";
    }
    out += "\n";
    out += fmt::format(
        "{:>14}  {:>14}  {:>10}  {:>11}  {:>9}  {:>7}  {:>9}  {:<12}  {}\n",
        fmt::format("{} ({})", VariableName(g.X.Quantity), VariableUnit(g.X.Quantity)),
        fmt::format("{} ({})", VariableName(g.Y.Quantity), VariableUnit(g.Y.Quantity)),
        "aspiration", "transport %", "system %", "verdict", "margin", "worst", "regime");
    for (const MapPoint& p : g.Points)
        out +=
            fmt::format("{:>14}  {:>14}  {:>10}  {:>11}  {:>9}  {:>7}  {:>9}  {:<12}  {}\n", G(p.X),
                        G(p.Y), Fixed(p.AspirationRatio, 4), Percent(p.TransportPenetration),
                        Percent(p.SystemPenetration), Verdict(p), Fixed(p.Margin, 4),
                        WorstName(map, p), RegimeText(p.WorstRegime));
    return out;
}

std::string JsonPoint(const LineMap& map, const MapPoint& p) {
    const std::string_view v = VerdictText(p.Verdict);
    const std::string worst =
        p.WorstComponent >= 0 && static_cast<std::size_t>(p.WorstComponent) < map.Names.size()
            ? Cli::JsonString(map.Names[static_cast<std::size_t>(p.WorstComponent)])
            : std::string("null");
    const std::string_view regime = RegimeText(p.WorstRegime);
    return fmt::format(
        "{{\"X\": {}, \"Y\": {}, \"AspirationRatio\": {}, \"TransportPenetration\": {}, "
        "\"SystemPenetration\": {}, \"Verdict\": {}, \"Margin\": {}, \"WorstComponent\": {}, "
        "\"FlowRegime\": {}, \"ReynoldsNumber\": {}}}",
        Cli::JsonNumber(p.X), Cli::JsonNumber(p.Y), Cli::JsonNumber(p.AspirationRatio),
        Cli::JsonNumber(p.TransportPenetration), Cli::JsonNumber(p.SystemPenetration),
        v.empty() ? std::string("null") : Cli::JsonString(v), Cli::JsonNumber(p.Margin), worst,
        regime.empty() ? std::string("null") : Cli::JsonString(regime),
        Cli::JsonNumber(p.WorstReynolds));
}

std::string JsonAxis(const Axis& a, const std::vector<double>& values,
                     const std::optional<double>& current) {
    std::string v;
    for (double x : values)
        v += (v.empty() ? "" : ", ") + Cli::JsonNumber(x);
    return fmt::format(
        "{{\"Quantity\": {}, \"Unit\": {}, \"Min\": {}, \"Max\": {}, \"Points\": {}, "
        "\"Log\": {}, \"Current\": {}, \"Values\": [{}]}}",
        Cli::JsonString(VariableName(a.Quantity)), Cli::JsonString(VariableUnit(a.Quantity)),
        Cli::JsonNumber(a.Min), Cli::JsonNumber(a.Max), a.Points, a.Log ? "true" : "false",
        current ? Cli::JsonNumber(*current) : "null", v);
}

std::string Json(const std::string& lineName, const LineMap& map) {
    const Design::Criteria& c = map.Request.Limits;
    std::string out = "{\n";
    out += "  \"LineName\": " + Cli::JsonString(lineName) + ",\n";
    out += fmt::format("  \"Criteria\": {{\"ReferenceSize\": {}, \"MinAspirationRatio\": {}, "
                       "\"MaxAspirationRatio\": {}, \"MinTransportPenetration\": {}, "
                       "\"MinSystemPenetration\": {}, \"Default\": {}}},\n",
                       Cli::JsonNumber(c.ReferenceSize), Cli::JsonNumber(c.MinAspirationRatio),
                       Cli::JsonNumber(c.MaxAspirationRatio),
                       Cli::JsonNumber(c.MinTransportPenetration),
                       Cli::JsonNumber(c.MinSystemPenetration), c.IsDefault() ? "true" : "false");
    out += "  \"Withheld\": " +
           (map.Withheld.empty() ? std::string("null") : Cli::JsonString(map.Withheld)) + ",\n";
    out += "  \"X\": " + JsonAxis(map.Grid.X, map.Grid.XValues, map.CurrentX) + ",\n";
    out += "  \"Y\": " + JsonAxis(map.Grid.Y, map.Grid.YValues, map.CurrentY) + ",\n";
    out += "  \"Points\": [\n";
    for (std::size_t k = 0; k < map.Grid.Points.size(); ++k)
        out += "    " + JsonPoint(map, map.Grid.Points[k]) +
               (k + 1 < map.Grid.Points.size() ? ",\n" : "\n");
    out += "  ],\n";
    out +=
        "  \"Best\": " + (map.Best ? JsonPoint(map, map.Best->Point) : std::string("null")) + "\n";
    out += "}\n";
    return out;
}

} // namespace

int RunMapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto usage = [&](const std::string& message) {
        return Cli::UsageError(err, "map", message);
    };
    if (Cli::WantsHelp(args)) {
        out << Usage;
        return Cli::ExitOk;
    }
    std::string file, format;
    std::optional<Axis> x, y;
    std::optional<std::pair<int, int>> points;
    bool logX = false, logY = false;
    if (const auto error = Cli::Parse({.Options = {{{"--x"}, AxisReader(x)},
                                                   {{"--y"}, AxisReader(y)},
                                                   {{"--points"}, PointsReader(points)},
                                                   {{"--log"}, LogReader(logX, logY)}},
                                       .Formats = {"--json", "--csv"},
                                       .Format = &format,
                                       .File = &file},
                                      args))
        return usage(*error);
    if (!x)
        return usage("--x is required");
    if (!y)
        return usage("--y is required");
    x->Points = points ? points->first : 30;
    y->Points = points ? points->second : 30;
    x->Log = logX;
    y->Log = logY;

    auto loaded = Cli::LoadLine(file, Cli::ParticleSpec{});
    if (auto* error = std::get_if<std::string>(&loaded))
        return Cli::Fail(err, *error, Cli::ExitFailure);
    const Cli::LoadedLine& line = std::get<Cli::LoadedLine>(loaded);
    Cli::PrintWarnings(err, line);
    if (const auto refusal = MapRefusal(line.Model.List, *x, *y))
        return Cli::Fail(err, file + ": " + *refusal, Cli::ExitFailure);

    LineMapRequest request;
    request.X = *x;
    request.Y = *y;
    // Judged by the criteria saved with the line, for the aerosol it was saved with.
    request.Limits = line.Design.Limits;
    request.Particles = line.Design.Particles.value_or(DistributionSetting{});
    const LineMap map = ComputeLineMap(line.Model.List, request);
    if (format == "--json")
        out << Json(line.LineName, map);
    else if (format == "--csv")
        out << MapCsv(map.Grid, map.Best, map.Names);
    else
        out << Text(line.LineName, map);
    return Cli::ExitOk;
}
