#pragma once

#include "design/OperatingPoint.h"
#include "model/DesignCase.h"
#include "model/EvalContext.h"
#include "model/TLodoComp.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The design verdict: does the line meet its acceptance criteria at the reference size
// (10 um aerodynamic by default), at its own operating point and over its operating
// range? The criteria are written for that one size, so the verdict is taken there
// whatever particle description the user selected; every other figure is information.
namespace Design {

enum class Criterion { AspirationRatio, TransportPenetration, SystemPenetration };

// "AspirationRatio", "TransportPenetration", "SystemPenetration" (keys in JSON).
std::string_view CriterionKey(Criterion c);

enum class Outcome { Pass, Fail, NoVerdict };

// "PASS", "FAIL", "no verdict".
std::string_view OutcomeText(Outcome o);

inline constexpr std::string_view NoInletText =
    "no inlet: the aspiration criterion cannot be shown";

// The three quantities at one operating point, each against its criterion.
struct PointVerdict {
    OperatingPoint Set;    // the values set at this point; absent: the line's own
    OperatingPoint Values; // the operating values in effect (ValuesOf the line at the point)
    // Aspiration ratio of the inlet; none without an inlet.
    std::optional<double> AspirationRatio;
    // Every loss from the inlet's own wall loss to the last component, aspiration
    // excluded [fraction].
    double TransportPenetration = 0;
    // Aspiration ratio x transport penetration [fraction]: the line's system
    // penetration at the reference size; none without an inlet.
    std::optional<double> SystemPenetration;
    Outcome Result = Outcome::NoVerdict;
    std::vector<Criterion> Failed; // in Criterion order
    std::string Reason;            // no verdict: why; no inlet: NoInletText; empty otherwise
};

// The verdict at every combination of minimum, nominal and maximum of the set ranges.
struct RangeVerdict {
    OperatingRange Set;               // the ranges the points span
    std::vector<PointVerdict> Points; // the nominal point first, then the others
    Outcome Result = Outcome::NoVerdict;
    std::string Reason; // no verdict: the first point's reason
    // The point where each quantity comes nearest to (or furthest past) its limit;
    // none when no point has the quantity.
    std::optional<std::size_t> WorstAspiration, WorstTransport, WorstSystem;
};

struct Verdict {
    Criteria Limits;
    // The description the user selected: information beside the verdict, which is
    // taken at Limits.ReferenceSize whatever it is.
    DistributionSetting Particles;
    // Why the verdict is withheld for the whole line (its geometry is inconsistent);
    // empty when it is not.
    std::string Withheld;
    PointVerdict Nominal;
    std::optional<RangeVerdict> Range; // when an operating range is set
    // Pass only when the nominal point and, with a range, every point pass.
    Outcome Result() const;
};

// The quantities at one point of the line, judged against `limits`. `evaluated`, when
// given, receives the line evaluated at the point and the reference size (left alone
// when the point is refused), for a caller that reads more of it (the design map).
PointVerdict VerdictAt(const LodoList& line, const OperatingPoint& point, const Criteria& limits,
                       const DistributionSetting& particles, LodoModel* evaluated = nullptr);

// The design verdict of a line with its criteria and operating range. `particles` is
// the selected description (for particle properties beyond the aerodynamic diameter).
Verdict DesignVerdict(const LodoList& line, const Criteria& limits, const OperatingRange& range,
                      const DistributionSetting& particles = {});

// The same for the line's design case (its criteria and range; its particle
// description when it has one).
Verdict DesignVerdict(const LodoList& line, const DesignCase& design);

} // namespace Design
