#include "design/map/LineMap.h"

#include "design/DesignVerdict.h"
#include "design/map/Contours.h"
#include "design/map/MapMargin.h"
#include "model/ModelTestLines.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

using namespace DesignMap;

namespace {

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A horizontal tube alone: its transport comes straight from the tube models.
LodoList LoneTube() {
    return {TestLines::Tube(10.0, 3.0, 20.0)};
}

// A nozzle in front of a tube, near isokinetic at 10 m/s and 40 L/min.
LodoList NozzleLine() {
    TLodoComp tube = TestLines::Tube(16.0, 1.5, 40.0);
    tube.Name = "T-1";
    return {TestLines::Nozzle(9.2, 16.0, 30.0, 40.0, 10.0), tube};
}

// The single-point evaluation the map must equal: the line set to the point and
// evaluated on its own, at the reference size.
LodoModel EvaluatedAlone(LodoList line, double flow, double diameter) {
    LodoModel m = TestLines::Model(std::move(line), "Mono", 10.0f);
    m.List[0].Flow = flow;
    m.List[0].Dia1 = m.List[0].Dia2 = diameter;
    AlignList(m, 0);
    return m;
}

} // namespace

TEST(LineMap, LoneTubeEqualsTheSinglePointEvaluationBitForBit) {
    const LodoList line = LoneTube();
    LineMapRequest r;
    r.X = {Variable::Flow, 5.0, 80.0, 9, true};
    r.Y = {Variable::Diameter, 4.0, 30.0, 7, false};
    for (unsigned threads : {1u, 2u, 5u}) {
        r.Threads = threads;
        const LineMap map = ComputeLineMap(line, r);
        ASSERT_TRUE(map.Grid.Complete);
        for (const MapPoint& p : map.Grid.Points) {
            const LodoModel alone = EvaluatedAlone(line, p.X, p.Y);
            EXPECT_TRUE(SameBits(p.TransportPenetration, alone.List[0].TransM1))
                << threads << " threads at " << p.X << ", " << p.Y;
            const Design::PointVerdict v = Design::VerdictAt(
                line, PointAt(Variable::Flow, p.X, Variable::Diameter, p.Y), {}, {});
            EXPECT_TRUE(SameBits(p.TransportPenetration, v.TransportPenetration));
            // No inlet: no aspiration ratio, no pass, no margin.
            EXPECT_TRUE(std::isnan(p.AspirationRatio));
            EXPECT_EQ(p.Verdict, PointVerdict::Fail);
            EXPECT_TRUE(std::isnan(p.Margin));
            EXPECT_EQ(p.WorstComponent, 0);
            const double Re = p.WorstReynolds;
            EXPECT_EQ(p.WorstRegime,
                      Re > 4000 ? FlowRegime::Turbulent
                                : (Re > 2100 ? FlowRegime::Transition : FlowRegime::Laminar));
        }
        EXPECT_FALSE(map.Best); // nothing has a margin without an inlet
    }
}

TEST(LineMap, EveryPointIsThePointEvaluatedAloneWhateverTheThreads) {
    const LodoList line = NozzleLine();
    LineMapRequest r;
    r.X = {Variable::Flow, 10.0, 120.0, 12, true};
    r.Y = {Variable::StackVelocity, 2.0, 25.0, 10, false};
    r.Threads = 1;
    const LineMap one = ComputeLineMap(line, r);
    r.Threads = 4;
    const LineMap four = ComputeLineMap(line, r);
    ASSERT_TRUE(one.Grid.Complete);
    ASSERT_EQ(one.Grid.Points.size(), four.Grid.Points.size());
    const PointEvaluator alone =
        LineEvaluator(line, Variable::Flow, Variable::StackVelocity, {}, {});
    for (std::size_t k = 0; k < one.Grid.Points.size(); ++k) {
        const MapPoint& p = one.Grid.Points[k];
        const MapPoint q = alone(p.X, p.Y);
        for (const MapPoint* m : {&p, &four.Grid.Points[k]}) {
            EXPECT_TRUE(SameBits(m->AspirationRatio, q.AspirationRatio));
            EXPECT_TRUE(SameBits(m->TransportPenetration, q.TransportPenetration));
            EXPECT_TRUE(SameBits(m->SystemPenetration, q.SystemPenetration));
            EXPECT_TRUE(SameBits(m->Margin, q.Margin));
            EXPECT_EQ(m->Verdict, q.Verdict);
            EXPECT_EQ(m->WorstComponent, q.WorstComponent);
        }
        // The verdict is the design verdict's at that point.
        const Design::PointVerdict v = Design::VerdictAt(
            line, PointAt(Variable::Flow, p.X, Variable::StackVelocity, p.Y), {}, {});
        EXPECT_EQ(p.Verdict == PointVerdict::Pass, v.Result == Design::Outcome::Pass);
        EXPECT_TRUE(SameBits(p.SystemPenetration, *v.SystemPenetration));
    }
}

