#pragma once

#include "model/DesignCase.h"

#include <optional>
#include <string>

// The design case of the line being edited: who designed it for which stack, the
// criteria it is judged by and the range it must hold over. Its particle
// description is the distribution in force, which the session keeps: a line is
// saved with the description it was evaluated for, and none when that is the
// start-up one (it reopens at that).
class DesignCaseEditor {
public:
    // Identification, criteria and range; no particle description.
    const Design::DesignCase& Case() const { return case_; }

    // The design case as the line file holds it.
    Design::DesignCase WithParticles(const DistributionSetting& dist) const;

    // Takes the identification, criteria and range of `d` (its particle description
    // is the distribution's business); the reason when a value is refused, and then
    // nothing changes.
    std::optional<std::string> Set(const Design::DesignCase& d);

    // A new line: nothing set.
    void Reset() { case_ = {}; }

    // What an undo step names: "Design case: criteria", "… operating range", …;
    // empty when the two agree.
    static std::string DescribeChange(const Design::DesignCase& before,
                                      const Design::DesignCase& after);

private:
    Design::DesignCase case_;
};
