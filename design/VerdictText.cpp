#include "design/VerdictText.h"

#include <cmath>
#include <fmt/format.h>

namespace Design {
namespace {

std::string Percent(double fraction) {
    return fmt::format("{:.1f} %", 100.0 * fraction);
}

std::string Limit(double x) {
    return fmt::format("{:g}", x);
}

std::string AtLeast(double fraction) {
    return "\u2265 " + Limit(100.0 * fraction) + " %";
}

std::string AspirationWindow(const Criteria& c) {
    return Limit(c.MinAspirationRatio) + " to " + Limit(c.MaxAspirationRatio);
}

std::string FailedNames(const std::vector<Criterion>& failed) {
    std::string text;
    for (Criterion c : failed)
        text += (text.empty() ? "" : ", ") + CriterionName(c);
    return text;
}

std::string Value(double x, std::string_view unit) {
    return fmt::format("{:.4g} {}", x, unit);
}

} // namespace

std::string CriteriaName(const Criteria& limits) {
    const std::string size = fmt::format("{:g} \u00B5m", limits.ReferenceSize);
    return limits.IsDefault() ? "ANSI N13.1 at " + size
                              : "criteria of this line (not the ANSI N13.1 defaults) at " + size;
}

std::string CriteriaLimits(const Criteria& limits) {
    return "aspiration ratio " + AspirationWindow(limits) + ", transport " +
           AtLeast(limits.MinTransportPenetration) + ", system " +
           AtLeast(limits.MinSystemPenetration);
}

std::string CriterionName(Criterion c) {
    switch (c) {
    case Criterion::AspirationRatio:
        return "aspiration ratio";
    case Criterion::TransportPenetration:
        return "transport penetration";
    case Criterion::SystemPenetration:
        return "system penetration";
    }
    return "";
}

std::string QuantityText(Criterion c, const PointVerdict& p, const Criteria& limits) {
    switch (c) {
    case Criterion::AspirationRatio:
        return "aspiration ratio " +
               (p.AspirationRatio ? fmt::format("{:.3f}", *p.AspirationRatio) : "not shown") +
               " (" + AspirationWindow(limits) + ")";
    case Criterion::TransportPenetration:
        return "transport " + Percent(p.TransportPenetration) + " (" +
               AtLeast(limits.MinTransportPenetration) + ")";
    case Criterion::SystemPenetration:
        return "system " + (p.SystemPenetration ? Percent(*p.SystemPenetration) : "not shown") +
               " (" + AtLeast(limits.MinSystemPenetration) + ")";
    }
    return "";
}

std::string VerdictLine(const Verdict& v) {
    const std::string head = CriteriaName(v.Limits) + ": ";
    if (!v.Withheld.empty())
        return head + "no verdict \u2014 " + v.Withheld;
    const PointVerdict& p = v.Nominal;
    if (p.Result == Outcome::NoVerdict)
        return head + "no verdict \u2014 " + p.Reason;
    const std::string transport = QuantityText(Criterion::TransportPenetration, p, v.Limits);
    if (!p.AspirationRatio)
        return head + "FAIL \u2014 " + p.Reason + "; " + transport;
    std::string verdict(OutcomeText(p.Result));
    if (p.Result == Outcome::Fail)
        verdict += " (" + FailedNames(p.Failed) + ")";
    return head + verdict + " \u2014 " + QuantityText(Criterion::AspirationRatio, p, v.Limits) +
           ", " + transport + ", " + QuantityText(Criterion::SystemPenetration, p, v.Limits);
}

std::string RangeLine(const Verdict& v) {
    if (!v.Range)
        return "";
    const RangeVerdict& r = *v.Range;
    std::string text = "over the operating range: ";
    if (!v.Withheld.empty())
        return text + "no verdict \u2014 " + v.Withheld;
    if (r.Result == Outcome::NoVerdict)
        return text + "no verdict \u2014 " + r.Reason;
    const auto at = [&](std::size_t i) { return PointText(r.Points[i], r.Set); };
    if (r.Result == Outcome::Pass) {
        if (!r.WorstSystem)
            return text + "PASS";
        return text + "PASS, worst system penetration " +
               Percent(*r.Points[*r.WorstSystem].SystemPenetration) + " at " + at(*r.WorstSystem);
    }
    std::size_t failing = 0;
    bool aspiration = false, transport = false;
    for (const PointVerdict& p : r.Points) {
        if (p.Result != Outcome::Fail)
            continue;
        ++failing;
        for (Criterion c : p.Failed) {
            aspiration = aspiration || c == Criterion::AspirationRatio;
            transport = transport || c == Criterion::TransportPenetration;
        }
    }
    text += fmt::format("FAIL at {} of {} points", failing, r.Points.size());
    std::vector<std::string> worst;
    if (r.WorstSystem)
        worst.push_back("worst system penetration " +
                        Percent(*r.Points[*r.WorstSystem].SystemPenetration) + " at " +
                        at(*r.WorstSystem));
    if (aspiration && r.WorstAspiration)
        worst.push_back("worst aspiration ratio " +
                        fmt::format("{:.3f}", *r.Points[*r.WorstAspiration].AspirationRatio) +
                        " at " + at(*r.WorstAspiration));
    if (transport && r.WorstTransport)
        worst.push_back("worst transport penetration " +
                        Percent(r.Points[*r.WorstTransport].TransportPenetration) + " at " +
                        at(*r.WorstTransport));
    for (std::size_t i = 0; i < worst.size(); ++i)
        text += (i == 0 ? ", " : "; ") + worst[i];
    return text;
}

std::string PointText(const PointVerdict& p, const OperatingRange& ranged) {
    std::string text;
    const auto add = [&](bool ranges, const std::optional<double>& x, std::string_view unit) {
        if (ranges && x)
            text += (text.empty() ? "" : ", ") + Value(*x, unit);
    };
    add(ranged.StackVelocity.has_value(), p.Values.StackVelocity, "m/s");
    add(ranged.Flow.has_value(), p.Values.Flow, "L/min");
    add(ranged.Temperature.has_value(), p.Values.Temperature, "\u00B0C");
    return text.empty() ? "the line's own operating point" : text;
}

} // namespace Design
