#include "cli/VerdictOutput.h"

#include "design/VerdictText.h"
#include "model/DesignCaseRules.h"

#include <algorithm>
#include <fmt/format.h>

namespace Cli {
namespace {

using Design::Criterion;
using Design::Outcome;
using Design::PointVerdict;

constexpr Criterion Criteria[] = {Criterion::AspirationRatio, Criterion::TransportPenetration,
                                  Criterion::SystemPenetration};

std::string Optional(const std::optional<double>& x) {
    return x ? JsonNumber(*x) : std::string("null");
}

std::string FailedJson(const std::vector<Criterion>& failed) {
    std::string out = "[";
    for (std::size_t i = 0; i < failed.size(); ++i)
        out += (i == 0 ? "" : ", ") + JsonString(Design::CriterionKey(failed[i]));
    return out + "]";
}

// The criteria failed at the line's own point or anywhere in its range.
std::vector<Criterion> FailedAnywhere(const Design::Verdict& v) {
    std::vector<Criterion> failed;
    for (Criterion c : Criteria) {
        const auto fails = [c](const PointVerdict& p) {
            return std::ranges::find(p.Failed, c) != p.Failed.end();
        };
        if (fails(v.Nominal) || (v.Range && std::ranges::any_of(v.Range->Points, fails)))
            failed.push_back(c);
    }
    return failed;
}

std::string Reason(const Design::Verdict& v) {
    if (!v.Withheld.empty())
        return v.Withheld;
    if (!v.Nominal.Reason.empty())
        return v.Nominal.Reason;
    return v.Range ? v.Range->Reason : "";
}

std::string Number(double x) {
    return fmt::format("{:.4g}", x);
}

std::string Pad(const std::string& s, std::size_t width) {
    const std::size_t w = TextWidth(s);
    return s + std::string(w < width ? width - w : 0, ' ');
}

std::string Percent(double fraction) {
    return fmt::format("{:.1f} %", 100.0 * fraction);
}

std::string Quantity(Criterion c, const PointVerdict& p) {
    if (p.Result == Outcome::NoVerdict)
        return "-";
    switch (c) {
    case Criterion::AspirationRatio:
        return p.AspirationRatio ? fmt::format("{:.3f}", *p.AspirationRatio) : "-";
    case Criterion::TransportPenetration:
        return Percent(p.TransportPenetration);
    case Criterion::SystemPenetration:
        return p.SystemPenetration ? Percent(*p.SystemPenetration) : "-";
    }
    return "";
}

std::string Limit(Criterion c, const Design::Criteria& k) {
    switch (c) {
    case Criterion::AspirationRatio:
        return fmt::format("{:g} to {:g}", k.MinAspirationRatio, k.MaxAspirationRatio);
    case Criterion::TransportPenetration:
        return fmt::format("\u2265 {:g} %", 100.0 * k.MinTransportPenetration);
    case Criterion::SystemPenetration:
        return fmt::format("\u2265 {:g} %", 100.0 * k.MinSystemPenetration);
    }
    return "";
}

std::string Capitalised(std::string s) {
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z')
        s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

std::string ParticlesText(const DistributionSetting& d) {
    return d.TypeDist == Distribution::LogNormal
               ? fmt::format("log-normal, mass median diameter {:g} \u00B5m, geometric standard "
                             "deviation {:g}",
                             d.MeanPart, d.PartSD)
               : fmt::format("one size, aerodynamic diameter {:g} \u00B5m", d.PartSize);
}

std::string DesignCaseText(const Design::Identification& id) {
    if (id == Design::Identification{})
        return "";
    const std::pair<const char*, const std::string*> fields[] = {{"Facility", &id.Facility},
                                                                 {"Stack or duct", &id.Stack},
                                                                 {"Line", &id.LineId},
                                                                 {"Prepared by", &id.PreparedBy},
                                                                 {"Checked by", &id.CheckedBy},
                                                                 {"Revision", &id.Revision},
                                                                 {"Date", &id.Date},
                                                                 {"Notes", &id.Notes}};
    std::string out = "Design case:\n";
    for (const auto& [name, value] : fields)
        if (!value->empty())
            out += "  " + Pad(std::string(name) + ":", 15) + TerminalText(*value) + "\n";
    return out;
}

std::string RangeText(const Design::OperatingRange& r) {
    std::string text;
    const auto add = [&](const std::optional<Design::Interval>& i, const char* name,
                         const char* unit) {
        if (i)
            text += (text.empty() ? "" : "; ") +
                    fmt::format("{} {} to {} {}", name, Number(i->Min), Number(i->Max), unit);
    };
    add(r.StackVelocity, "stack velocity", "m/s");
    add(r.Flow, "flow", "L/min");
    add(r.Temperature, "temperature", "\u00B0C");
    return text;
}

std::string PointValues(const Design::OperatingPoint& p) {
    std::string text;
    const auto add = [&](const std::optional<double>& x, const char* unit) {
        if (x)
            text += (text.empty() ? "" : ", ") + Number(*x) + " " + unit;
    };
    add(p.StackVelocity, "m/s");
    add(p.Flow, "L/min");
    add(p.Temperature, "\u00B0C");
    return text;
}

std::string RangeTable(const Design::Verdict& v) {
    const Design::RangeVerdict& r = *v.Range;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> head = {"#"};
    if (r.Set.StackVelocity)
        head.push_back("Stack velocity");
    if (r.Set.Flow)
        head.push_back("Flow");
    if (r.Set.Temperature)
        head.push_back("Temperature");
    for (const char* h : {"Aspiration", "Transport", "System", "Verdict"})
        head.push_back(h);
    rows.push_back(head);
    for (std::size_t i = 0; i < r.Points.size(); ++i) {
        const PointVerdict& p = r.Points[i];
        std::vector<std::string> row = {std::to_string(i + 1)};
        const auto value = [](const std::optional<double>& x, const char* unit) {
            return x ? Number(*x) + " " + unit : std::string("-");
        };
        if (r.Set.StackVelocity)
            row.push_back(value(p.Values.StackVelocity, "m/s"));
        if (r.Set.Flow)
            row.push_back(value(p.Values.Flow, "L/min"));
        if (r.Set.Temperature)
            row.push_back(value(p.Values.Temperature, "\u00B0C"));
        for (Criterion c : Criteria)
            row.push_back(Quantity(c, p));
        // A withheld verdict is withheld at every point.
        std::string verdict(
            Design::OutcomeText(v.Withheld.empty() ? p.Result : Outcome::NoVerdict));
        if (i == 0)
            verdict += " (the line's own)";
        if (p.Result == Outcome::NoVerdict)
            verdict += ": " + p.Reason;
        row.push_back(verdict);
        rows.push_back(row);
    }
    std::vector<std::size_t> width(head.size(), 0);
    for (const auto& row : rows)
        for (std::size_t k = 0; k < row.size(); ++k)
            width[k] = std::max(width[k], TextWidth(row[k]));
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t k = 0; k < row.size(); ++k)
            line += k + 1 < row.size() ? Pad(row[k], width[k] + 2) : row[k];
        out += line + "\n";
    }
    const auto worst = [&](const std::optional<std::size_t>& at, Criterion c) {
        if (!at)
            return std::string();
        return "Worst " + Design::CriterionName(c) + ": " + Quantity(c, r.Points[*at]) +
               " at point " + std::to_string(*at + 1) + " (" +
               Design::PointText(r.Points[*at], r.Set) + ")\n";
    };
    out += worst(r.WorstAspiration, Criterion::AspirationRatio);
    out += worst(r.WorstTransport, Criterion::TransportPenetration);
    out += worst(r.WorstSystem, Criterion::SystemPenetration);
    return out;
}

} // namespace

