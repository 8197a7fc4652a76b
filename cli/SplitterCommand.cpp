#include "cli/Arguments.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/SplitterJson.h"
#include "splitter/core/Wye.h"

#include <cmath>
#include <ostream>
#include <string>
#include <utility>

namespace {

const std::string Usage =
    "Usage: lodo-cli splitter [--flow Q] [--angle DEG] [--dia D] [--temp T] [--press P]\n"
    "                         [--dp DP] [--json]\n"
    "\n"
    "Sizes a symmetric flow splitter (wye) that divides an inlet tube into two equal\n"
    "branches and estimates its particle penetration. Prints the results as the\n"
    "splitter window shows them, then the model's limits (shown only, not enforced).\n"
    "\n"
    "Options:\n"
    "  --flow Q     inlet flow rate at actual conditions, L/min (0.001 to 200; 57)\n"
    "  --angle DEG  bifurcation angle between the branches, degrees (30 to 90; 30)\n"
    "  --dia D      inlet internal diameter, mm (at least 0.01; 38.1)\n"
    "  --temp T     temperature, degrees C (0.01 to 1000; 25)\n"
    "  --press P    absolute pressure, kPa (0.01 to 1000; 101.325)\n"
    "  --dp DP      aerodynamic particle diameter, um (0.001 to 1000; 10)\n"
    "  --json       one JSON object instead: the inputs, the results as numbers, their\n"
    "               units and the model's limits\n"
    "  -h, --help   show this help\n"
    "\n" +
    std::string(Cli::ExitStatusHelp);

Cli::ValuedOption Input(std::string_view name, const Wye::InputLimit& limit, std::string_view what,
                        double& value) {
    return {{name}, Cli::NumberWithin(limit.Min, limit.Max, what, value)};
}

// A diameter near the largest number makes the lengths overflow: the output is
// printed, but the status says that a result is not a number.
int InvalidStatus(std::ostream& err, const Wye::WyeResults& r) {
    const std::pair<const char*, double> results[] = {
        {"penetration", r.YTrans},
        {"outlet tube diameter", r.YDo},
        {"minimum inlet tube length", r.YLi},
        {"minimum outlet tube length", r.YLo},
        {"Stokes number", r.Stoke},
        {"Reynolds number", r.Reynolds},
    };
    for (const auto& [name, value] : results)
        if (!std::isfinite(value))
            return Cli::Fail(
                err, std::string("no valid result: the ") + name + " is not a finite number",
                Cli::ExitInvalid);
    return Cli::ExitOk;
}

} // namespace

int RunSplitterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (Cli::WantsHelp(args)) {
        out << Usage;
        return Cli::ExitOk;
    }
    Wye::WyeInputs in;
    double dp = 10.0; // the start-up particle size of the distribution window
    bool json = false;
    if (const auto error = Cli::Parse(
            {.Flags = {{"--json", &json}},
             .Options =
                 {Input("--flow", Wye::FlowLimit, "the flow rate (L/min)", in.YFlow),
                  Input("--angle", Wye::AngleLimit, "the bifurcation angle (degrees)", in.YAngle),
                  Input("--dia", Wye::DiLimit, "the inlet diameter (mm)", in.YDi),
                  Input("--temp", Wye::TempLimit, "the temperature (degrees C)", in.YTemp),
                  Input("--press", Wye::PressLimit, "the pressure (kPa)", in.YPress),
                  Input("--dp", Wye::InputLimit{0.001, 1000.0}, "the particle diameter (um)", dp)}},
            args))
        return Cli::UsageError(err, "splitter", *error);

    const Wye::WyeResults r = Wye::CalcT(in, static_cast<float>(dp));
    if (json) {
        out << Cli::SplitterJson(in, static_cast<float>(dp), r);
        return InvalidStatus(err, r);
    }
    out << "Component Transmission (%): " << r.Label1 << '\n'
        << r.Label7 << '\n'
        << r.Label9 << '\n'
        << r.Label10 << '\n'
        << r.Label15 << '\n'
        << r.Label16 << '\n'
        << "Model Limitations\n";
    for (const std::string& line : Wye::LimitsLines())
        out << line << '\n';
    return InvalidStatus(err, r);
}
