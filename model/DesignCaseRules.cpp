#include "model/DesignCaseRules.h"

#include "model/NumberFormat.h"

namespace DesignCaseRules {

std::optional<std::string> CheckValue(InputRules::RuleId rule, double v, int digits) {
    if (InputRules::Allows(rule, v))
        return std::nullopt;
    return "is " + NumberFormat::General(v, digits) + ": " +
           std::string(InputRules::RuleOf(rule).Message);
}

std::optional<std::string> CheckCriteria(const Design::Criteria& c) {
    for (const CriterionField& f : CriteriaFields)
        if (auto why = CheckValue(f.Rule, c.*f.Member))
            return "The " + std::string(f.What) + " " + *why;
    if (c.MinAspirationRatio > c.MaxAspirationRatio)
        return "The least aspiration ratio " + NumberFormat::General15(c.MinAspirationRatio) +
               " is above the greatest, " + NumberFormat::General15(c.MaxAspirationRatio) + ".";
    return std::nullopt;
}

std::optional<std::string> CheckInterval(const RangeField& f, const Design::Interval& i) {
    for (const auto& [end, v] : {std::pair{"least", i.Min}, std::pair{"greatest", i.Max}})
        if (auto why = CheckValue(f.Rule, v))
            return "The " + std::string(end) + " " + std::string(f.What) + " " + *why;
    if (i.Min > i.Max)
        return "The least " + std::string(f.What) + " " + NumberFormat::General15(i.Min) + " " +
               std::string(f.Unit) + " is above the greatest, " + NumberFormat::General15(i.Max) +
               " " + std::string(f.Unit) + ".";
    return std::nullopt;
}

std::optional<std::string> CheckParticles(const DistributionSetting& s) {
    using InputRules::RuleId;
    const std::pair<const char*, std::optional<std::string>> checks[] = {
        {"particle diameter", CheckValue(RuleId::ParticleSize, s.PartSize, 7)},
        {"mass median diameter", CheckValue(RuleId::ParticleSize, s.MeanPart, 7)},
        {"geometric standard deviation", CheckValue(RuleId::Gsd, s.PartSD, 7)},
    };
    for (const auto& [what, why] : checks)
        if (why)
            return "The " + std::string(what) + " " + *why;
    return std::nullopt;
}

std::optional<std::string> Check(const Design::DesignCase& d) {
    if (d.Particles)
        if (auto why = CheckParticles(*d.Particles))
            return why;
    if (auto why = CheckCriteria(d.Limits))
        return why;
    for (const RangeField& f : RangeFields)
        if (const auto& i = d.Range.*f.Member)
            if (auto why = CheckInterval(f, *i))
                return why;
    return std::nullopt;
}

} // namespace DesignCaseRules
