#include "design/DesignVerdict.h"

#include "model/DesignCaseRules.h"
#include "model/LineStructure.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <variant>

namespace Design {
namespace {

bool IsInlet(const TLodoComp& c) {
    return c.NTypeInt == NodeNozzle || c.NTypeInt == NodeShroud;
}

std::string ComponentName(std::size_t i, const std::string& name) {
    return "component " + std::to_string(i + 1) + (name.empty() ? "" : " (" + name + ")");
}

// The selected description at the reference size: only the size and the mode change,
// whatever else describes the particles stays as selected.
DistributionSetting AtReferenceSize(DistributionSetting particles, const Criteria& limits) {
    particles.PartSize = static_cast<float>(limits.ReferenceSize);
    particles.TypeDist = Distribution::Mono;
    // The reference size is an aerodynamic diameter, whatever sizes the aerosol was
    // described in; density and shape still decide its diffusion.
    particles.Particle.Sizes = LodoMath::SizeType::Aerodynamic;
    return particles;
}

std::optional<std::string> CriteriaProblem(const Criteria& c) {
    if (auto why = DesignCaseRules::CheckCriteria(c))
        return "the criteria cannot be used: " + *why;
    return std::nullopt;
}

PointVerdict NoVerdictAt(const OperatingPoint& set, std::string reason) {
    PointVerdict v;
    v.Set = set;
    v.Result = Outcome::NoVerdict;
    v.Reason = std::move(reason);
    return v;
}

// Distance inside the aspiration window (negative outside it).
double AspirationMargin(double asp, const Criteria& c) {
    return std::min(asp - c.MinAspirationRatio, c.MaxAspirationRatio - asp);
}

// The values an axis of the range takes: minimum, the line's own, maximum, each once.
std::vector<std::optional<double>> AxisValues(const std::optional<Interval>& range,
                                              const std::optional<double>& nominal) {
    std::vector<std::optional<double>> values = {std::nullopt}; // the line's own first
    if (!range)
        return values;
    for (double v : {range->Min, range->Max}) {
        const bool same = (nominal && v == *nominal) ||
                          std::any_of(values.begin(), values.end(),
                                      [v](const std::optional<double>& x) { return x && *x == v; });
        if (!same)
            values.push_back(v);
    }
    return values;
}

std::optional<std::string> RangeProblem(const OperatingRange& r) {
    for (const DesignCaseRules::RangeField& f : DesignCaseRules::RangeFields)
        if (const auto& i = r.*f.Member)
            if (auto why = DesignCaseRules::CheckInterval(f, *i))
                return "the operating range cannot be used: " + *why;
    return std::nullopt;
}

RangeVerdict RangeOf(const LodoList& line, const PointVerdict& nominal, const Criteria& limits,
                     const OperatingRange& range, const DistributionSetting& particles) {
    RangeVerdict r;
    r.Set = range;
    if (auto problem = RangeProblem(range)) {
        r.Result = Outcome::NoVerdict;
        r.Reason = *problem;
        return r;
    }
    const auto velocities = AxisValues(range.StackVelocity, nominal.Values.StackVelocity);
    const auto flows = AxisValues(range.Flow, nominal.Values.Flow);
    const auto temperatures = AxisValues(range.Temperature, nominal.Values.Temperature);
    for (const auto& u : velocities)
        for (const auto& q : flows)
            for (const auto& t : temperatures) {
                if (!u && !q && !t) {
                    r.Points.insert(r.Points.begin(), nominal);
                    continue;
                }
                OperatingPoint set;
                set.StackVelocity = u;
                set.Flow = q;
                set.Temperature = t;
                r.Points.push_back(VerdictAt(line, set, limits, particles));
            }

    const auto worst = [&](const std::function<std::optional<double>(const PointVerdict&)>& key) {
        std::optional<std::size_t> at;
        for (std::size_t i = 0; i < r.Points.size(); ++i) {
            const auto k = key(r.Points[i]);
            if (k && std::isfinite(*k) && (!at || *k < *key(r.Points[*at])))
                at = i;
        }
        return at;
    };
    const auto judged = [](const PointVerdict& p) { return p.Result != Outcome::NoVerdict; };
    r.WorstAspiration = worst([&](const PointVerdict& p) -> std::optional<double> {
        if (!judged(p) || !p.AspirationRatio)
            return std::nullopt;
        return AspirationMargin(*p.AspirationRatio, limits);
    });
    r.WorstTransport = worst([&](const PointVerdict& p) -> std::optional<double> {
        if (!judged(p))
            return std::nullopt;
        return p.TransportPenetration;
    });
    r.WorstSystem = worst([&](const PointVerdict& p) -> std::optional<double> {
        if (!judged(p))
            return std::nullopt;
        return p.SystemPenetration;
    });

    // One failing point fails the design; a point without a verdict leaves it open.
    const auto has = [&](Outcome o) {
        return std::any_of(r.Points.begin(), r.Points.end(),
                           [o](const PointVerdict& p) { return p.Result == o; });
    };
    if (has(Outcome::Fail)) {
        r.Result = Outcome::Fail;
    } else if (has(Outcome::NoVerdict)) {
        r.Result = Outcome::NoVerdict;
        for (const PointVerdict& p : r.Points)
            if (p.Result == Outcome::NoVerdict) {
                r.Reason = p.Reason;
                break;
            }
    } else {
        r.Result = Outcome::Pass;
    }
    return r;
}

} // namespace

std::string_view CriterionKey(Criterion c) {
    switch (c) {
    case Criterion::AspirationRatio:
        return "AspirationRatio";
    case Criterion::TransportPenetration:
        return "TransportPenetration";
    case Criterion::SystemPenetration:
        return "SystemPenetration";
    }
    return "";
}

std::string_view OutcomeText(Outcome o) {
    switch (o) {
    case Outcome::Pass:
        return "PASS";
    case Outcome::Fail:
        return "FAIL";
    case Outcome::NoVerdict:
        return "no verdict";
    }
    return "";
}

Outcome Verdict::Result() const {
    if (!Withheld.empty())
        return Outcome::NoVerdict;
    return Range ? Range->Result : Nominal.Result;
}

namespace {

// The quantities of a line evaluated at the point, against the criteria.
PointVerdict Judged(const LodoModel& m, const OperatingPoint& point, const Criteria& limits) {
    const LodoList& list = m.List;

    PointVerdict v;
    v.Set = point;
    v.Values = ValuesOf(list);
    const auto noVerdict = [&](std::string reason) {
        v.Result = Outcome::NoVerdict;
        v.Reason = std::move(reason);
        return v;
    };
    for (std::size_t i = 0; i < list.size(); ++i)
        if (HasInvalidResult(list[i], false))
            return noVerdict(ComponentName(i, list[i].Name) +
                             " has a result that is not a finite number");

    const bool inlet = IsInlet(list[0]);
    // The inlet's own wall loss is transport; its aspiration is not.
    double transport = inlet ? std::max(0.0, 1.0 - list[0].TransM3) : list[0].TransM1;
    for (std::size_t i = 1; i < list.size(); ++i)
        transport *= list[i].TransM1;
    if (!std::isfinite(transport) || !std::isfinite(m.Ctx.SystemTrans))
        return noVerdict("a penetration is not a finite number");
    v.TransportPenetration = transport;
    if (inlet) {
        v.AspirationRatio = list[0].TransM2;
        // The evaluation's own product, which is aspiration x transport.
        v.SystemPenetration = m.Ctx.SystemTrans;
    }

    const bool aspirationHolds = v.AspirationRatio &&
                                 *v.AspirationRatio >= limits.MinAspirationRatio &&
                                 *v.AspirationRatio <= limits.MaxAspirationRatio;
    if (!aspirationHolds)
        v.Failed.push_back(Criterion::AspirationRatio);
    if (!(v.TransportPenetration >= limits.MinTransportPenetration))
        v.Failed.push_back(Criterion::TransportPenetration);
    if (!(v.SystemPenetration && *v.SystemPenetration >= limits.MinSystemPenetration))
        v.Failed.push_back(Criterion::SystemPenetration);
    v.Result = v.Failed.empty() ? Outcome::Pass : Outcome::Fail;
    if (!inlet)
        v.Reason = NoInletText;
    return v;
}

} // namespace

PointVerdict VerdictAt(const LodoList& line, const OperatingPoint& point, const Criteria& limits,
                       const DistributionSetting& particles, LodoModel* evaluated) {
    if (auto problem = CriteriaProblem(limits))
        return NoVerdictAt(point, *problem);
    auto at = ModelAt(line, point, AtReferenceSize(particles, limits));
    if (auto* refusal = std::get_if<std::string>(&at))
        return NoVerdictAt(point, *refusal);
    PointVerdict v = Judged(std::get<LodoModel>(at), point, limits);
    if (evaluated)
        *evaluated = std::get<LodoModel>(std::move(at));
    return v;
}

Verdict DesignVerdict(const LodoList& line, const Criteria& limits, const OperatingRange& range,
                      const DistributionSetting& particles) {
    Verdict v;
    v.Limits = limits;
    v.Particles = particles;
    const auto findings = LineStructure::Findings(line);
    if (!findings.empty())
        v.Withheld =
            "the line's geometry is inconsistent: " + findings.front().Text +
            (findings.size() > 1 ? " (and " + std::to_string(findings.size() - 1) + " more)" : "");
    v.Nominal = VerdictAt(line, {}, limits, particles);
    if (!range.IsEmpty())
        v.Range = RangeOf(line, v.Nominal, limits, range, particles);
    return v;
}

Verdict DesignVerdict(const LodoList& line, const DesignCase& design) {
    return DesignVerdict(line, design.Limits, design.Range,
                         design.Particles.value_or(DistributionSetting{}));
}

} // namespace Design
