#pragma once

#include "model/DesignCase.h"
#include "model/LodoModel.h"
#include "model/TextSafety.h"
#include "persistence/LineFile.h"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// What every lodo-cli command shares: loading a line, the particle description
// options, help and error output.
namespace Cli {

inline constexpr int ExitOk = 0; // a result that is valid (a FAIL verdict is a valid result)
inline constexpr int ExitFailure =
    1;                              // a file could not be read or written, or a study could not run
inline constexpr int ExitUsage = 2; // the command line was wrong
inline constexpr int ExitInvalid = 4; // the output is printed, but a result is not a finite number

// The exit statuses as every command's help lists them; evaluate adds StrictStatusHelp.
inline constexpr std::string_view ExitStatusHelp =
    "Exit status:\n"
    "  0  the result is valid (also when the line fails an ANSI N13.1 limit: read the verdict)\n"
    "  1  a file could not be read or written (a value outside its input rule included), or\n"
    "     the command cannot run on the line (an empty line, a study it refuses)\n"
    "  2  the command line was wrong\n"
    "  4  the output is printed, but a result is not a finite number (the reason is on stderr)\n";
inline constexpr std::string_view StrictStatusHelp =
    "  3  --strict only: a component is outside the published range of one of its models,\n"
    "     or breaks a line-structure rule\n";

// The particle description the options give: Mono 10 um unless an option says otherwise.
struct ParticleSpec {
    bool LogNormal = false;
    float Dp = 10.0f;  // [um]
    float MDp = 5.0f;  // [um]
    float DpSD = 2.5f; // [-]
    bool Given = false;
    // Density, shape factor, size type and thermal conductivity (--density and the rest).
    LodoMath::ParticleProperties Properties;
    std::vector<std::string> PropertiesSeen; // the property options read so far
};

// Text for the usage lines of commands that take the particle options.
inline constexpr std::string_view ParticleOptionsHelp =
    "  --mono DP            one particle size: aerodynamic diameter DP in um (0.001 to 1000;\n"
    "                       without a particle option: the description saved with the\n"
    "                       line, else 10)\n"
    "  --lognormal MMAD GSD log-normal distribution: mass median aerodynamic diameter MMAD\n"
    "                       in um (0.001 to 1000) and geometric standard deviation GSD\n"
    "                       (above 1, up to 1000)\n"
    "  --density KG_M3      particle density, 100 to 25000 kg/m3 (1000)\n"
    "  --shape-factor CHI   dynamic shape factor, 1 to 5 (1)\n"
    "  --size-type aerodynamic|physical\n"
    "                       whether the sizes given are aerodynamic or volume-equivalent\n"
    "                       diameters (aerodynamic)\n"
    "  --thermal-conductivity W_M_K\n"
    "                       particle thermal conductivity for thermophoresis, above 0 (1.4)\n";

// When args[i] is "--mono" or "--lognormal", reads it and its values into `particles`,
// moves i to the last value and returns true; a missing or invalid value sets
// `error`. Returns false for any other argument.
bool ParseParticleOption(const std::vector<std::string>& args, std::size_t& i,
                         ParticleSpec& particles, std::string& error);

// When args[i] is one of the particle property options (--density, --shape-factor,
// --size-type, --thermal-conductivity), reads its value into `particles.Properties`,
// moves i to it and returns true; a missing, repeated or invalid value sets `error`.
bool ParseParticleProperty(const std::vector<std::string>& args, std::size_t& i,
                           ParticleSpec& particles, std::string& error);

// Applies the description as the distribution window's Confirm does.
void ApplyParticle(EvalContext& ctx, const ParticleSpec& particles);

// A line read from a file, with its particle description applied and evaluated
// (AlignList(0)) as opening it in the application does: the options' description, or
// without one the file's own (its design case), or Mono 10 um.
struct LoadedLine {
    LodoModel Model;
    std::string LineName;
    AlignResult Align;
    std::string Path;
    std::vector<std::string> Warnings; // what the reader assumed (see LineFile::Warnings)
    DistributionSetting Particles;     // the description the line was evaluated for
    Design::DesignCase Design;         // what the file says the line is designed for
};

// Prints each reader warning as "lodo-cli: warning: FILE: ..." on its own line.
void PrintWarnings(std::ostream& err, const LoadedLine& line);

// Why the evaluated line has no valid result (the first component whose result is not
// a finite number, or the system totals), or nothing when every result is finite.
std::optional<std::string> InvalidReason(const LoadedLine& line);

// Ends a command whose output is complete: ExitInvalid with the reason on `err`
// when a result is not finite, ExitOk otherwise.
int Finish(std::ostream& err, const LoadedLine& line);

enum class FileKind { ByExtension, Legacy };

// Reads a .lxl or (by its extension, or when `kind` says so) a legacy .lpl file.
// The error is one line naming the file.
std::variant<LoadedLine, std::string> LoadLine(const std::string& path,
                                               const ParticleSpec& particles,
                                               FileKind kind = FileKind::ByExtension);

// True when the arguments ask for help ("--help" or "-h").
bool WantsHelp(const std::vector<std::string>& args);

// Prints "lodo-cli: <message>" on one line (control characters escaped) and returns `code`.
int Fail(std::ostream& err, std::string_view message, int code);

// Prints a usage error with a pointer to the command's help; returns ExitUsage.
int UsageError(std::ostream& err, std::string_view command, std::string_view message);

// A JSON number: the shortest text that reads back as the same double, null when it
// is not finite.
std::string JsonNumber(double x);

// The commands quote and print texts as every front end does (model/TextSafety.h).
using TextSafety::JsonString;
using TextSafety::Quote;
using TextSafety::TerminalText;
using TextSafety::TextWidth;

} // namespace Cli
