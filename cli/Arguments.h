#pragma once

#include "cli/CliCommon.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The command line of a lodo-cli command, declared rather than looped over: every
// command reads its arguments the same way and says the same things about them.
namespace Cli {

// Checks and stores the value of an option (as `name` spelled it); the usage message
// when the value is not one the option takes.
using ValueReader =
    std::function<std::optional<std::string>(std::string_view name, const std::string& value)>;

// An option without a value; giving it twice is a usage error.
struct Flag {
    std::string_view Name;
    bool* Set;
};

// An option followed by one value.
struct ValuedOption {
    std::vector<std::string_view> Names; // each spells the same option ("-o", "--output")
    ValueReader Read;
    std::string_view Needs = "a value"; // the message "<name> needs <Needs>" when it has none
    std::string_view Twice = {};        // the message when given twice ("<name> given twice")
};

struct ArgumentSpec {
    std::vector<Flag> Flags = {};
    std::vector<ValuedOption> Options = {};
    // Output formats of which at most one may be given; the one given goes to *Format
    // (left empty when none is).
    std::vector<std::string_view> Formats = {};
    std::string* Format = nullptr;
    ParticleSpec* Particles = nullptr; // takes --mono and --lognormal when set
    std::string* File = nullptr;       // takes exactly one FILE when set, none otherwise
};

// Reads `args` (help already answered) into what `spec` points to; the first usage
// message, or nothing when the command line is right.
std::optional<std::string> Parse(const ArgumentSpec& spec, const std::vector<std::string>& args);

// Readers of the values the commands share.

// A particle diameter under the particle size rule, in um; `what` names it in the message.
ValueReader ParticleDiameter(std::optional<double>& value,
                             std::string_view what = "the particle diameter");
// A number above 0.
ValueReader PositiveNumber(std::optional<double>& value);
// A whole number from 1 to `max`.
ValueReader PointCount(int max, std::optional<int>& value);
// A number from `min` to `max` (no upper end when `max` is infinite); `what` names the
// quantity in the message, with its unit.
ValueReader NumberWithin(double min, double max, std::string_view what, double& value);

} // namespace Cli
