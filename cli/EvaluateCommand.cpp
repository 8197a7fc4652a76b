#include "analysis/LimitFindings.h"
#include "cli/Arguments.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/EvaluationText.h"
#include "cli/WorkBounds.h"

#include <ostream>
#include <string>

namespace {

// Findings are not errors: only --strict turns them into an exit status.
constexpr int ExitModelLimits = 3;

int StrictStatus(bool strict, const LodoModel& m) {
    return strict && ModelLimits::AnyFinding(m) ? ExitModelLimits : Cli::ExitOk;
}

// The shared list with --strict's status in its place.
std::string ExitStatuses() {
    std::string text(Cli::ExitStatusHelp);
    text.insert(text.find("  4  "), Cli::StrictStatusHelp);
    return text;
}

const std::string Usage =
    std::string(
        "Usage: lodo-cli evaluate FILE [--mono DP | --lognormal MMAD GSD] [--json] [--strict]\n"
        "\n"
        "Opens a sample line (.lxl, or a legacy .lpl file), evaluates every component in\n"
        "line order and prints the transmission of each component, its per-type results,\n"
        "the system penetration and the design verdict: the ANSI N13.1 criteria at 10 um\n"
        "aerodynamic diameter (unless the file sets others), taken at that size whatever\n"
        "particle description is selected, over the file's operating range when it has one\n"
        "(see 'lodo-cli check --help'; in log-normal mode the log-normal figures are\n"
        "information). The table\n"
        "numbers components from 1; \"Index\" in the JSON output counts from 0. Under a\n"
        "component's row are its findings: what the line's structure makes impossible to\n"
        "evaluate honestly (an inlet that is not first, a contraction that widens, a bend\n"
        "tighter than its tube, an inclination, temperature or pressure outside what the\n"
        "models understand; \"Structure\" in the JSON), then its model-limit findings:\n"
        "quantities outside the published range of a correlation, taken at the mass median\n"
        "diameter in log-normal mode (\"Limits\" in the JSON).\n"
        "\n"
        "Options:\n") +
    std::string(Cli::ParticleOptionsHelp) +
    "  --json               print one JSON object instead of the table\n"
    "  --strict             exit with status 3 when a component has a finding: outside the\n"
    "                       published range of one of its models, or breaking a structure\n"
    "                       rule (the results are printed as always; a result that is not\n"
    "                       finite keeps status 4)\n"
    "  -h, --help           show this help\n"
    "\n" +
    ExitStatuses();

} // namespace

int RunEvaluateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (Cli::WantsHelp(args)) {
        out << Usage;
        return Cli::ExitOk;
    }
    Cli::ParticleSpec particle;
    std::string file;
    bool json = false;
    bool strict = false;
    if (const auto error = Cli::Parse({.Flags = {{"--json", &json}, {"--strict", &strict}},
                                       .Particles = &particle,
                                       .File = &file},
                                      args))
        return Cli::UsageError(err, "evaluate", *error);

    auto loaded = Cli::LoadLine(file, particle);
    if (auto* error = std::get_if<std::string>(&loaded))
        return Cli::Fail(err, *error, Cli::ExitFailure);
    const auto& line = std::get<Cli::LoadedLine>(loaded);
    Cli::PrintWarnings(err, line);
    if (const auto refused = Cli::CheckWork(
            "evaluate", line.Model.List.size(),
            1 + Cli::AnalysisSizes +
                (particle.LogNormal ? Cli::LogNormalSizes + Cli::SizeResolvedSizes : 0),
            1))
        return Cli::Fail(err, *refused, Cli::ExitFailure);
    // Nothing to evaluate is no result, as for report and study.
    if (line.Model.List.empty())
        return Cli::Fail(err, Cli::Quote(file) + ": There are no components in sample system.",
                         Cli::ExitFailure);
    out << (json ? Cli::EvaluationJson(line) : Cli::EvaluationTable(line));
    const int status = Cli::Finish(err, line);
    return status != Cli::ExitOk ? status : StrictStatus(strict, line.Model);
}
