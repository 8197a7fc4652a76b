#include "design/map/MapGrid.h"

#include "design/map/Contours.h"
#include "design/map/MapAxis.h"
#include "design/map/MapMargin.h"
#include "design/map/ParallelGrid.h"

#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <set>

using namespace DesignMap;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// A margin field with its one maximum at (x0, y0), between grid values, passing inside
// an ellipse around it.
MapPoint Hill(double x, double y) {
    constexpr double x0 = 3.37, y0 = 0.613;
    MapPoint p;
    p.X = x;
    p.Y = y;
    p.Margin = 0.3 - 0.02 * (x - x0) * (x - x0) - 5.0 * (y - y0) * (y - y0);
    p.Verdict = p.Margin >= 0 ? PointVerdict::Pass : PointVerdict::Fail;
    return p;
}

} // namespace

TEST(MapAxis, ValuesRunFromMinToMaxExactlyInTheirSpacing) {
    const Axis lin{Variable::Flow, 10.0, 100.0, 7, false};
    const std::vector<double> v = AxisValues(lin);
    ASSERT_EQ(v.size(), 7u);
    EXPECT_EQ(v.front(), 10.0);
    EXPECT_EQ(v.back(), 100.0);
    EXPECT_DOUBLE_EQ(v[2], 40.0);

    const Axis log{Variable::Diameter, 1.0, 1000.0, 4, true};
    const std::vector<double> w = AxisValues(log);
    ASSERT_EQ(w.size(), 4u);
    EXPECT_EQ(w.front(), 1.0);
    EXPECT_EQ(w.back(), 1000.0);
    EXPECT_DOUBLE_EQ(w[1], 10.0);
    EXPECT_DOUBLE_EQ(w[2], 100.0);
    for (const Axis& a : {lin, log})
        for (double index : {0.0, 0.25, 1.5, 2.0, 3.0})
            EXPECT_NEAR(AxisIndexOf(a, AxisValueAt(a, index)), index, 1e-12);

    // A descending axis is sampled from its first end.
    const Axis down{Variable::Temperature, 80.0, 20.0, 4, false};
    EXPECT_EQ(AxisValues(down), (std::vector<double>{80.0, 60.0, 40.0, 20.0}));
}

TEST(MapAxis, RefusesAxesThatCannotBeSampled) {
    const struct {
        Axis A;
        bool Refused;
    } cases[] = {
        {{Variable::Flow, 1, 2, 2, false}, false},
        {{Variable::Flow, 1, 2, 1, false}, true},
        {{Variable::Flow, 1, 2, MaxAxisPoints + 1, false}, true},
        {{Variable::Flow, 2, 2, 10, false}, true},
        {{Variable::Flow, NaN, 2, 10, false}, true},
        {{Variable::Flow, 0, 2, 10, true}, true},
        {{Variable::Temperature, -20, 80, 10, false}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AxisProblem(c.A).has_value(), c.Refused) << c.A.Min << " " << c.A.Points;
        EXPECT_EQ(AxisValues(c.A).empty(), c.Refused);
    }
    for (Variable v : Variables)
        EXPECT_EQ(VariableFromName(VariableName(v)), v);
    EXPECT_FALSE(VariableFromName("Flow"));
}

