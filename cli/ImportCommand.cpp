#include "cli/Arguments.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/EvaluationText.h"
#include "persistence/FileIo.h"
#include "persistence/LineFile.h"

#include <ostream>
#include <string>

namespace {

const std::string Usage =
    std::string(
        "Usage: lodo-cli import FILE.lpl [-o OUT.lxl] [--mono DP | --lognormal MMAD GSD]\n"
        "\n"
        "Reads a sample line from a legacy comma-separated file and evaluates it. With -o\n"
        "it is written as a sample-line file OUT.lxl; without, the evaluation table is\n"
        "printed as 'evaluate' prints it.\n"
        "\n"
        "Options:\n"
        "  -o, --output OUT.lxl write the imported line to OUT.lxl (replacing it, unless it is\n"
        "                       read-only or is FILE.lpl itself)\n") +
    std::string(Cli::ParticleOptionsHelp) +
    "  -h, --help           show this help\n"
    "\n" +
    std::string(Cli::ExitStatusHelp);

} // namespace

int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (Cli::WantsHelp(args)) {
        out << Usage;
        return Cli::ExitOk;
    }
    Cli::ParticleSpec particle;
    std::string file, output;
    constexpr std::string_view needs = "the output file name";
    const Cli::ValuedOption outputOption{
        .Names = {"-o", "--output"},
        .Read = [&](std::string_view name, const std::string& value) -> std::optional<std::string> {
            if (value.empty())
                return std::string(name) + " needs " + std::string(needs);
            output = value;
            return std::nullopt;
        },
        .Needs = needs,
        .Twice = "only one output file may be given"};
    if (const auto error =
            Cli::Parse({.Options = {outputOption}, .Particles = &particle, .File = &file}, args))
        return Cli::UsageError(err, "import", *error);

    // Writing over the file being imported would replace the legacy line with XML.
    if (!output.empty() && FileIo::SameFile(file, output))
        return Cli::Fail(
            err, Cli::Quote(output) + ": the output is the file being imported; give another name",
            Cli::ExitFailure);
    auto loaded = Cli::LoadLine(file, particle, Cli::FileKind::Legacy);
    if (auto* error = std::get_if<std::string>(&loaded))
        return Cli::Fail(err, *error, Cli::ExitFailure);
    const auto& line = std::get<Cli::LoadedLine>(loaded);
    Cli::PrintWarnings(err, line);
    if (output.empty()) {
        out << Cli::EvaluationTable(line);
        return Cli::Finish(err, line);
    }
    if (auto error = WriteLxlFile(output, line.Model.List, line.LineName))
        return Cli::Fail(err, Cli::Quote(output) + ": " + error->Message, Cli::ExitFailure);
    out << "Imported " << line.Model.List.size()
        << (line.Model.List.size() == 1 ? " component" : " components") << " into "
        << Cli::Quote(output) << "\n";
    return Cli::Finish(err, line);
}
