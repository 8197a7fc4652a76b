#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/SplitterJson.h"
#include "model/NumberFormat.h"
#include "splitter/core/Wye.h"

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

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

struct Option {
    std::string_view Name;
    std::string_view What;
    Wye::InputLimit Limit;
    double* Value;
};

std::string LimitText(const Wye::InputLimit& l) {
    if (std::isinf(l.Max))
        return "at least " + NumberFormat::General15(l.Min);
    return "from " + NumberFormat::General15(l.Min) + " to " + NumberFormat::General15(l.Max);
}

} // namespace

int RunSplitterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (Cli::WantsHelp(args)) {
        out << Usage;
        return Cli::ExitOk;
    }
    Wye::WyeInputs in;
    double dp = 10.0; // the start-up particle size of the distribution window
    const Option options[] = {
        {"--flow", "the flow rate (L/min)", Wye::FlowLimit, &in.YFlow},
        {"--angle", "the bifurcation angle (degrees)", Wye::AngleLimit, &in.YAngle},
        {"--dia", "the inlet diameter (mm)", Wye::DiLimit, &in.YDi},
        {"--temp", "the temperature (degrees C)", Wye::TempLimit, &in.YTemp},
        {"--press", "the pressure (kPa)", Wye::PressLimit, &in.YPress},
        {"--dp", "the particle diameter (um)", Wye::InputLimit{0.001, 1000.0}, &dp},
    };
    bool seen[std::size(options)] = {};
    bool json = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            if (json)
                return Cli::UsageError(err, "splitter", "--json given twice");
            json = true;
            continue;
        }
        std::size_t k = 0;
        while (k < std::size(options) && options[k].Name != a)
            ++k;
        if (k == std::size(options)) {
            if (a.starts_with("-"))
                return Cli::UsageError(err, "splitter", "unknown option '" + Cli::Quote(a) + "'");
            return Cli::UsageError(err, "splitter", "unexpected argument '" + Cli::Quote(a) + "'");
        }
        const Option& o = options[k];
        if (seen[k])
            return Cli::UsageError(err, "splitter", a + " given twice");
        seen[k] = true;
        if (i + 1 >= args.size())
            return Cli::UsageError(err, "splitter", a + " needs a value");
        const std::string& v = args[++i];
        const auto x = NumberFormat::ParseNumber(v);
        if (!x || *x < o.Limit.Min || *x > o.Limit.Max)
            return Cli::UsageError(err, "splitter",
                                   a + ": " + std::string(o.What) + " must be a number " +
                                       LimitText(o.Limit) + ", not '" + Cli::Quote(v) + "'");
        *o.Value = *x;
    }

    const Wye::WyeResults r = Wye::CalcT(in, static_cast<float>(dp));
    if (json) {
        out << Cli::SplitterJson(in, static_cast<float>(dp), r);
        return Cli::ExitOk;
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
    return Cli::ExitOk;
}
