#include "ModelTestLines.h"
#include "TestPrecision.h"
#include "model/EvalFrame.h"
#include "model/NumberFormat.h"
#include "physics/LodoMath.h"

#include <gtest/gtest.h>

using namespace TestLines;

namespace {

LodoModel EvaluateOne(const TLodoComp& c, const std::string& dtype = "Mono", float dp = 10.0f) {
    LodoModel m = Model({c}, dtype, dp);
    CalcNodeTrans(m, 0);
    return m;
}

// Straight-tube penetrations at 20 degC, 101.325 kPa, horizontal, D = 10 mm, L = 1 m:
// the tube models' values as defined, evaluated independently to six significant digits
// (the table of tests/physics/TubeModelsTest.cpp, which names the correlations).
struct TubeRef {
    float Dp;
    double Q, DT, ST, IT;
    bool marked;
};

class TubeReference : public ::testing::TestWithParam<TubeRef> {};

TEST_P(TubeReference, StoresMechanismsAndTheirProduct) {
    const TubeRef& r = GetParam();
    const LodoModel m = EvaluateOne(Tube(10.0, 1.0, r.Q), "Mono", r.Dp);
    const TLodoComp& c = m.List[0];
    EXPECT_REL_NEAR(c.TransM2, r.DT, TestPrecision::SixDigits);
    EXPECT_REL_NEAR(c.TransM3, r.ST, TestPrecision::SixDigits);
    EXPECT_REL_NEAR(c.TransM4, r.IT, TestPrecision::SixDigits);
    EXPECT_EQ(c.TransM1, c.TransM2 * c.TransM3 * c.TransM4);
    EXPECT_EQ(m.Ctx.NodeTrans, c.TransM1);
    EXPECT_EQ(c.Name, r.marked ? "T-1 *" : "T-1");
    EXPECT_EQ(m.Display.IV[7].Value.Text, NumberFormat::Fixed(c.TransM3, 5));
}

INSTANTIATE_TEST_SUITE_P(CorrelationValues, TubeReference,
                         ::testing::Values(TubeRef{0.01f, 10, 0.972355, 0.999996, 1, false},
                                           TubeRef{1.0f, 10, 0.999828, 0.997929, 1, false},
                                           TubeRef{10.0f, 10, 0.999966, 0.829979, 1, false},
                                           TubeRef{10.0f, 20, 0.999949, 0.912517, 0.748911, true},
                                           TubeRef{10.0f, 30, 0.999951, 0.940822, 0.322412,
                                                   false}));

TEST(TubeEval, PanelAndCommonOutputs) {
    const LodoModel m = EvaluateOne(Tube(10.0, 1.0, 10.0));
    const DisplaySink& d = m.Display;
    EXPECT_EQ(d.IV[0].Name.Text, "Inlet Velocity");
    EXPECT_EQ(d.IV[0].Value.Text, "2.1221   m/s");
    EXPECT_EQ(d.IV[1].Value.Text, "1408.79");
    for (int header : {2, 8, 15}) {
        EXPECT_EQ(d.IV[header].Value.Text, " -------------- ");
        EXPECT_EQ(d.IV[header].Name.Colour, Argb::DarkBlue);
        EXPECT_EQ(d.IV[header].Value.Colour, Argb::DarkBlue);
        EXPECT_TRUE(d.IV[header].Name.Underline);
        EXPECT_FALSE(d.IV[header].Value.Underline);
    }
    EXPECT_EQ(d.IV[20].Name.Text, "Inertial Transmission:");
    EXPECT_EQ(d.IV[20].Value.Text, "1.0000");
    for (int empty : {21, 22, 23})
        EXPECT_EQ(d.IV[empty], PanelRow{});
    EXPECT_EQ(d.Flow_in, "10.0   LPM");
    EXPECT_EQ(d.AirVisLabel, "1.814E-05   (N-s/m²)");
    EXPECT_EQ(d.AirDensityLabel, "1.2040     (kg/m³)");
    EXPECT_EQ(d.AirMeanFreePathLabel, "0.0652       (µm)");
    EXPECT_EQ(d.Cun_slip, NumberFormat::Fixed(LodoMath::SlipCorr(10.0, 20.0, 101.325), 4));
    EXPECT_TRUE(d.MaxPartSize.empty());
    EXPECT_EQ(d.SystemT.Text, NumberFormat::EqualsF(100 * m.List[0].TransM1));
}

TEST(TubeEval, TransitionMarkFollowsTheFlow) {
    LodoModel m = Model({Tube(10.0, 1.0, 21.3)}); // Re about 3000
    CalcNodeTrans(m, 0);
    EXPECT_EQ(m.List[0].Name, "T-1 *");
    m.List[0].Flow = 7.1; // Re about 1000
    CalcNodeTrans(m, 0);
    EXPECT_EQ(m.List[0].Name, "T-1");
    m.List[0].Name = "T-12*"; // no blank before the mark: still two characters go
    CalcNodeTrans(m, 0);
    EXPECT_EQ(m.List[0].Name, "T-1");
}

TEST(EvalFrame, TransitionIsStrictlyBetweenTheBounds) {
    struct Case {
        double Re1, Re2;
        bool marked;
    };
    for (const Case& c :
         {Case{2100, 2100, false}, Case{4000, 4000, false}, Case{2100.0000001, 1000, true},
          Case{1000, 3999.9999, true}, Case{4000.0001, 5000, false}, Case{NAN, NAN, false}}) {
        EXPECT_EQ(EvalFrame::MarkedName("T-1", c.Re1, c.Re2), c.marked ? "T-1 *" : "T-1")
            << c.Re1 << " " << c.Re2;
    }
    EXPECT_EQ(EvalFrame::StripMark("*"), "");
    EXPECT_EQ(EvalFrame::StripMark("T-3 *"), "T-3");
    EXPECT_EQ(EvalFrame::StripMark("T-3"), "T-3");
}

TEST(TubeEval, InclinationFolding) {
    struct Case {
        double in, folded;
    };
    for (const Case& c : {Case{100, 80}, Case{-100, 80}, Case{270, -90}, Case{-270, -90},
                          Case{300, 300}, Case{90, 90}, Case{-45, -45}, Case{180, 0}}) {
        EXPECT_EQ(EvalFrame::FoldedInclination(c.in), c.folded) << c.in;
    }
    const double at80 = EvaluateOne(Tube(10.0, 3.0, 10.0, 80)).List[0].TransM1;
    EXPECT_EQ(EvaluateOne(Tube(10.0, 3.0, 10.0, 100)).List[0].TransM1, at80);
    EXPECT_EQ(EvaluateOne(Tube(10.0, 3.0, 10.0, -100)).List[0].TransM1, at80);
    // 300 degrees is used as it is: cos(300) = cos(60).
    EXPECT_REL_NEAR(EvaluateOne(Tube(10.0, 3.0, 10.0, 300)).List[0].TransM3,
                    EvaluateOne(Tube(10.0, 3.0, 10.0, 60)).List[0].TransM3, 1e-12);
}

TEST(TubeEval, EnglishUnitsAndUnknownUnitTexts) {
    const double metric = EvaluateOne(Tube(25.4, 0.3048, 28.31685)).List[0].TransM1;
    TLodoComp e = Tube(1.0, 1.0, 1.0);
    e.Dia1Unit = e.LenUnit = e.FlowUnit = Units::English;
    EXPECT_EQ(EvaluateOne(e).List[0].TransM1, metric);
    TLodoComp f = Tube(10.0, 1.0, 10.0);
    f.Temp = 68.0;
    f.TempUnit = ""; // anything but "Metric" reads as English
    EXPECT_REL_NEAR(EvaluateOne(f).List[0].TransM1,
                    EvaluateOne(Tube(10.0, 1.0, 10.0)).List[0].TransM1, 1e-12);
}

TEST(TubeEval, LogNormalStoresMassPenetrationAndPanelAtMedian) {
    LodoModel m = Model({Tube(10.0, 2.0, 10.0)}, "LogNormal");
    m.Ctx.MDp = 5.0f;
    m.Ctx.DpSD = 2.5f;
    CalcNodeTrans(m, 0);
    const TLodoComp& c = m.List[0];
    EXPECT_EQ(c.TransM1, c.MTrans);
    EXPECT_EQ(c.TransM1, m.Ctx.MNodeTrans);
    EXPECT_EQ(c.PTrans, m.Ctx.PNodeTrans);
    EXPECT_GT(c.PTrans, c.MTrans); // big particles settle: mass suffers more
    const LodoModel mono = EvaluateOne(Tube(10.0, 2.0, 10.0), "Mono", 5.0f);
    EXPECT_EQ(c.TransM3, mono.List[0].TransM3); // mechanisms at the median
    EXPECT_EQ(m.Display.IV[7].Value.Text, mono.Display.IV[7].Value.Text);
    EXPECT_EQ(m.Display.Cun_slip, mono.Display.Cun_slip);
    EXPECT_NE(m.Display.MaxPartSize.find("Maximum particle size that the system can transport = "),
              std::string::npos);
}

} // namespace
