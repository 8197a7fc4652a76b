#pragma once

#include "design/map/MapAxis.h"
#include "design/map/ParallelGrid.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

// A design map: the design verdict's quantities at every point of a grid of two
// operating conditions, and the point with the widest margin.
namespace DesignMap {

enum class PointVerdict {
    Pass,
    Fail,
    None, // no verdict: a result that is not finite, or a geometry the line's checks flag
};

// Reynolds number of the flow: Re <= 2100 laminar, 2100 < Re < 4000 transition, above
// turbulent (exactly 4000 reads as laminar, as the tube models take it).
enum class FlowRegime { Unknown, Laminar, Transition, Turbulent };
FlowRegime RegimeOf(double Re);
// "laminar", "transition", "turbulent", "" for Unknown.
std::string_view RegimeText(FlowRegime r);

// The verdict at one operating point (X, Y), at the criteria's reference size.
struct MapPoint {
    double X = 0, Y = 0;
    double AspirationRatio = 0;      // [-]; NaN without an inlet
    double TransportPenetration = 0; // [fraction]
    double SystemPenetration = 0;    // [fraction]
    PointVerdict Verdict = PointVerdict::None;
    // The component that loses most (aspiration aside), 0-based; -1 when none.
    int WorstComponent = -1;
    FlowRegime WorstRegime = FlowRegime::Unknown;
    double WorstReynolds = 0; // [-]
    double Margin = 0;        // CriteriaMargin; NaN without a verdict or an inlet
    bool operator==(const MapPoint&) const = default;
};

// Evaluates one operating point. Called from several threads at once: it must not
// change anything it shares with other calls.
using PointEvaluator = std::function<MapPoint(double x, double y)>;

struct MapGrid {
    Axis X, Y;
    std::vector<double> XValues, YValues;
    // Row-major, y outer: the point (XValues[i], YValues[j]) is Points[j * X.Points + i].
    std::vector<MapPoint> Points;
    bool Complete = false; // false: cancelled; the points not evaluated are left default

    std::size_t Index(int i, int j) const { return static_cast<std::size_t>(j) * X.Points + i; }
    const MapPoint& At(int i, int j) const { return Points[Index(i, j)]; }
};

// Evaluates every point of the grid in parallel (threads 0: all the cores). Each
// point is the evaluator's result for its values alone. An axis that cannot be
// sampled (AxisProblem) gives an empty, incomplete grid.
MapGrid EvaluateGrid(const Axis& x, const Axis& y, const PointEvaluator& evaluate,
                     unsigned threads = 0, const GridProgress& progress = {});

// Better first: a point with a verdict before one without, a pass before a fail, then
// the larger margin. Points without a margin (NaN) are never better than one with.
bool BetterPoint(const MapPoint& a, const MapPoint& b);

struct BestPoint {
    MapPoint Point; // refined: may lie between grid values
    int GridI = 0;  // the grid point it was refined from
    int GridJ = 0;
    MapPoint GridBest;   // that grid point
    int Evaluations = 0; // of the refinement
};

// The grid point with the widest margin (passing points first), refined locally below
// the grid spacing within its neighbouring cells (a bounded Nelder-Mead search in the
// axes' own spacing); the refinement keeps the grid point unless it finds a better one.
// Nothing when no point of a complete grid has a margin.
std::optional<BestPoint> FindBestPoint(const MapGrid& grid, const PointEvaluator& evaluate,
                                       int maxEvaluations = 60);

} // namespace DesignMap
