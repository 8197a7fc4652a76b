// lodo-cli: the sample-line calculations from the command line.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "version/ProgramVersion.h"

#include <cerrno>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

struct Command {
    std::string_view Name;
    std::string_view Summary;
    int (*Run)(const std::vector<std::string>&, std::ostream&, std::ostream&);
};

// One entry per command; each command prints its own help.
constexpr Command Commands[] = {
    {"evaluate", "evaluate a sample line and print each component's transmission",
     RunEvaluateCommand},
    {"check", "judge a sample line against its design criteria, over its operating range",
     RunCheckCommand},
    {"report", "print the results report of a sample line", RunReportCommand},
    {"import", "read a legacy .lpl sample line; evaluate it or write it as .lxl", RunImportCommand},
    {"study", "vary one input of a sample line over a range; print the study table",
     RunStudyCommand},
    {"curve", "print the penetration curve of a sample line and its cut size d50", RunCurveCommand},
    {"splitter", "size a flow splitter (wye) and estimate its penetration", RunSplitterCommand},
    {"map", "map the design verdict of a sample line over two operating conditions", RunMapCommand},
};

std::string Usage() {
    std::string text =
        "Usage: lodo-cli COMMAND [ARGS...]\n"
        "       lodo-cli COMMAND --help\n"
        "\n"
        "Penetration of aerosol particles through sampling lines, for sample-line files\n"
        "(.lxl, and legacy .lpl).\n"
        "\n"
        "Commands:\n";
    for (const Command& c : Commands)
        text += "  " + std::string(c.Name) +
                std::string(c.Name.size() < 10 ? 10 - c.Name.size() : 1, ' ') +
                std::string(c.Summary) + "\n";
    text +=
        "\nOptions:\n  -h, --help  show this help\n  --version   show the version and build id\n\n";
    // Every status any command gives: 3 is evaluate --strict's, 5 is check's.
    std::string statuses(Cli::ExitStatusHelp);
    statuses.insert(statuses.find("  4  "), Cli::StrictStatusHelp);
    text +=
        statuses +
        "  5  check only: the design does not pass its criteria (see 'lodo-cli check --help')\n";
    return text;
}

// Prints what a command produced; a standard output that cannot take it (a full disk,
// a closed pipe) fails the command, since its result never arrived.
int Emit(const std::string& out, const std::string& err, int code) {
    errno = 0;
    std::cout << out << std::flush;
    const int writeError = errno;
    std::cerr << err << std::flush;
    if (std::cout)
        return code;
    return Cli::Fail(
        std::cerr,
        "cannot write the output: " +
            (writeError ? std::generic_category().message(writeError) : std::string("write error")),
        Cli::ExitFailure);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << Usage();
        return Cli::ExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help")
        return Emit(Usage(), "", Cli::ExitOk);
    if (args[0] == "--version")
        return Emit(ProgramVersion::VersionLine("lodo-cli") + "\n", "", Cli::ExitOk);
    for (const Command& c : Commands) {
        if (args[0] != c.Name)
            continue;
        // Nothing reaches the terminal until the command has finished.
        std::ostringstream out, err;
        const int code = c.Run({args.begin() + 1, args.end()}, out, err);
        return Emit(out.str(), err.str(), code);
    }
    return Cli::Fail(std::cerr,
                     "unknown command '" + Cli::Quote(args[0]) + "' (see 'lodo-cli --help')",
                     Cli::ExitUsage);
}
