#include "cli/SizeResolvedOutput.h"

#include "analysis/SizeResolvedText.h"

#include <algorithm>
#include <cmath>

namespace Cli {
namespace {

std::string D50Text(const Analysis::SizeResolvedSummary& s) {
    return s.D50 ? Analysis::DiameterText(*s.D50) + " \u00B5m"
                 : "none (the system penetration does not fall through 50 % from above, 0.001 to "
                   "1000 \u00B5m)";
}

std::string Percent(double fraction) {
    return std::isfinite(fraction) ? Analysis::PercentText(fraction) : "-";
}

} // namespace

std::string SizeResolvedTable(const LoadedLine& line, const Analysis::SizeResolvedSummary& s) {
    const LodoList& list = line.Model.List;
    if (list.empty())
        return "";
    std::string out = "Cut size d50: " + D50Text(s) + "\n";
    if (line.Model.Ctx.DType != Distribution::LogNormal)
        return out;
    if (!s.Distribution)
        return out + "Size-resolved penetration: invalid distribution\n";
    const Analysis::SizeResolvedResult& r = *s.Distribution;
    out += "Size-resolved mass penetration: " + Percent(r.MassPenetration) + "\n";
    out += "Size-resolved number penetration: " + Percent(r.NumberPenetration) + "\n";
    out += "Mass median diameter leaving the line: " +
           (std::isfinite(r.PenetratedMMAD) ? Analysis::DiameterText(r.PenetratedMMAD) + " \u00B5m"
                                            : std::string("none (no mass leaves)")) +
           "\n";
    out += "Size-resolved by component (of the aerosol that reaches it):\n";
    std::size_t wi = 1, wn = 4;
    for (std::size_t i = 0; i < list.size(); ++i) {
        wi = std::max(wi, std::to_string(i + 1).size());
        wn = std::max(wn, TextWidth(TerminalText(list[i].Name)));
    }
    const auto row = [&](const std::string& i, const std::string& name, const std::string& mass,
                         const std::string& number, const std::string& deposited) {
        std::string text =
            std::string(wi - std::min(wi, i.size()), ' ') + i + "  " + name +
            std::string(wn - std::min(wn, TextWidth(name)), ' ') + "  " +
            std::string(8 - std::min<std::size_t>(8, mass.size()), ' ') + mass + "  " +
            std::string(8 - std::min<std::size_t>(8, number.size()), ' ') + number + "  " +
            std::string(14 - std::min<std::size_t>(14, deposited.size()), ' ') + deposited;
        return text + "\n";
    };
    out += row("#", "Name", "Mass", "Number", "Mass deposited");
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Analysis::ComponentSizeResolved& c = r.Components[i];
        out += row(std::to_string(i + 1), TerminalText(list[i].Name), Percent(c.MassPenetration),
                   Percent(c.NumberPenetration), Percent(c.MassDeposited));
    }
    return out;
}

std::string SizeResolvedJson(const LoadedLine& line, const Analysis::SizeResolvedSummary& s) {
    const LodoList& list = line.Model.List;
    const bool logNormal = line.Model.Ctx.DType == Distribution::LogNormal;
    // An empty line has no system values, as under "System".
    const Analysis::SizeResolvedResult* r =
        logNormal && !list.empty() && s.Distribution ? &*s.Distribution : nullptr;
    const auto value = [&](double x) { return r ? JsonNumber(x) : std::string("null"); };
    std::string out =
        "  \"SizeResolved\": {\"D50\": " + (s.D50 ? JsonNumber(*s.D50) : std::string("null"));
    out += ", \"MassPenetration\": " + value(r ? r->MassPenetration : 0);
    out += ", \"NumberPenetration\": " + value(r ? r->NumberPenetration : 0);
    out += ", \"PenetratedMMAD\": " + value(r ? r->PenetratedMMAD : 0);
    out += ", \"Components\": [";
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Analysis::ComponentSizeResolved c =
            r ? r->Components[i] : Analysis::ComponentSizeResolved{};
        out += i == 0 ? "\n" : ",\n";
        out += "    {\"Index\": " + std::to_string(i);
        out += ", \"Name\": " + JsonString(list[i].Name);
        out += ", \"MassPenetration\": " + value(c.MassPenetration);
        out += ", \"NumberPenetration\": " + value(c.NumberPenetration);
        out += ", \"MassDeposited\": " + value(c.MassDeposited) + "}";
    }
    out += list.empty() ? "]},\n" : "\n  ]},\n";
    return out;
}

} // namespace Cli