TEST(MapMargin, IsTheSmallestRelativeDistanceFromALimit) {
    const Design::Criteria c; // 0.8 to 1.5, 50 %, 50 %
    const struct {
        double A, T, S, Margin;
        Binding By;
    } cases[] = {
        {1.0, 0.9, 0.9, 0.25, Binding::AspirationLow},    // (1.0 - 0.8) / 0.8
        {1.2, 0.6, 0.72, 0.2, Binding::Transport},        // (0.6 - 0.5) / 0.5
        {1.35, 0.9, 1.215, 0.1, Binding::AspirationHigh}, // (1.5 - 1.35) / 1.5
        {1.0, 0.45, 0.45, -0.1, Binding::Transport},      // fails: negative
        {0.8, 0.9, 0.72, 0.0, Binding::AspirationLow},    // on the limit
        {1.6, 0.9, 1.44, -1.0 / 15.0, Binding::AspirationHigh},
        {NaN, 0.9, 0.9, NaN, Binding::None}, // no inlet
    };
    for (const auto& k : cases) {
        const double m = CriteriaMargin(k.A, k.T, k.S, c);
        if (std::isnan(k.Margin))
            EXPECT_TRUE(std::isnan(m));
        else
            EXPECT_NEAR(m, k.Margin, 1e-12) << k.A << " " << k.T << " " << k.S;
        EXPECT_EQ(BindingCriterion(k.A, k.T, k.S, c), k.By);
    }
}

TEST(ParallelGrid, RunsEveryTaskOnceOnAnyNumberOfThreads) {
    for (unsigned threads : {1u, 2u, 3u, 8u}) {
        std::vector<std::atomic<int>> runs(1000);
        std::size_t lastDone = 0;
        EXPECT_TRUE(RunParallel(
            runs.size(), threads, [&](std::size_t i) { runs[i].fetch_add(1); },
            [&](std::size_t done, std::size_t total) {
                EXPECT_EQ(done, lastDone + 1); // one call at a time, in order
                EXPECT_EQ(total, 1000u);
                lastDone = done;
                return true;
            }));
        EXPECT_EQ(lastDone, 1000u);
        for (const auto& r : runs)
            EXPECT_EQ(r.load(), 1);
    }
}

TEST(ParallelGrid, CancellingStopsStartingTasks) {
    constexpr std::size_t k = 25;
    for (unsigned threads : {1u, 2u, 4u}) {
        std::atomic<std::size_t> ran{0};
        const bool finished = RunParallel(
            10000, threads, [&](std::size_t) { ran.fetch_add(1); },
            [&](std::size_t done, std::size_t) { return done < k; });
        EXPECT_FALSE(finished);
        // The task that cancelled and those already running on the other threads.
        EXPECT_GE(ran.load(), k);
        EXPECT_LE(ran.load(), k + threads - 1) << threads << " threads";
    }
}

TEST(MapGrid, EveryPointIsItsEvaluatorsValueAtItsAxisValues) {
    const Axis x{Variable::Flow, 10, 100, 13, true};
    const Axis y{Variable::Diameter, 4, 40, 7, false};
    const MapGrid g = EvaluateGrid(x, y, Hill, 3);
    ASSERT_TRUE(g.Complete);
    ASSERT_EQ(g.Points.size(), 13u * 7u);
    for (int j = 0; j < 7; ++j)
        for (int i = 0; i < 13; ++i) {
            EXPECT_EQ(g.At(i, j).X, g.XValues[i]);
            EXPECT_EQ(g.At(i, j).Y, g.YValues[j]);
            EXPECT_EQ(g.At(i, j), Hill(g.XValues[i], g.YValues[j]));
        }
    EXPECT_FALSE(EvaluateGrid({Variable::Flow, 1, 1, 5}, y, Hill).Complete);
}

TEST(MapGrid, BestPointIsRefinedBelowTheGridSpacingInsideThePassingRegion) {
    const Axis x{Variable::Flow, 0, 10, 11, false};
    const Axis y{Variable::StackVelocity, 0, 1, 6, false};
    const MapGrid g = EvaluateGrid(x, y, Hill);
    const auto best = FindBestPoint(g, Hill);
    ASSERT_TRUE(best);
    // The grid's best is the grid point nearest the top of the hill.
    EXPECT_EQ(best->GridI, 3);
    EXPECT_EQ(best->GridJ, 3);
    for (const MapPoint& p : g.Points)
        EXPECT_LE(p.Margin, best->GridBest.Margin);
    // Refined: nearer the top than the grid spacing (1 and 0.2) and never worse.
    EXPECT_GE(best->Point.Margin, best->GridBest.Margin);
    EXPECT_NEAR(best->Point.X, 3.37, 0.1);
    EXPECT_NEAR(best->Point.Y, 0.613, 0.02);
    EXPECT_EQ(best->Point.Verdict, PointVerdict::Pass);
    EXPECT_LE(best->Evaluations, 60);
}

