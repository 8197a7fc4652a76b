#pragma once

#include "design/OperatingPoint.h"
#include "design/map/MapGrid.h"
#include "model/DesignCase.h"
#include "model/EvalContext.h"
#include "model/TLodoComp.h"

#include <optional>
#include <string>
#include <vector>

// The design map of a sample line: the design verdict at the reference size at every
// point of a grid of two operating conditions, each point set on a copy of the line the
// way the parameter studies and the design verdict's range set it.
namespace DesignMap {

struct LineMapRequest {
    Axis X, Y;
    Design::Criteria Limits;
    DistributionSetting Particles; // the selected description; the verdict takes its size
    unsigned Threads = 0;          // 0: every core
};

struct LineMap {
    LineMapRequest Request;
    MapGrid Grid;
    std::optional<BestPoint> Best;
    // The line's own values on the two axes: where the current design lies.
    std::optional<double> CurrentX, CurrentY;
    // Why no point has a verdict for the whole line (its geometry is inconsistent); the
    // quantities are still shown.
    std::string Withheld;
    std::vector<std::string> Names; // the components, for the worst one
};

// The operating point that sets `x` and `y` to the values.
Design::OperatingPoint PointAt(Variable x, double vx, Variable y, double vy);

// The line's own value of a variable (diameter: that of the component a diameter study
// varies, in mm); nothing when the line has no such value.
std::optional<double> CurrentValue(const LodoList& line, Variable v);

// Why the line cannot be mapped over these axes, or nothing: an axis that cannot be
// sampled, the same variable twice, an end outside its input rule, a variable the line
// cannot take (a stack velocity without an inlet, a diameter with nothing behind it).
std::optional<std::string> MapRefusal(const LodoList& line, const Axis& x, const Axis& y);

// The verdict of the line at (x, y): the design verdict's own evaluation at the point,
// its margin against the criteria and the component that loses most. Safe to call from
// several threads: each call works on its own copy of the line.
PointEvaluator LineEvaluator(const LodoList& line, Variable x, Variable y,
                             const Design::Criteria& limits, const DistributionSetting& particles);

// The whole map with its best point. A refused map (MapRefusal) or a cancelled one has
// an incomplete grid and no best point.
LineMap ComputeLineMap(const LodoList& line, const LineMapRequest& request,
                       const GridProgress& progress = {});

} // namespace DesignMap