TEST(LineMap, BestPointHasTheWidestMarginInsideThePassingRegion) {
    const LodoList line = NozzleLine();
    LineMapRequest r;
    r.X = {Variable::Flow, 10.0, 120.0, 15, true};
    r.Y = {Variable::StackVelocity, 2.0, 25.0, 15, false};
    const LineMap map = ComputeLineMap(line, r);
    ASSERT_TRUE(map.Best);
    bool anyPass = false;
    for (const MapPoint& p : map.Grid.Points) {
        anyPass = anyPass || p.Verdict == PointVerdict::Pass;
        if (std::isfinite(p.Margin))
            EXPECT_LE(p.Margin, map.Best->Point.Margin);
    }
    ASSERT_TRUE(anyPass) << "the line should pass somewhere on this map";
    EXPECT_EQ(map.Best->Point.Verdict, PointVerdict::Pass);
    EXPECT_GE(map.Best->Point.Margin, map.Best->GridBest.Margin);
    // Refined within the neighbouring cells of its grid point.
    const double i = AxisIndexOf(r.X, map.Best->Point.X), j = AxisIndexOf(r.Y, map.Best->Point.Y);
    EXPECT_LE(std::fabs(i - map.Best->GridI), 1.0 + 1e-9);
    EXPECT_LE(std::fabs(j - map.Best->GridJ), 1.0 + 1e-9);
    // The best point is what evaluating it alone gives.
    const MapPoint alone = LineEvaluator(line, r.X.Quantity, r.Y.Quantity, {},
                                         {})(map.Best->Point.X, map.Best->Point.Y);
    EXPECT_TRUE(SameBits(alone.Margin, map.Best->Point.Margin));
    // Margin 0 where the passing region ends: the margin is positive only inside it.
    for (const MapPoint& p : map.Grid.Points)
        if (p.Margin > 0)
            EXPECT_EQ(p.Verdict, PointVerdict::Pass);
}

TEST(LineMap, ContoursOfTheAspirationRatioAreSingleCurves) {
    // The aspiration ratio grows with the stack velocity and falls with the flow
    // (super- against sub-isokinetic sampling): each level is one curve.
    LineMapRequest r;
    r.X = {Variable::Flow, 10.0, 120.0, 30, true};
    r.Y = {Variable::StackVelocity, 2.0, 25.0, 30, false};
    const LineMap map = ComputeLineMap(NozzleLine(), r);
    std::vector<double> a;
    for (const MapPoint& p : map.Grid.Points)
        a.push_back(p.AspirationRatio);
    for (double level : {0.8, 1.0, 1.5}) {
        const auto lines = Contours(a, 30, 30, level);
        EXPECT_EQ(lines.size(), 1u) << level;
    }
}

TEST(LineMap, CancellingStopsPromptly) {
    LineMapRequest r;
    r.X = {Variable::Flow, 10.0, 120.0, 40, false};
    r.Y = {Variable::Diameter, 5.0, 30.0, 40, false};
    constexpr std::size_t k = 30;
    for (unsigned threads : {1u, 2u}) {
        r.Threads = threads;
        std::size_t calls = 0;
        const LineMap map = ComputeLineMap(NozzleLine(), r, [&](std::size_t done, std::size_t) {
            calls = done;
            return done < k;
        });
        EXPECT_FALSE(map.Grid.Complete);
        EXPECT_FALSE(map.Best);
        std::size_t evaluated = 0;
        for (const MapPoint& p : map.Grid.Points)
            evaluated += p.X != 0;
        EXPECT_EQ(calls, k);
        EXPECT_LE(evaluated, k + threads - 1);
    }
}

TEST(LineMap, RefusesWhatTheLineCannotTake) {
    const Axis flow{Variable::Flow, 10, 100, 5, false};
    const Axis dia{Variable::Diameter, 5, 30, 5, false};
    const Axis stack{Variable::StackVelocity, 1, 20, 5, false};
    const struct {
        LodoList Line;
        Axis X, Y;
        bool Refused;
    } cases[] = {
        {NozzleLine(), flow, dia, false},
        {NozzleLine(), flow, stack, false},
        {LoneTube(), flow, stack, true},                        // no inlet for a stack velocity
        {{NozzleLine()[0]}, flow, dia, true},                   // nothing behind the inlet
        {NozzleLine(), flow, flow, true},                       // the same quantity twice
        {NozzleLine(), {Variable::Flow, -1, 10, 5}, dia, true}, // a flow must be above 0
        {{}, flow, dia, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MapRefusal(c.Line, c.X, c.Y).has_value(), c.Refused)
            << VariableName(c.X.Quantity) << " x " << VariableName(c.Y.Quantity);
    EXPECT_EQ(CurrentValue(NozzleLine(), Variable::Diameter), 16.0);
    EXPECT_EQ(CurrentValue(NozzleLine(), Variable::StackVelocity), 10.0);
    EXPECT_FALSE(CurrentValue(LoneTube(), Variable::StackVelocity));
}
