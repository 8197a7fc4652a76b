#include "analysis/SizeResolved.h"
#include "cli/Arguments.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/StudyOutput.h"
#include "cli/WorkBounds.h"
#include "model/InputRules.h"
#include "model/NumberFormat.h"
#include "studies/engine/ParameterStudy.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>
#include <optional>
#include <ostream>
#include <string>
#include <unistd.h>

namespace {

const std::string Usage =
    std::string(
        "Usage: lodo-cli study FILE --vary Flow|Diameter|Particle|Free_Stream --from A --to B\n"
        "                           --points N [--mono DP | --lognormal MMAD GSD] "
        "[--size-resolved]\n"
        "                           [--json | --csv]\n"
        "\n"
        "Runs a parameter study on a sample line (.lxl, or a legacy .lpl file): evaluates the\n"
        "whole line at N values of one input, from A to B in equal steps, and prints the\n"
        "study's tab-delimited export: a header line, then one line per point with the\n"
        "varied value and the system penetration as a fraction. The line in the file is\n"
        "not changed. --json and --csv print the points as numbers instead.\n"
        "\n"
        "Options:\n"
        "  --vary Flow          the sample flow rate, in L/min\n"
        "         Diameter      the tube diameter, in mm, of the first component; behind a\n"
        "                       nozzle or shrouded probe that of the second component, and\n"
        "                       the penetration is then that of the line without its inlet\n"
        "         Particle      the aerodynamic particle diameter, in um (always one size)\n"
        "         Free_Stream   the free-stream velocity at the inlet, in m/s; the first\n"
        "                       component must be a nozzle or shrouded probe, and each line\n"
        "                       adds the inlet's aspiration ratio\n"
        "  --from A, --to B     first and last value, positive numbers (A above B steps down);\n"
        "                       particle sizes 0.001 to 1000 um, as for --mono\n"
        "  --points N           number of points, 1 to 50 (1 evaluates A alone)\n"
        "  --json               one JSON object: the line name, the varied quantity and its\n"
        "                       unit, the particle description and the points (penetration\n"
        "                       as a fraction; the aspiration ratio in free-stream studies)\n"
        "  --csv                comma-separated: a header naming the quantity and its unit,\n"
        "                       then one row per point\n"
        "  --size-resolved      with --lognormal, in a Flow, Diameter or Free_Stream study:\n"
        "                       record at each point the exact (size-resolved) mass\n"
        "                       penetration of the distribution instead of the specified\n"
        "                       log-normal value (see 'lodo-cli evaluate')\n") +
    std::string(Cli::ParticleOptionsHelp) + "  -h, --help           show this help\n\n" +
    std::string(Cli::ExitStatusHelp);

std::optional<StudyKind> KindArgument(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (StudyKind k :
         {StudyKind::Flow, StudyKind::Diameter, StudyKind::Particle, StudyKind::FreeStream}) {
        std::string name(VaryTypeText(k));
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (name == text)
            return k;
    }
    return std::nullopt;
}

// The input rule that the studied values must satisfy.
InputRules::RuleId StudyRule(StudyKind kind) {
    switch (kind) {
    case StudyKind::Flow:
        return InputRules::RuleId::Flow;
    case StudyKind::Diameter:
        return InputRules::RuleId::Diameter;
    case StudyKind::Particle:
        return InputRules::RuleId::ParticleSize;
    case StudyKind::FreeStream:
        return InputRules::RuleId::FreeStream;
    }
    return InputRules::RuleId::Flow;
}

} // namespace

// "point 3 of 50" on the terminal while a study runs, when stderr is one: the rest
// of the output waits for the end, and a script's log gets no progress lines.
static StudyProgress TerminalProgress() {
    if (!::isatty(STDERR_FILENO))
        return {};
    return [](int done, int total) {
        std::cerr << "\rlodo-cli study: point " << done << " of " << total << std::flush;
        return true;
    };
}

int RunStudyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto usage = [&](const std::string& message) {
        return Cli::UsageError(err, "study", message);
    };
    if (Cli::WantsHelp(args)) {
        out << Usage;
        return Cli::ExitOk;
    }

    Cli::ParticleSpec particle;
    std::string file, format;
    std::optional<StudyKind> kind;
    std::optional<double> from, to;
    std::optional<int> points;
    bool sizeResolved = false;
    const auto readKind = [&](std::string_view name,
                              const std::string& value) -> std::optional<std::string> {
        kind = KindArgument(value);
        if (!kind)
            return std::string(name) + " must be Flow, Diameter, Particle or Free_Stream, not '" +
                   Cli::Quote(value) + "'";
        return std::nullopt;
    };
    if (const auto error =
            Cli::Parse({.Flags = {{"--size-resolved", &sizeResolved}},
                        .Options = {{{"--vary"}, readKind},
                                    {{"--from"}, Cli::PositiveNumber(from)},
                                    {{"--to"}, Cli::PositiveNumber(to)},
                                    {{"--points"}, Cli::PointCount(MaxStudyPoints, points)}},
                        .Formats = {"--json", "--csv"},
                        .Format = &format,
                        .Particles = &particle,
                        .File = &file},
                       args))
        return usage(*error);
    if (!kind)
        return usage("--vary is required");
    if (!from)
        return usage("--from is required");
    if (!to)
        return usage("--to is required");
    if (!points)
        return usage("--points is required");
    if (sizeResolved && !particle.LogNormal)
        return usage("--size-resolved needs a log-normal distribution (--lognormal MMAD GSD)");
    if (sizeResolved && *kind == StudyKind::Particle)
        return usage(
            "--size-resolved does not apply to a particle-size study, which is one size at a time");
    // The values studied are the inputs of the line: they obey the same rules.
    const InputRules::Rule& rule = InputRules::RuleOf(StudyRule(*kind));
    for (const auto& [option, value] : {std::pair{"--from", *from}, std::pair{"--to", *to}})
        if (!InputRules::Allows(rule, value))
            return usage(std::string(option) + " " + NumberFormat::General15(value) + ": " +
                         std::string(rule.Message));

    auto loaded = Cli::LoadLine(file, particle);
    if (auto* error = std::get_if<std::string>(&loaded))
        return Cli::Fail(err, *error, Cli::ExitFailure);
    LodoModel& model = std::get<Cli::LoadedLine>(loaded).Model;
    Cli::PrintWarnings(err, std::get<Cli::LoadedLine>(loaded));
    const std::size_t sizes = sizeResolved         ? Cli::SizeResolvedSizes
                              : particle.LogNormal ? Cli::LogNormalSizes
                                                   : 1;
    if (const auto refused =
            Cli::CheckWork("study", model.List.size(), sizes, static_cast<std::size_t>(*points)))
        return Cli::Fail(err, *refused, Cli::ExitFailure);

    const StudyOutcome o = RunStudy(
        model, *kind, *points, *from, *to,
        sizeResolved ? StudyMeasure(Analysis::SizeResolvedMassPenetration) : StudyMeasure{},
        TerminalProgress());
    if (::isatty(STDERR_FILENO))
        std::cerr << "\r\x1b[K" << std::flush; // the progress line goes
    if (o.Error)
        return Cli::Fail(err, Cli::Quote(file) + ": " + o.Error->Text, Cli::ExitFailure);
    for (const std::string& notice : o.Notices)
        err << "lodo-cli study: " << notice << '\n';
    const Cli::StudyDescription description{std::get<Cli::LoadedLine>(loaded).LineName, *kind,
                                            particle};
    if (format == "--json") {
        out << Cli::StudyJson(description, o);
    } else if (format == "--csv") {
        out << Cli::StudyCsv(description, o);
    } else {
        for (const std::string& line : o.Lines)
            out << line << '\n';
    }
    for (std::size_t k = 0; k < o.Rows.size(); ++k) {
        const StudyRow& row = o.Rows[k];
        const bool aspiration = *kind == StudyKind::FreeStream;
        if (std::isfinite(row.Pent) && (!aspiration || std::isfinite(row.Asp)))
            continue;
        return Cli::Fail(err,
                         Cli::Quote(file) + ": no valid result at point " + std::to_string(k + 1) +
                             " (" + NumberFormat::General15(row.Value) + "): the " +
                             (std::isfinite(row.Pent) ? "aspiration ratio" : "penetration") +
                             " is not a finite number",
                         Cli::ExitInvalid);
    }
    return Cli::ExitOk;
}