Design::Verdict VerdictOf(const LoadedLine& line, const Design::OperatingRange& range) {
    return Design::DesignVerdict(line.Model.List, line.Design.Limits, range, line.Particles);
}

std::string VerdictLines(const Design::Verdict& v) {
    std::string out = "Design verdict: " + Design::VerdictLine(v) + "\n";
    if (v.Range)
        out += "Design verdict " + Design::RangeLine(v) + "\n";
    return out;
}

std::string VerdictJson(const Design::Verdict& v) {
    const Design::Criteria& k = v.Limits;
    const PointVerdict& n = v.Nominal;
    std::string out = "  \"Verdict\": {\"ReferenceSize\": " + JsonNumber(k.ReferenceSize);
    out += ", \"Criteria\": {\"MinAspirationRatio\": " + JsonNumber(k.MinAspirationRatio) +
           ", \"MaxAspirationRatio\": " + JsonNumber(k.MaxAspirationRatio) +
           ", \"MinTransportPenetration\": " + JsonNumber(k.MinTransportPenetration) +
           ", \"MinSystemPenetration\": " + JsonNumber(k.MinSystemPenetration) +
           ", \"Default\": " + (k.IsDefault() ? "true" : "false") + "}";
    const bool judged = n.Result != Outcome::NoVerdict;
    out += ", \"AspirationRatio\": " + Optional(judged ? n.AspirationRatio : std::nullopt);
    out += ", \"TransportPenetration\": " +
           (judged ? JsonNumber(n.TransportPenetration) : std::string("null"));
    out += ", \"SystemPenetration\": " + Optional(judged ? n.SystemPenetration : std::nullopt);
    out += ", \"Result\": " + JsonString(Design::OutcomeText(v.Result()));
    out += std::string(", \"Pass\": ") + (v.Result() == Outcome::Pass ? "true" : "false");
    out += ", \"Failed\": " + FailedJson(FailedAnywhere(v));
    out += ", \"Reason\": " + JsonString(Reason(v));
    out += ", \"Range\": [";
    if (v.Range) {
        const Design::RangeVerdict& r = *v.Range;
        for (std::size_t i = 0; i < r.Points.size(); ++i) {
            const PointVerdict& p = r.Points[i];
            const bool pj = p.Result != Outcome::NoVerdict;
            std::vector<Criterion> worstFor;
            if (r.WorstAspiration == i)
                worstFor.push_back(Criterion::AspirationRatio);
            if (r.WorstTransport == i)
                worstFor.push_back(Criterion::TransportPenetration);
            if (r.WorstSystem == i)
                worstFor.push_back(Criterion::SystemPenetration);
            out += i == 0 ? "\n" : ",\n";
            out += "    {\"StackVelocity\": " + Optional(p.Values.StackVelocity);
            out += ", \"Flow\": " + Optional(p.Values.Flow);
            out += ", \"Temperature\": " + Optional(p.Values.Temperature);
            out += ", \"AspirationRatio\": " + Optional(pj ? p.AspirationRatio : std::nullopt);
            out += ", \"TransportPenetration\": " +
                   (pj ? JsonNumber(p.TransportPenetration) : std::string("null"));
            out += ", \"SystemPenetration\": " + Optional(pj ? p.SystemPenetration : std::nullopt);
            out += std::string(", \"Pass\": ") + (p.Result == Outcome::Pass ? "true" : "false");
            out += ", \"Failed\": " + FailedJson(p.Failed);
            out += ", \"Worst\": " + FailedJson(worstFor) + "}";
        }
        out += r.Points.empty() ? "" : "\n  ";
    }
    return out + "]},\n";
}

