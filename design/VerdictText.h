#pragma once

#include "design/DesignVerdict.h"

#include <string>

// The design verdict in words, the same in the window, the report and lodo-cli.
namespace Design {

// "ANSI N13.1 at 10 µm" with the default criteria; criteria set for the line are named
// as such: "criteria of this line (not the ANSI N13.1 defaults) at 5 µm".
std::string CriteriaName(const Criteria& limits);

// The limits themselves: "aspiration ratio 0.8 to 1.5, transport ≥ 50 %, system ≥ 50 %".
std::string CriteriaLimits(const Criteria& limits);

// "aspiration ratio", "transport penetration", "system penetration".
std::string CriterionName(Criterion c);

// One quantity at a point with its criterion: "aspiration ratio 0.999 (0.8 to 1.5)",
// "transport 64.5 % (≥ 50 %)", "system 64.5 % (≥ 50 %)"; "not shown" where the point
// has no value for it.
std::string QuantityText(Criterion c, const PointVerdict& point, const Criteria& limits);

// The verdict at the line's own operating point:
// "ANSI N13.1 at 10 µm: PASS — aspiration ratio 0.999 (0.8 to 1.5), transport 64.5 %
// (≥ 50 %), system 64.5 % (≥ 50 %)"; a FAIL names the criteria that failed.
std::string VerdictLine(const Verdict& v);

// With a range: "over the operating range: PASS, worst system penetration 59.0 % at
// 5 m/s"; a FAIL counts the failing points and names the worst point of each failed
// quantity. Empty without a range.
std::string RangeLine(const Verdict& v);

// The operating values of a point that the range varies: "5 m/s, 30 L/min, 20 °C".
std::string PointText(const PointVerdict& point, const OperatingRange& ranged);

} // namespace Design
