#include "design/map/MapGrid.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace DesignMap {

FlowRegime RegimeOf(double Re) {
    if (!std::isfinite(Re))
        return FlowRegime::Unknown;
    if (Re > 2100.0 && Re < 4000.0)
        return FlowRegime::Transition;
    if (Re > 4000.0)
        return FlowRegime::Turbulent;
    return FlowRegime::Laminar;
}

std::string_view RegimeText(FlowRegime r) {
    switch (r) {
    case FlowRegime::Laminar:
        return "laminar";
    case FlowRegime::Transition:
        return "transition";
    case FlowRegime::Turbulent:
        return "turbulent";
    case FlowRegime::Unknown:
        break;
    }
    return "";
}

MapGrid EvaluateGrid(const Axis& x, const Axis& y, const PointEvaluator& evaluate, unsigned threads,
                     const GridProgress& progress) {
    MapGrid grid;
    grid.X = x;
    grid.Y = y;
    if (AxisProblem(x) || AxisProblem(y))
        return grid;
    grid.XValues = AxisValues(x);
    grid.YValues = AxisValues(y);
    grid.Points.resize(static_cast<std::size_t>(x.Points) * y.Points);
    const std::size_t nx = static_cast<std::size_t>(x.Points);
    grid.Complete = RunParallel(
        grid.Points.size(), threads,
        [&](std::size_t k) {
            grid.Points[k] = evaluate(grid.XValues[k % nx], grid.YValues[k / nx]);
        },
        progress);
    return grid;
}

namespace {
int Rank(const MapPoint& p) {
    if (std::isnan(p.Margin))
        return 0;
    if (p.Verdict == PointVerdict::None)
        return 1;
    return p.Verdict == PointVerdict::Pass ? 3 : 2;
}
} // namespace

bool BetterPoint(const MapPoint& a, const MapPoint& b) {
    const int ra = Rank(a), rb = Rank(b);
    if (ra != rb)
        return ra > rb;
    return ra > 0 && a.Margin > b.Margin;
}

namespace {

struct Vertex {
    double U, V; // fractional grid indexes
    MapPoint P;
};

// Nelder-Mead in the box [u0, u1] x [v0, v1] of fractional grid indexes: every trial
// point is clamped into the box, so the search never leaves the neighbouring cells.
class BoundedSearch {
public:
    BoundedSearch(const MapGrid& g, const PointEvaluator& f, int budget)
        : g_(g), f_(f), budget_(budget) {}

    Vertex Run(int i, int j) {
        u0_ = std::max(0, i - 1);
        u1_ = std::min(g_.X.Points - 1, i + 1);
        v0_ = std::max(0, j - 1);
        v1_ = std::min(g_.Y.Points - 1, j + 1);
        const double du = i + 0.5 <= u1_ ? 0.5 : -0.5;
        const double dv = j + 0.5 <= v1_ ? 0.5 : -0.5;
        std::array<Vertex, 3> s{Vertex{double(i), double(j), g_.At(i, j)}, At(i + du, j),
                                At(i, j + dv)};
        while (evaluations_ + 2 <= budget_) {
            std::sort(s.begin(), s.end(),
                      [](const Vertex& a, const Vertex& b) { return BetterPoint(a.P, b.P); });
            const double size = std::max({std::fabs(s[1].U - s[0].U), std::fabs(s[2].U - s[0].U),
                                          std::fabs(s[1].V - s[0].V), std::fabs(s[2].V - s[0].V)});
            if (size < 1e-4)
                break;
            const double cu = (s[0].U + s[1].U) / 2, cv = (s[0].V + s[1].V) / 2;
            const Vertex r = At(cu + (cu - s[2].U), cv + (cv - s[2].V));
            if (BetterPoint(r.P, s[0].P)) {
                const Vertex e = At(cu + 2 * (cu - s[2].U), cv + 2 * (cv - s[2].V));
                s[2] = BetterPoint(e.P, r.P) ? e : r;
            } else if (BetterPoint(r.P, s[1].P)) {
                s[2] = r;
            } else {
                const Vertex c = At(cu + 0.5 * (s[2].U - cu), cv + 0.5 * (s[2].V - cv));
                if (BetterPoint(c.P, s[2].P)) {
                    s[2] = c;
                } else { // shrink towards the best
                    s[1] = At((s[0].U + s[1].U) / 2, (s[0].V + s[1].V) / 2);
                    s[2] = At((s[0].U + s[2].U) / 2, (s[0].V + s[2].V) / 2);
                }
            }
        }
        return *std::min_element(s.begin(), s.end(), [](const Vertex& a, const Vertex& b) {
            return BetterPoint(a.P, b.P);
        });
    }

    int Evaluations() const { return evaluations_; }

private:
    Vertex At(double u, double v) {
        u = std::clamp(u, double(u0_), double(u1_));
        v = std::clamp(v, double(v0_), double(v1_));
        ++evaluations_;
        return {u, v, f_(AxisValueAt(g_.X, u), AxisValueAt(g_.Y, v))};
    }

    const MapGrid& g_;
    const PointEvaluator& f_;
    int budget_;
    int evaluations_ = 0;
    int u0_ = 0, u1_ = 0, v0_ = 0, v1_ = 0;
};

} // namespace

std::optional<BestPoint> FindBestPoint(const MapGrid& grid, const PointEvaluator& evaluate,
                                       int maxEvaluations) {
    if (!grid.Complete || grid.Points.empty())
        return std::nullopt;
    std::size_t best = 0;
    for (std::size_t k = 1; k < grid.Points.size(); ++k)
        if (BetterPoint(grid.Points[k], grid.Points[best]))
            best = k;
    if (std::isnan(grid.Points[best].Margin))
        return std::nullopt;
    BestPoint b;
    b.GridI = static_cast<int>(best % grid.X.Points);
    b.GridJ = static_cast<int>(best / grid.X.Points);
    b.GridBest = grid.Points[best];
    b.Point = b.GridBest;
    if (maxEvaluations >= 2) {
        BoundedSearch search(grid, evaluate, maxEvaluations);
        const Vertex v = search.Run(b.GridI, b.GridJ);
        b.Evaluations = search.Evaluations();
        if (BetterPoint(v.P, b.GridBest))
            b.Point = v.P;
    }
    return b;
}

} // namespace DesignMap