std::string CheckTable(const LoadedLine& line, const Design::Verdict& v) {
    std::string out = "Sample line: " + TerminalText(line.LineName) + "\n";
    out += DesignCaseText(line.Design.Id);
    out += "Particles: " + ParticlesText(line.Particles) +
           fmt::format(" (the verdict is taken at {:g} \u00B5m whatever description is selected)\n",
                       v.Limits.ReferenceSize);
    out += "Criteria: " + Design::CriteriaName(v.Limits) + ": " + Design::CriteriaLimits(v.Limits) +
           "\n\n";

    const PointVerdict& n = v.Nominal;
    const std::string own = PointValues(n.Values);
    out += "At the line's own operating point" + (own.empty() ? "" : " (" + own + ")") + ":\n";
    if (n.Result != Outcome::NoVerdict) {
        for (Criterion c : Criteria) {
            const bool failed = std::ranges::find(n.Failed, c) != n.Failed.end();
            out += "  " + Pad(Capitalised(Design::CriterionName(c)), 23) + Pad(Quantity(c, n), 9) +
                   Pad(Limit(c, v.Limits), 13) +
                   (!v.Withheld.empty() ? "-"
                    : failed            ? "FAIL"
                                        : "pass") +
                   "\n";
        }
    }
    out += Design::VerdictLine(v) + "\n";

    if (v.Range) {
        out += "\nOperating range: " + RangeText(v.Range->Set) + "\n";
        out += RangeTable(v);
        out += Capitalised(Design::RangeLine(v)) + "\n";
    }

    out += "\nDesign verdict: " + std::string(Design::OutcomeText(v.Result()));
    if (v.Result() == Outcome::NoVerdict)
        out += " \u2014 " + Reason(v);
    else if (v.Range)
        out += fmt::format(" over the operating range ({} points)", v.Range->Points.size());
    return out + "\n";
}

