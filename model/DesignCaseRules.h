#pragma once

#include "model/DesignCase.h"
#include "model/InputRules.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The allowed values of a design case, as data: the line file's reader, the Design
// Case dialog and lodo-cli's range options check against these rows. Every number
// is in the working unit named beside it.
namespace DesignCaseRules {

struct CriterionField {
    std::string_view Name; // as in the line file
    std::string_view What; // as a message names it
    double Design::Criteria::*Member;
    InputRules::RuleId Rule;
};

inline const std::array<CriterionField, 5> CriteriaFields{{
    {"ReferenceSize", "reference size", &Design::Criteria::ReferenceSize,
     InputRules::RuleId::ParticleSize},
    {"MinAspirationRatio", "least aspiration ratio", &Design::Criteria::MinAspirationRatio,
     InputRules::RuleId::AspirationLimit},
    {"MaxAspirationRatio", "greatest aspiration ratio", &Design::Criteria::MaxAspirationRatio,
     InputRules::RuleId::AspirationLimit},
    {"MinTransportPenetration", "least transport penetration",
     &Design::Criteria::MinTransportPenetration, InputRules::RuleId::PenetrationLimit},
    {"MinSystemPenetration", "least system penetration", &Design::Criteria::MinSystemPenetration,
     InputRules::RuleId::PenetrationLimit},
}};

struct RangeField {
    std::string_view Name; // as in the line file
    std::string_view What; // as a message names it
    std::optional<Design::Interval> Design::OperatingRange::*Member;
    InputRules::RuleId Rule;
    std::string_view Unit; // of Min and Max
};

inline const std::array<RangeField, 3> RangeFields{{
    {"StackVelocity", "stack velocity", &Design::OperatingRange::StackVelocity,
     InputRules::RuleId::FreeStream, "m/s"},
    {"Flow", "sample flow", &Design::OperatingRange::Flow, InputRules::RuleId::Flow, "L/min"},
    {"Temperature", "gas temperature", &Design::OperatingRange::Temperature,
     InputRules::RuleId::Temperature, "\u00B0C"},
}};

// Why a value cannot be taken, "is 2000: Particle diameter must be ...", the value
// with up to `digits` significant digits; nullopt when the rule allows it.
std::optional<std::string> CheckValue(InputRules::RuleId rule, double v, int digits = 15);

// The first reason the criteria cannot be used: a value outside its rule, or the
// least aspiration ratio above the greatest.
std::optional<std::string> CheckCriteria(const Design::Criteria& c);

// Both ends within the quantity's rule and the minimum not above the maximum.
std::optional<std::string> CheckInterval(const RangeField& f, const Design::Interval& i);

// The particle description as the distribution window allows it: sizes within
// 0.001 to 1000 um, a geometric standard deviation above 1.
std::optional<std::string> CheckParticles(const DistributionSetting& s);

// The first reason of any of the above, for the whole design case.
std::optional<std::string> Check(const Design::DesignCase& d);

} // namespace DesignCaseRules
