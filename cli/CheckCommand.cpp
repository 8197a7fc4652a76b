#include "cli/Arguments.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/VerdictOutput.h"
#include "model/DesignCaseRules.h"
#include "model/NumberFormat.h"

#include <array>
#include <ostream>
#include <string>

namespace {

// The design does not pass its criteria (over its range when one is set).
constexpr int ExitDesignFails = 5;

std::string ExitStatuses() {
    std::string text(Cli::ExitStatusHelp);
    text.replace(text.find("  0  "), text.find("  1  ") - text.find("  0  "),
                 "  0  the design passes its criteria (at every point of its operating range)\n");
    return text + "  5  the design does not pass: a criterion fails, the line has no inlet, or\n"
                  "     the verdict is withheld (an inconsistent geometry, a point of the range\n"
                  "     without a valid result)\n";
}

const std::string Usage =
    std::string(
        "Usage: lodo-cli check FILE [--json] [--stack-velocity MIN:MAX] [--flow MIN:MAX]\n"
        "                      [--temperature MIN:MAX] [--mono DP | --lognormal MMAD GSD]\n"
        "\n"
        "Checks a sample line (.lxl, or a legacy .lpl file) against its acceptance criteria:\n"
        "the ANSI N13.1 criteria at 10 um aerodynamic diameter unless the file sets others.\n"
        "Three quantities, each against its criterion: the inlet's aspiration ratio (0.8 to\n"
        "1.5), the transport penetration (every loss from the inlet's wall loss to the last\n"
        "component, aspiration excluded; at least 50 %) and the system penetration (aspiration\n"
        "ratio x transport penetration; at least 50 %). The design passes only when all three\n"
        "hold, at the line's own operating point and, with an operating range, at every\n"
        "combination of the minimum, the line's own value and the maximum of each range (at\n"
        "most 27 points). Prints the design case, each criterion, the range table with the\n"
        "worst point of each quantity, and the design verdict.\n"
        "\n"
        "Options:\n"
        "  --stack-velocity MIN:MAX  free-stream velocity at the inlet, m/s\n"
        "  --flow MIN:MAX            sample flow, L/min\n"
        "  --temperature MIN:MAX     gas temperature of every component, degC\n"
        "                            (each range replaces the file's range of that quantity)\n") +
    std::string(Cli::ParticleOptionsHelp) +
    "                       (the verdict is taken at the reference size whatever description\n"
    "                       is selected; without an option, the file's description)\n"
    "  --json               print one JSON object instead of the report\n"
    "  -h, --help           show this help\n"
    "\n" +
    ExitStatuses();

// "MIN:MAX" of a range of the design case, under the rules the file's range obeys.
Cli::ValueReader RangeReader(const DesignCaseRules::RangeField& field,
                             std::optional<Design::Interval>& value) {
    return [&field, &value](std::string_view name, const std::string& text) {
        const std::string quoted = "'" + Cli::Quote(text) + "'";
        const std::size_t colon = text.find(':');
        std::optional<double> min, max;
        if (colon != std::string::npos) {
            min = NumberFormat::ParseNumber(text.substr(0, colon));
            max = NumberFormat::ParseNumber(text.substr(colon + 1));
        }
        if (!min.has_value() || !max.has_value())
            return std::optional(std::string(name) + " needs MIN:MAX, two numbers, not " + quoted);
        const Design::Interval range{*min, *max};
        if (auto why = DesignCaseRules::CheckInterval(field, range))
            return std::optional(std::string(name) + " " + quoted + ": " + *why);
        value = range;
        return std::optional<std::string>();
    };
}

} // namespace

int RunCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (Cli::WantsHelp(args)) {
        out << Usage;
        return Cli::ExitOk;
    }
    Cli::ParticleSpec particle;
    std::string file;
    bool json = false;
    // One option per range of the design case: --stack-velocity, --flow, --temperature.
    constexpr std::string_view OptionNames[] = {"--stack-velocity", "--flow", "--temperature"};
    std::array<std::optional<Design::Interval>, DesignCaseRules::RangeFields.size()> given;
    std::vector<Cli::ValuedOption> options;
    for (std::size_t k = 0; k < given.size(); ++k)
        options.push_back(
            {{OptionNames[k]}, RangeReader(DesignCaseRules::RangeFields[k], given[k]), "MIN:MAX"});
    if (const auto error = Cli::Parse({.Flags = {{"--json", &json}},
                                       .Options = options,
                                       .Particles = &particle,
                                       .File = &file},
                                      args))
        return Cli::UsageError(err, "check", *error);

    auto loaded = Cli::LoadLine(file, particle);
    if (auto* error = std::get_if<std::string>(&loaded))
        return Cli::Fail(err, *error, Cli::ExitFailure);
    const auto& line = std::get<Cli::LoadedLine>(loaded);
    Cli::PrintWarnings(err, line);

    Design::OperatingRange r = line.Design.Range;
    for (std::size_t k = 0; k < given.size(); ++k)
        if (given[k])
            r.*DesignCaseRules::RangeFields[k].Member = given[k];
    const Design::Verdict v = Cli::VerdictOf(line, r);
    out << (json ? Cli::CheckJson(line, v) : Cli::CheckTable(line, v));
    if (const int status = Cli::Finish(err, line); status != Cli::ExitOk)
        return status;
    return v.Result() == Design::Outcome::Pass ? Cli::ExitOk : ExitDesignFails;
}
