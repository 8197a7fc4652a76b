#include "cli/Arguments.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "report/core/ResultsReport.h"

#include <ostream>
#include <string>

namespace {

const std::string Usage =
    std::string("Usage: lodo-cli report FILE [--mono DP | --lognormal MMAD GSD]\n"
                "\n"
                "Opens and evaluates a sample line (.lxl or legacy .lpl) and prints the lines of\n"
                "its results report: header, one row per component, notes and nomenclature.\n"
                "\n"
                "Options:\n") +
    std::string(Cli::ParticleOptionsHelp) +
    "  -h, --help           show this help\n"
    "\n" +
    std::string(Cli::ExitStatusHelp);

} // namespace

int RunReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (Cli::WantsHelp(args)) {
        out << Usage;
        return Cli::ExitOk;
    }
    Cli::ParticleSpec particle;
    std::string file;
    if (const auto error = Cli::Parse({.Particles = &particle, .File = &file}, args))
        return Cli::UsageError(err, "report", *error);

    auto loaded = Cli::LoadLine(file, particle);
    if (auto* error = std::get_if<std::string>(&loaded))
        return Cli::Fail(err, *error, Cli::ExitFailure);
    const auto& line = std::get<Cli::LoadedLine>(loaded);
    Cli::PrintWarnings(err, line);
    const ReportResult report =
        BuildPr(line.Model.List, line.LineName, line.Model.Display.SystemT.Text);
    if (const auto* notice = std::get_if<ReportNotice>(&report))
        return Cli::Fail(err, Cli::Quote(file) + ": " + notice->Text, Cli::ExitFailure);
    std::string text;
    for (const std::string& l : std::get<std::vector<std::string>>(report))
        text += Cli::TerminalText(l) + "\n";
    out << text;
    return Cli::Finish(err, line);
}
