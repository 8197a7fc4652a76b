#include "ModelTestLines.h"
#include "TestPrecision.h"
#include "model/NumberFormat.h"
#include "model/StepControl.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace TestLines;

namespace {

// A record the evaluation does not know (code 0 or 7) keeps its stored results.
TLodoComp Stored(double trans, int code = 0) {
    TLodoComp c = Base("X", "", code);
    c.TransM1 = trans;
    c.MTrans = trans;
    c.PTrans = trans;
    return c;
}

TEST(CalcNodeTrans, SystemPenetrationAndVerdict) {
    struct Case {
        std::vector<double> trans;
        double system;
        const char* text;
        std::uint32_t colour;
    };
    for (const Case& c :
         {Case{{0.6}, 0.6, "= 60.00", Argb::Green}, Case{{0.4}, 0.4, "= 40.00", Argb::Red},
          Case{{0.5}, 0.5, "= 50.00", Argb::Green},
          Case{{0.9, 0.8, 0.5}, 0.36, "= 36.00", Argb::Red}}) {
        LodoList list;
        for (double t : c.trans)
            list.push_back(Stored(t));
        LodoModel m = Model(list);
        m.Display.MassPent = m.Display.MaxPartSize = "stale";
        CalcNodeTrans(m, 0);
        EXPECT_REL_NEAR(m.Ctx.SystemTrans, c.system, 1e-15);
        EXPECT_EQ(m.Display.SystemT.Text, c.text);
        EXPECT_EQ(m.Display.SystemT.Colour, c.colour);
        EXPECT_TRUE(m.Display.MassPent.empty());
        EXPECT_TRUE(m.Display.MaxPartSize.empty());
    }
}

TEST(CalcNodeTrans, UnknownCodesAreNotEvaluatedButCount) {
    for (int code : {0, 7}) {
        LodoModel m = Model({Tube(10, 1, 10), Stored(0.5, code)});
        const TLodoComp before = m.List[1];
        CalcNodeTrans(m, 1);
        EXPECT_EQ(m.List[1], before);
        CalcNodeTrans(m, 0);
        EXPECT_EQ(m.Ctx.SystemTrans, 1.0 * m.List[0].TransM1 * 0.5);
    }
}

TEST(CalcNodeTrans, LogNormalTotalsAndTexts) {
    LodoModel m = Model({Stored(0.9), Stored(0.8)}, "LogNormal");
    m.List[0].PTrans = 0.5;
    m.List[1].MTrans = 0.25;
    CalcNodeTrans(m, 0);
    EXPECT_EQ(m.Ctx.PartTrans, 0.5 * 0.8);
    EXPECT_EQ(m.Ctx.MassTrans, 0.9 * 0.25);
    EXPECT_EQ(m.Display.SystemT.Text, "= 40.00"); // number penetration
    // The product is no aerosol's penetration: shown, but not coloured as a verdict.
    EXPECT_EQ(m.Display.SystemT.Colour, Argb::Black);
    EXPECT_EQ(m.Display.MassPent, "= 22.50");
}

TEST(StepControl, RangeOfTheDefaultDistribution) {
    const StepControl::Range r = StepControl::LogNormalRange(5.0f, 2.5f);
    EXPECT_EQ(r.LowV, 0.32f);
    EXPECT_EQ(r.HighV, 78.125f);
    EXPECT_EQ(r.DpStep, (78.125f - 0.32f) / 50.0f);
    EXPECT_REL_NEAR(r.DpStep, 1.5561, 1e-6);
}

TEST(StepControl, StepCounts) {
    const StepControl::Range r = StepControl::LogNormalRange(5.0f, 2.5f);
    float size19 = r.LowV; // the 19th size visited
    for (int k = 0; k < 18; ++k)
        size19 += r.DpStep;
    struct Case {
        int row;
        float newHighV;
        int steps;
    };
    for (const Case& c : {Case{0, 3.0f, 50}, Case{0, NAN, 50}, Case{1, size19, 19},
                          Case{1, r.HighV, 51}, Case{1, r.LowV, 1}, Case{1, 0.0f, 1},
                          Case{1, -10.0f, -6}, Case{1, NAN, 0}, Case{1, INFINITY, 0}}) {
        EXPECT_EQ(StepControl::StepCount(c.row, c.newHighV, r.LowV, r.DpStep), c.steps)
            << c.row << " " << c.newHighV;
    }
    // Half way rounds to even.
    EXPECT_EQ(StepControl::StepCount(1, 2.5f, 0.0f, 1.0f), 3);
    EXPECT_EQ(StepControl::StepCount(1, 3.5f, 0.0f, 1.0f), 5);
    // A zero step (geometric standard deviation 1) or an absurd one stays defined.
    EXPECT_EQ(StepControl::StepCount(1, 5.0f, 5.0f, 0.0f), 0);
    EXPECT_EQ(StepControl::StepCount(1, 1e30f, 0.0f, 1e-5f), 100001);
}

LodoModel LogNormalModel(LodoList list) {
    LodoModel m = Model(std::move(list), "LogNormal");
    m.Ctx.MDp = 5.0f;
    m.Ctx.DpSD = 2.5f;
    return m;
}

float SizeAt(int k) {
    const StepControl::Range r = StepControl::LogNormalRange(5.0f, 2.5f);
    float dp = r.LowV;
    for (int i = 0; i < k; ++i)
        dp += r.DpStep;
    return dp;
}

TEST(LogNormal, FirstComponentVisitsFiftySizes) {
    // A vertical laminar tube transmits every size of the range.
    LodoModel m = LogNormalModel({Tube(10, 1, 10, 90)});
    m.Ctx.NewHighV = 1.0f; // ignored for the first row
    CalcNodeTrans(m, 0);
    EXPECT_EQ(m.Ctx.LowV, 0.32f);
    EXPECT_EQ(m.Ctx.HighV, 78.125f);
    EXPECT_EQ(m.Ctx.NumSteps1, 50);
    EXPECT_EQ(m.Ctx.NewHighV, SizeAt(49));
    EXPECT_EQ(m.Ctx.Dp, SizeAt(50)); // one step past the last size
    EXPECT_LT(m.Ctx.NewHighV, m.Ctx.HighV);
    EXPECT_EQ(m.Display.MaxPartSize, "Maximum particle size that the system can transport = " +
                                         NumberFormat::Fixed(SizeAt(49), 2) + " (µm)");
}

TEST(LogNormal, LargestTransmittedSizeIsHandedOver) {
    // A horizontal laminar tube whose settling cut-off (0.75 Tt = 1) lies between
    // the 19th and the 20th size.
    const double D = 10, Q = 10, V = LodoMath::Vel(D, Q);
    const double cut = 0.5 * (SizeAt(18) + SizeAt(19));
    const double vt = LodoMath::SettleVel(20, cut, 101.325, 1, V, D, 0);
    const double L = V * (D / 1000) / (0.75 * vt);
    LodoModel m = LogNormalModel({Tube(D, L, Q), Tube(D, 1, Q, 90)});
    CalcNodeTrans(m, 0);
    EXPECT_EQ(m.Ctx.NewHighV, SizeAt(18));
    EXPECT_EQ(m.Ctx.Dp, SizeAt(19)); // stopped at the first size not transmitted
    CalcNodeTrans(m, 1);
    EXPECT_EQ(m.Ctx.NumSteps1, 19);
    EXPECT_EQ(m.Ctx.NewHighV, SizeAt(18));
    EXPECT_GT(m.List[1].PTrans, 0.999); // the same 19 sizes, all transmitted
}

TEST(LogNormal, NoTransmittedSizeGivesZeroPenetrations) {
    // Far too long: every size settles out in the laminar model.
    LodoModel m = LogNormalModel({Tube(10, 1e7, 10), Tube(10, 1, 10, 90)});
    m.Ctx.PNodeTrans = m.Ctx.MNodeTrans = 0.7;
    CalcNodeTrans(m, 0);
    EXPECT_EQ(m.Ctx.PNodeTrans, 0.0);
    EXPECT_EQ(m.Ctx.MNodeTrans, 0.0);
    EXPECT_EQ(m.List[0].TransM1, 0.0);
    EXPECT_EQ(m.Ctx.NewHighV, m.Ctx.LowV);
    EXPECT_FALSE(HasInvalidResult(m.List[0]));
    // The next row then integrates one size, which the vertical tube transmits.
    CalcNodeTrans(m, 1);
    EXPECT_EQ(m.Ctx.NumSteps1, 1);
    EXPECT_EQ(m.Ctx.NewHighV, m.Ctx.LowV);
    // No steps at all: also zero.
    m.Ctx.NewHighV = -100.0f;
    CalcNodeTrans(m, 1);
    EXPECT_LE(m.Ctx.NumSteps1, 0);
    EXPECT_EQ(m.List[1].PTrans, 0.0);
    EXPECT_EQ(m.List[1].MTrans, 0.0);
    EXPECT_EQ(m.Ctx.Dp, m.Ctx.LowV);
}

TEST(LogNormal, GeometricStandardDeviationOfOneIsDefined) {
    LodoModel m = LogNormalModel({Tube(10, 1, 10), Tube(10, 1, 10)});
    m.Ctx.DpSD = 1.0f;
    CalcNodeTrans(m, 0);
    EXPECT_EQ(m.Ctx.DpStep, 0.0f);
    EXPECT_EQ(m.Ctx.NumSteps1, 50);
    // The distribution has no width: its weights are not numbers, and say so.
    EXPECT_TRUE(HasInvalidResult(m.List[0]));
    CalcNodeTrans(m, 1);
    EXPECT_EQ(m.Ctx.NumSteps1, 0);
    EXPECT_EQ(m.List[1].PTrans, 0.0);
    EXPECT_EQ(m.List[1].MTrans, 0.0);
    EXPECT_TRUE(HasInvalidSystem(m.Ctx));
    EXPECT_EQ(m.Display.SystemT.Colour, Argb::Black); // log-normal: no verdict colour
}

TEST(ResultCheck, DistributionResultsCountOnlyWhenAsked) {
    TLodoComp c = Stored(0.5);
    c.TransM2 = c.TransM3 = c.TransM4 = 1;
    c.PTrans = NAN; // left over: meaningless in monodisperse mode
    EXPECT_FALSE(HasInvalidResult(c, false));
    EXPECT_TRUE(HasInvalidResult(c));
    c.TransM3 = INFINITY;
    EXPECT_TRUE(HasInvalidResult(c, false));

    EvalContext ctx;
    ctx.SystemTrans = 0.5;
    ctx.MassTrans = NAN;
    EXPECT_FALSE(HasInvalidSystem(ctx));
    ctx.DType = Distribution::LogNormal;
    EXPECT_TRUE(HasInvalidSystem(ctx));
}

TEST(CalcNodeTrans, RowOutsideTheLineChangesNothing) {
    LodoModel m = Model({Tube(10, 1, 10)});
    m.Ctx.SystemTrans = 0.123;
    CalcNodeTrans(m, 1);
    CalcNodeTrans(m, -1);
    EXPECT_EQ(m.Ctx.SystemTrans, 0.123);
}

} // namespace
