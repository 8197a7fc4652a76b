#include "analysis/CurveCsv.h"
#include "analysis/CutSize.h"
#include "analysis/PenetrationCurve.h"
#include "analysis/SizeResolvedText.h"
#include "cli/Arguments.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/WorkBounds.h"
#include "model/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <optional>
#include <ostream>
#include <string>

namespace {

constexpr int MaxPoints = 10000;

const std::string Usage =
    std::string(
        "Usage: lodo-cli curve FILE [--from D1] [--to D2] [--points N] [--csv | --json]\n"
        "\n"
        "Prints the penetration curve of a sample line (.lxl, or a legacy .lpl file): the\n"
        "transmission of every component at each particle size, evaluated exactly as the\n"
        "monodisperse evaluation evaluates that size, and the system penetration, their\n"
        "product. Inlets include their aspiration, so a value may exceed 100 %. The sizes are\n"
        "spaced evenly in log d. The cut size d50 follows the table. The line in the file is\n"
        "not changed.\n"
        "\n"
        "Options:\n"
        "  --from D1            first aerodynamic diameter in um (0.001 to 1000; default 0.01)\n"
        "  --to D2              last aerodynamic diameter in um (0.001 to 1000; default 100)\n"
        "  --points N           number of sizes, 1 to 10000 (default 200; 1 gives D1 alone)\n"
        "  --csv                comma-separated, header Dp_um,<component names>,System, the\n"
        "                       values as fractions\n"
        "  --json               one JSON object: the line name, the sizes, each component's\n"
        "                       values, the system's and the cut size (fractions, um)\n"
        "  -h, --help           show this help\n"
        "\n") +
    std::string(Cli::ExitStatusHelp);

// The shortest text that reads back as the same float: the size the curve used.
std::string SizeNumber(float d) {
    return fmt::format("{}", d);
}

std::string Percent(double fraction) {
    const double p = 100 * fraction;
    return std::isfinite(p) ? NumberFormat::Fixed(p, 2) : "invalid";
}

std::string Table(const Cli::LoadedLine& line, const Analysis::PenetrationCurve& c,
                  const std::optional<double>& d50) {
    std::string out = "Sample line: " + Cli::TerminalText(line.LineName) + "\n";
    out += "Penetration curve (%), each size evaluated as one particle size\n";
    std::vector<std::string> head{"Dp (\u00B5m)"};
    for (const std::string& n : c.Names)
        head.push_back(Cli::TerminalText(n));
    head.push_back("System");
    std::vector<std::size_t> width;
    for (const std::string& h : head)
        width.push_back(std::max<std::size_t>(Cli::TextWidth(h), 8));
    const auto row = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t j = 0; j < cells.size(); ++j) {
            const std::size_t w = Cli::TextWidth(cells[j]);
            text += (j ? "  " : "") + std::string(width[j] - std::min(width[j], w), ' ') + cells[j];
        }
        return text + "\n";
    };
    out += row(head);
    for (std::size_t k = 0; k < c.Dp.size(); ++k) {
        std::vector<std::string> cells{fmt::format("{:.4g}", c.Dp[k])};
        for (std::size_t i = 0; i < c.Components(); ++i)
            cells.push_back(Percent(c.At(k, i)));
        cells.push_back(Percent(c.System[k]));
        out += row(cells);
    }
    out += "\nCut size d50: " +
           (d50 ? Analysis::DiameterText(*d50) + " \u00B5m" : std::string("none")) + "\n";
    return out;
}

std::string Json(const Cli::LoadedLine& line, const Analysis::PenetrationCurve& c,
                 const std::optional<double>& d50) {
    const auto list = [](std::size_t n, const auto& at) {
        std::string s = "[";
        for (std::size_t k = 0; k < n; ++k)
            s += (k ? ", " : "") + at(k);
        return s + "]";
    };
    std::string out = "{\n";
    out += "  \"LineName\": " + Cli::JsonString(line.LineName) + ",\n";
    out += "  \"Dp\": " + list(c.Dp.size(), [&](std::size_t k) { return SizeNumber(c.Dp[k]); }) +
           ",\n";
    out += "  \"Components\": [";
    for (std::size_t i = 0; i < c.Components(); ++i) {
        out += i == 0 ? "\n" : ",\n";
        out += "    {\"Index\": " + std::to_string(i) +
               ", \"Name\": " + Cli::JsonString(c.Names[i]) + ", \"Trans\": " +
               list(c.Dp.size(), [&](std::size_t k) { return Cli::JsonNumber(c.At(k, i)); }) + "}";
    }
    out += c.Components() == 0 ? "],\n" : "\n  ],\n";
    out += "  \"System\": " +
           list(c.Dp.size(), [&](std::size_t k) { return Cli::JsonNumber(c.System[k]); }) + ",\n";
    out += "  \"D50\": " + (d50 ? Cli::JsonNumber(*d50) : std::string("null")) + "\n}\n";
    return out;
}

} // namespace

int RunCurveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (Cli::WantsHelp(args)) {
        out << Usage;
        return Cli::ExitOk;
    }
    std::string file, format;
    std::optional<double> from, to;
    std::optional<int> points;
    if (const auto error =
            Cli::Parse({.Options = {{{"--from"}, Cli::ParticleDiameter(from)},
                                    {{"--to"}, Cli::ParticleDiameter(to)},
                                    {{"--points"}, Cli::PointCount(MaxPoints, points)}},
                        .Formats = {"--json", "--csv"},
                        .Format = &format,
                        .File = &file},
                       args))
        return Cli::UsageError(err, "curve", *error);

    auto loaded = Cli::LoadLine(file, Cli::ParticleSpec{});
    if (auto* error = std::get_if<std::string>(&loaded))
        return Cli::Fail(err, *error, Cli::ExitFailure);
    const auto& line = std::get<Cli::LoadedLine>(loaded);
    Cli::PrintWarnings(err, line);
    if (const auto refused = Cli::CheckWork(
            "curve", line.Model.List.size(),
            static_cast<std::size_t>(points.value_or(Analysis::CurvePoints)) + Cli::AnalysisSizes,
            1))
        return Cli::Fail(err, *refused, Cli::ExitFailure);
    const std::vector<float> sizes =
        Analysis::LogSpacedSizes(from.value_or(Analysis::CurveFrom), to.value_or(Analysis::CurveTo),
                                 points.value_or(Analysis::CurvePoints));
    const Analysis::PenetrationCurve curve =
        Analysis::ComputePenetrationCurve(line.Model.List, sizes, line.Model.Ctx.Particle);
    const std::optional<double> d50 =
        Analysis::CutSizeD50(line.Model.List, line.Model.Ctx.Particle);
    out << (format == "--csv"    ? Analysis::CurveCsv(curve)
            : format == "--json" ? Json(line, curve, d50)
                                 : Table(line, curve, d50));
    for (std::size_t k = 0; k < curve.Dp.size(); ++k) {
        if (!std::isfinite(curve.System[k]))
            return Cli::Fail(err,
                             line.Path + ": no valid result: the system penetration at " +
                                 SizeNumber(curve.Dp[k]) + " um is not a finite number",
                             Cli::ExitInvalid);
    }
    return Cli::ExitOk;
}
