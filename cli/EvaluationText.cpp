#include "cli/EvaluationText.h"

#include "analysis/LimitFindings.h"
#include "cli/SizeResolvedOutput.h"
#include "cli/VerdictOutput.h"
#include "model/EvalFrame.h"
#include "model/LineStructure.h"
#include "model/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

namespace Cli {
namespace {

bool IsLogNormal(const EvalContext& ctx) {
    return ctx.DType == Distribution::LogNormal;
}

std::string Percent(double fraction) {
    const double p = 100.0 * fraction;
    return std::isfinite(p) ? NumberFormat::Fixed(p, 2) + " %" : "invalid";
}

std::string Ratio(double x) {
    return std::isfinite(x) ? NumberFormat::Fixed(x, 4) : "invalid";
}

std::string Size(float um) {
    return std::isfinite(um) ? fmt::format("{:g} \u00B5m", um) : "invalid";
}

// The inlet's aspiration ratio with the same ANSI verdict the property page colours.
std::string Aspiration(double asp) {
    const bool inside = EvalFrame::AspirationVerdict(asp).Colour == Argb::Green;
    return "aspiration ratio " + Ratio(asp) + (inside ? " (within" : " (outside") + " 0.8 to 1.5)";
}

std::string Details(const TLodoComp& c, bool logNormal) {
    std::string d;
    switch (c.NTypeInt) {
    case NodeTube:
        d = "diffusion " + Percent(c.TransM2) + ", sedimentation " + Percent(c.TransM3) +
            ", inertial " + Percent(c.TransM4);
        if (c.WallTemp)
            d += ", thermophoresis " + Percent(c.TransTh);
        break;
    case NodeNozzle:
        d = Aspiration(c.TransM2) + ", wall loss " + Ratio(c.TransM3);
        break;
    case NodeShroud:
        d = Aspiration(c.TransM2) + ", wall loss ratio " + Ratio(c.TransM3);
        break;
    case NodeBend:
        if (c.WallTemp)
            d = "thermophoresis " + Percent(c.TransTh);
        break;
    case NodeContraction:
    case NodeExpansion:
        break;
    default:
        return "not evaluated (type code " + std::to_string(c.NTypeInt) + ")";
    }
    if (logNormal) {
        d += (d.empty() ? "" : "; ");
        d += "number " + Percent(c.PTrans) + ", mass " + Percent(c.MTrans);
    }
    return d;
}

std::string Pad(const std::string& s, std::size_t width) {
    const std::size_t w = TextWidth(s);
    return s + std::string(w < width ? width - w : 0, ' ');
}

std::string PadLeft(const std::string& s, std::size_t width) {
    const std::size_t w = TextWidth(s);
    return std::string(w < width ? width - w : 0, ' ') + s;
}

// The model-limit findings of a component, one line each, under its row.
std::string LimitLines(const LodoModel& m, std::size_t row) {
    std::string out;
    for (const std::string& text : ModelLimits::AllFindingTexts(m, int(row)))
        out += "   ! " + TerminalText(text) + "\n";
    return out;
}

bool Defaults(const LodoMath::ParticleProperties& pp) {
    return pp == LodoMath::ParticleProperties{};
}

std::string SizeTypeText(LodoMath::SizeType t) {
    return t == LodoMath::SizeType::Physical ? "physical" : "aerodynamic";
}

// The particle properties in force, when they are not the unit-density spheres.
std::string PropertiesLine(const LodoMath::ParticleProperties& pp) {
    if (Defaults(pp))
        return {};
    return fmt::format("Particle properties: density {:g} kg/m\u00B3, dynamic shape factor {:g}, "
                       "{} diameters, thermal conductivity {:g} W/(m K)\n",
                       pp.Density, pp.ShapeFactor,
                       pp.Sizes == LodoMath::SizeType::Physical ? "volume-equivalent"
                                                                : "aerodynamic",
                       pp.ThermalConductivity);
}

// The diameters each mechanism took at the size the results are shown at (Dp, or MDp in
// log-normal mode), and the gas a wall temperature cools; only where they say more
// than the entered size does.
std::string ComponentExtrasJson(const LodoModel& m, std::size_t row) {
    const TLodoComp& c = m.List[row];
    const bool real = !Defaults(m.Ctx.Particle);
    if (!real && !c.WallTemp)
        return {};
    const auto terms = TermsOf(m, int(row));
    if (!terms)
        return {};
    std::string out;
    if (real)
        out += ", \"AerodynamicDiameter\": " + JsonNumber(terms->Da) +
               ", \"DiffusionDiameter\": " + JsonNumber(terms->Dve);
    if (c.WallTemp) {
        out += ", \"WallTemp\": " + JsonNumber(*c.WallTemp) +
               ", \"WallTempUnit\": " + JsonString(c.WallTempUnit) +
               ", \"TransTh\": " + JsonNumber(c.TransTh);
        if (terms->Thermo)
            out += ", \"OutletGasTemp\": " + JsonNumber(terms->Thermo->Gas.Tout) +
                   ", \"Kth\": " + JsonNumber(terms->Thermo->Kth);
    }
    return out;
}

std::string PropertiesJson(const LodoMath::ParticleProperties& pp) {
    if (Defaults(pp))
        return {};
    return "  \"Particle\": {\"Density\": " + JsonNumber(pp.Density) +
           ", \"ShapeFactor\": " + JsonNumber(pp.ShapeFactor) +
           ", \"SizeType\": " + JsonString(SizeTypeText(pp.Sizes)) +
           ", \"ThermalConductivity\": " + JsonNumber(pp.ThermalConductivity) + "},\n";
}

std::string LimitsNote(const LodoModel& m) {
    return IsLogNormal(m.Ctx) && ModelLimits::AnyFinding(m)
               ? std::string(ModelLimits::LogNormalNote) + "\n"
               : "";
}

// "Limits": [{"Model", "Quantity", "Value", "Min", "Max", "Source"}], null for a side
// the publication leaves open.
std::string LimitsJson(const LodoModel& m, std::size_t row) {
    const auto bound = [](const std::optional<double>& b) {
        return b ? JsonNumber(*b) : std::string("null");
    };
    std::string out = ", \"Limits\": [";
    const auto findings = ModelLimits::ComponentFindings(m, int(row));
    for (std::size_t k = 0; k < findings.size(); ++k) {
        const ModelLimits::LimitRange& r = *findings[k].Range;
        out += k == 0 ? "" : ", ";
        out += "{\"Model\": " + JsonString(r.Model) + ", \"Quantity\": " + JsonString(r.Name) +
               ", \"Value\": " + JsonNumber(findings[k].Value) + ", \"Min\": " + bound(r.Min) +
               ", \"Max\": " + bound(r.Max) + ", \"Source\": " + JsonString(r.Source) + "}";
    }
    out += "]";
    // What the line's structure makes of the component (an inlet not first, a
    // contraction that widens...): texts, as the table shows them.
    out += ", \"Structure\": [";
    const LodoList& list = m.List;
    const auto structure = LineStructure::ComponentFindings(list[row], row);
    for (std::size_t k = 0; k < structure.size(); ++k)
        out += (k == 0 ? "" : ", ") + JsonString(structure[k].Text);
    return out + "]";
}

} // namespace

std::string EvaluationTable(const LoadedLine& line) {
    const LodoList& list = line.Model.List;
    const EvalContext& ctx = line.Model.Ctx;
    const bool logNormal = IsLogNormal(ctx);
    std::string out = "Sample line: " + TerminalText(line.LineName) + "\n";
    const bool physical = ctx.Particle.Sizes == LodoMath::SizeType::Physical;
    out += logNormal ? "Particles: log-normal, mass median diameter " + Size(ctx.MDp) +
                           ", geometric standard deviation " + fmt::format("{:g}", ctx.DpSD) + "\n"
                     : std::string("Particles: one size, ") +
                           (physical ? "volume-equivalent" : "aerodynamic") + " diameter " +
                           Size(ctx.Dp) + "\n";
    out += PropertiesLine(ctx.Particle);
    if (list.empty())
        return out + "The line has no components.\n";

    struct Row {
        std::string index, name, type, trans, details, limits;
    };
    std::vector<Row> rows = {{"#", "Name", "Type", "Transmission", "Details", ""}};
    for (std::size_t i = 0; i < list.size(); ++i) {
        const TLodoComp& c = list[i];
        const bool invalid = HasInvalidResult(c, logNormal);
        rows.push_back({std::to_string(i + 1), TerminalText(c.Name), TerminalText(c.NType),
                        invalid ? "invalid" : Percent(c.TransM1), Details(c, logNormal),
                        LimitLines(line.Model, i)});
    }
    std::size_t wi = 0, wn = 0, wt = 0, wp = 0;
    for (const Row& r : rows) {
        wi = std::max(wi, TextWidth(r.index));
        wn = std::max(wn, TextWidth(r.name));
        wt = std::max(wt, TextWidth(r.type));
        wp = std::max(wp, TextWidth(r.trans));
    }
    for (const Row& r : rows) {
        std::string text = PadLeft(r.index, wi) + "  " + Pad(r.name, wn) + "  " + Pad(r.type, wt) +
                           "  " + PadLeft(r.trans, wp) + "  " + r.details;
        text.erase(text.find_last_not_of(' ') + 1);
        out += text + "\n" + r.limits;
    }
    out += LimitsNote(line.Model);

    out += "\n";
    if (HasInvalidSystem(ctx)) {
        out += "System penetration: invalid (a result is not a number)\n";
    } else {
        out += "System penetration: " + Percent(ctx.SystemTrans) + "\n";
    }
    if (logNormal) {
        out += "Particle penetration: " + Percent(ctx.PartTrans) + "\n";
        out += "Mass penetration: " + Percent(ctx.MassTrans) + "\n";
        out += "Largest particle transmitted: " + Size(ctx.NewHighV) + "\n";
    }
    // The criteria hold at one size: the figures above are information, the verdict is
    // taken there whatever the description.
    const Design::Verdict verdict = VerdictOf(line, line.Design.Range);
    out += VerdictLines(verdict);
    if (logNormal)
        out += fmt::format("The log-normal figures above are information; the design verdict is "
                           "taken at {:g} \u00B5m.\n",
                           verdict.Limits.ReferenceSize);
    out += SizeResolvedTable(line, Analysis::SizeResolvedOf(line.Model));
    return out;
}

std::string EvaluationJson(const LoadedLine& line) {
    const LodoList& list = line.Model.List;
    const EvalContext& ctx = line.Model.Ctx;
    const bool logNormal = IsLogNormal(ctx);
    const auto distribution = [&](double x) {
        return logNormal ? JsonNumber(x) : std::string("null");
    };
    std::string out = "{\n";
    out += "  \"LineName\": " + JsonString(line.LineName) + ",\n";
    out += "  \"DType\": " + JsonString(DistributionText(ctx.DType)) + ",\n";
    out += PropertiesJson(ctx.Particle);
    out += "  \"Components\": [";
    for (std::size_t i = 0; i < list.size(); ++i) {
        const TLodoComp& c = list[i];
        out += i == 0 ? "\n" : ",\n";
        out += "    {\"Index\": " + std::to_string(i);
        out += ", \"Name\": " + JsonString(c.Name);
        out += ", \"NType\": " + JsonString(c.NType);
        out += ", \"NTypeInt\": " + std::to_string(c.NTypeInt);
        out += ", \"TransM1\": " + JsonNumber(c.TransM1);
        out += ", \"TransM2\": " + JsonNumber(c.TransM2);
        out += ", \"TransM3\": " + JsonNumber(c.TransM3);
        out += ", \"TransM4\": " + JsonNumber(c.TransM4);
        out += ", \"PTrans\": " + distribution(c.PTrans);
        out += ", \"MTrans\": " + distribution(c.MTrans);
        out += ", \"Dia1\": " + JsonNumber(c.Dia1);
        out += ", \"Dia1Unit\": " + JsonString(c.Dia1Unit);
        out += ", \"Dia2\": " + JsonNumber(c.Dia2);
        out += ", \"Dia2Unit\": " + JsonString(c.Dia2Unit);
        out += ", \"Flow\": " + JsonNumber(c.Flow);
        out += ", \"FlowUnit\": " + JsonString(c.FlowUnit);
        out += ", \"Press\": " + JsonNumber(c.Press);
        out += ", \"PressUnit\": " + JsonString(c.PressUnit);
        out += ComponentExtrasJson(line.Model, i);
        out += LimitsJson(line.Model, i);
        if (HasInvalidResult(c, logNormal))
            out += ", \"Invalid\": true";
        out += "}";
    }
    out += list.empty() ? "],\n" : "\n  ],\n";
    // An empty line has no system values.
    const auto system = [&](double x) {
        return list.empty() ? std::string("null") : JsonNumber(x);
    };
    const auto systemDist = [&](double x) {
        return list.empty() ? std::string("null") : distribution(x);
    };
    out += "  \"System\": {\"SystemTrans\": " + system(ctx.SystemTrans);
    out += ", \"MassTrans\": " + systemDist(ctx.MassTrans);
    out += ", \"PartTrans\": " + systemDist(ctx.PartTrans);
    out += ", \"NewHighV\": " + systemDist(static_cast<double>(ctx.NewHighV));
    if (!list.empty() && HasInvalidSystem(ctx))
        out += ", \"Invalid\": true";
    out += "},\n";
    out += SizeResolvedJson(line, Analysis::SizeResolvedOf(line.Model));
    out += VerdictJson(VerdictOf(line, line.Design.Range));
    out += "  \"Warnings\": [";
    for (std::size_t i = 0; i < line.Warnings.size(); ++i)
        out += (i == 0 ? "" : ", ") + JsonString(line.Warnings[i]);
    out += "]\n}\n";
    return out;
}

} // namespace Cli