std::string CheckJson(const LoadedLine& line, const Design::Verdict& v) {
    const Design::Identification& id = line.Design.Id;
    std::string out = "{\n";
    out += "  \"LineName\": " + JsonString(line.LineName) + ",\n";
    out += "  \"DesignCase\": {\"Facility\": " + JsonString(id.Facility) +
           ", \"Stack\": " + JsonString(id.Stack) + ", \"LineId\": " + JsonString(id.LineId) +
           ", \"PreparedBy\": " + JsonString(id.PreparedBy) +
           ", \"CheckedBy\": " + JsonString(id.CheckedBy) +
           ", \"Revision\": " + JsonString(id.Revision) + ", \"Date\": " + JsonString(id.Date) +
           ", \"Notes\": " + JsonString(id.Notes) + "},\n";
    out += "  \"OperatingRange\": {";
    for (std::size_t k = 0; k < DesignCaseRules::RangeFields.size(); ++k) {
        const DesignCaseRules::RangeField& f = DesignCaseRules::RangeFields[k];
        const auto& i = v.Range ? v.Range->Set.*f.Member : std::nullopt;
        out += (k == 0 ? "" : ", ") + JsonString(f.Name) + ": " +
               (i ? "{\"Min\": " + JsonNumber(i->Min) + ", \"Max\": " + JsonNumber(i->Max) + "}"
                  : std::string("null"));
    }
    out += "},\n";
    const DistributionSetting& d = line.Particles;
    const bool logNormal = d.TypeDist == Distribution::LogNormal;
    out += "  \"Particles\": {\"DType\": " + JsonString(DistributionText(d.TypeDist)) +
           ", \"Dp\": " + (logNormal ? std::string("null") : JsonNumber(d.PartSize)) +
           ", \"MMAD\": " + (logNormal ? JsonNumber(d.MeanPart) : std::string("null")) +
           ", \"GSD\": " + (logNormal ? JsonNumber(d.PartSD) : std::string("null")) + "},\n";
    out += VerdictJson(v);
    out += "  \"Warnings\": [";
    for (std::size_t i = 0; i < line.Warnings.size(); ++i)
        out += (i == 0 ? "" : ", ") + JsonString(line.Warnings[i]);
    return out + "]\n}\n";
}

} // namespace Cli