TEST(MapGrid, BestPointPrefersAPassOverAWiderMarginWithoutVerdict) {
    const auto f = [](double x, double) {
        MapPoint p;
        p.X = x;
        p.Margin = x;
        p.Verdict = x > 5 ? PointVerdict::None : (x >= 0 ? PointVerdict::Pass : PointVerdict::Fail);
        return p;
    };
    const MapGrid g = EvaluateGrid({Variable::Flow, -2, 8, 11}, {Variable::Flow, 0, 1, 2}, f);
    const auto best = FindBestPoint(g, f);
    ASSERT_TRUE(best);
    EXPECT_EQ(best->Point.Verdict, PointVerdict::Pass);
    EXPECT_LE(best->Point.X, 5.0);
    EXPECT_GE(best->Point.X, 4.0);

    // Nothing with a margin: no best point.
    const auto none = [](double, double) { return MapPoint{.Margin = NaN}; };
    EXPECT_FALSE(FindBestPoint(
        EvaluateGrid({Variable::Flow, 0, 1, 3}, {Variable::Flow, 0, 1, 3}, none), none));
}

TEST(Contours, MonotoneFieldGivesOneCurveAcrossTheMap) {
    // Increasing in both directions, as a penetration falls with flow and rises with
    // diameter: each level is one open curve from edge to edge.
    const int nx = 30, ny = 20;
    std::vector<double> v(nx * ny);
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            v[j * nx + i] = std::exp(0.1 * i) + 0.3 * j * j;
    for (double level : {2.0, 5.0, 19.9, 40.0}) {
        const auto lines = Contours(v, nx, ny, level);
        ASSERT_EQ(lines.size(), 1u) << level;
        const ContourLine& l = lines[0];
        EXPECT_NE(l.front(), l.back());
        for (const GridPoint& p : l) {
            // On the level, to interpolation accuracy: between the neighbouring values.
            const int i = std::min(static_cast<int>(p.I), nx - 2);
            const int j = std::min(static_cast<int>(p.J), ny - 2);
            const double lo = std::min(
                {v[j * nx + i], v[j * nx + i + 1], v[(j + 1) * nx + i], v[(j + 1) * nx + i + 1]});
            const double hi = std::max(
                {v[j * nx + i], v[j * nx + i + 1], v[(j + 1) * nx + i], v[(j + 1) * nx + i + 1]});
            EXPECT_LE(lo, level);
            EXPECT_GE(hi, level);
        }
        // The curve's ends lie on the map's border.
        for (const GridPoint& e : {l.front(), l.back()})
            EXPECT_TRUE(e.I == 0 || e.J == 0 || e.I == nx - 1 || e.J == ny - 1);
    }
    EXPECT_TRUE(Contours(v, nx, ny, 1e9).empty());
}

TEST(Contours, ClosedCurvesHolesAndSaddles) {
    const int n = 21;
    std::vector<double> bump(n * n);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            bump[j * n + i] = -((i - 10.3) * (i - 10.3) + (j - 9.6) * (j - 9.6));
    auto lines = Contours(bump, n, n, -25.0);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].front(), lines[0].back()); // closed around the top

    // A value that is not a number cuts the line where it stands.
    bump[9 * n + 15] = NaN;
    lines = Contours(bump, n, n, -25.0);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].front(), lines[0].back());

    // A saddle cell gives two segments, never a crossing.
    const std::vector<double> saddle{1, 0, 0, 1}; // 2 x 2
    EXPECT_EQ(Contours(saddle, 2, 2, 0.5).size(), 2u);
}
