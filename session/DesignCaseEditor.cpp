#include "session/DesignCaseEditor.h"

#include "model/DesignCaseRules.h"

Design::DesignCase DesignCaseEditor::WithParticles(const DistributionSetting& dist) const {
    Design::DesignCase d = case_;
    if (dist == DistributionSetting{})
        d.Particles.reset();
    else
        d.Particles = dist;
    return d;
}

std::optional<std::string> DesignCaseEditor::Set(const Design::DesignCase& d) {
    Design::DesignCase taken = d;
    taken.Particles.reset();
    if (auto why = DesignCaseRules::Check(taken))
        return why;
    case_ = std::move(taken);
    return std::nullopt;
}

std::string DesignCaseEditor::DescribeChange(const Design::DesignCase& before,
                                             const Design::DesignCase& after) {
    std::string parts;
    const auto add = [&](bool changed, const char* what) {
        if (changed)
            parts += (parts.empty() ? "" : ", ") + std::string(what);
    };
    add(before.Id != after.Id, "identification");
    add(before.Limits != after.Limits, "criteria");
    add(before.Range != after.Range, "operating range");
    return parts.empty() ? std::string() : "Design case: " + parts;
}
