#pragma once

#include "model/EvalContext.h"

#include <optional>
#include <string>

// What a line is designed for and judged by, saved with it: who designed it and for
// which stack, the aerosol it was evaluated for, the acceptance criteria and the
// range of operating conditions the design must hold over. Plain data: the design
// verdict reads it, the line file stores it, the session edits it.
namespace Design {

struct Identification {
    std::string Facility;
    std::string Stack; // stack or duct
    std::string LineId;
    std::string PreparedBy;
    std::string CheckedBy;
    std::string Revision;
    std::string Date;
    std::string Notes;
    bool operator==(const Identification&) const = default;
};

// The acceptance criteria of ANSI N13.1 at its reference size, as defaults; a
// regulator may require others for a line.
struct Criteria {
    double ReferenceSize = 10.0;          // [um] aerodynamic diameter
    double MinAspirationRatio = 0.8;      // [-]
    double MaxAspirationRatio = 1.5;      // [-]
    double MinTransportPenetration = 0.5; // [fraction]
    double MinSystemPenetration = 0.5;    // [fraction]
    bool operator==(const Criteria&) const = default;
    bool IsDefault() const { return *this == Criteria{}; }
};

// A closed interval of one operating condition; the line's own value is the
// nominal point between (or at) the ends.
struct Interval {
    double Min = 0;
    double Max = 0;
    bool operator==(const Interval&) const = default;
};

struct OperatingRange {
    std::optional<Interval> StackVelocity; // [m/s] free-stream velocity at the inlet
    std::optional<Interval> Flow;          // [L/min] sample flow at actual conditions
    std::optional<Interval> Temperature;   // [degC] gas temperature
    bool operator==(const OperatingRange&) const = default;
    bool IsEmpty() const { return !StackVelocity && !Flow && !Temperature; }
};

struct DesignCase {
    Identification Id;
    // The aerosol the line was last evaluated for; absent: the program's start-up
    // description (the line reopens at it).
    std::optional<DistributionSetting> Particles;
    Criteria Limits;
    OperatingRange Range;
    bool operator==(const DesignCase&) const = default;
    // Nothing set: the line file is written exactly as without a design case.
    bool IsEmpty() const { return *this == DesignCase{}; }
};

} // namespace Design
