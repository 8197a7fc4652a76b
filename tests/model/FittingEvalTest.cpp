#include "ModelTestLines.h"
#include "TestPrecision.h"
#include "model/NumberFormat.h"
#include "physics/LodoMath.h"

#include <gtest/gtest.h>

using namespace TestLines;

namespace {

LodoModel EvaluateOne(const TLodoComp& c, const std::string& dtype = "Mono") {
    LodoModel m = Model({c}, dtype);
    m.Ctx.MDp = 5.0f;
    m.Ctx.DpSD = 2.5f;
    CalcNodeTrans(m, 0);
    return m;
}

TEST(BendEval, ReferenceValuesAndPanel) {
    // The bend model's laminar value (Pui, Romay-Novas & Liu 1987) as defined, evaluated
    // independently: 20 degC, 101.325 kPa, Dp 10 um, D 10 mm, Q 10 L/min.
    const LodoModel m90 = EvaluateOne(Bend(10.0, 0.1, 10.0, 90.0));
    EXPECT_REL_NEAR(m90.List[0].TransM1, 0.661672, TestPrecision::SixDigits);
    EXPECT_EQ(m90.List[0].TransM2, 1.0);
    EXPECT_EQ(m90.List[0].TransM4, 1.0);
    EXPECT_REL_NEAR(EvaluateOne(Bend(10.0, 0.1, 10.0, 45.0)).List[0].TransM1, 0.813432,
                    TestPrecision::SixDigits);
    const DisplaySink& d = m90.Display;
    EXPECT_EQ(d.IV[2].Value.Text, "0.1320"); // Stokes number 0.131996
    EXPECT_EQ(d.IV[3].Name.Text, "Curvature ratio:");
    EXPECT_EQ(d.IV[3].Value.Text, "20.0000");
    EXPECT_EQ(d.IV[4].Value.Text, NumberFormat::Fixed(m90.List[0].TransM1, 4));
    EXPECT_EQ(d.IV[5], PanelRow{});
    EXPECT_EQ(EvaluateOne(Bend(10.0, 0.1, 10.0, 0.0)).List[0].TransM1, 1.0);
}

TEST(BendEval, CurvatureRatioVerdict) {
    struct Case {
        double D, R;
        const char* text;
        std::uint32_t colour;
        bool note;
    };
    // A radius of two tube diameters is K = 4: inside the models' range.
    for (const Case& c :
         {Case{50.0, 0.1, "Curvature Ratio = 4.00", Argb::Black, false},
          Case{50.0, 0.075, "Curvature Ratio = 3.00   See Note below", Argb::Red, true},
          Case{10.0, 0.0, "Curvature Ratio = 0.00   See Note below", Argb::Red, true}}) {
        const LodoModel m = EvaluateOne(Bend(c.D, c.R, 10.0));
        EXPECT_EQ(m.Display.CurveR.Text, c.text);
        EXPECT_EQ(m.Display.CurveR.Colour, c.colour);
        EXPECT_EQ(m.Display.CRErrorVisible, c.note);
        EXPECT_FALSE(HasInvalidResult(m.List[0])) << "transmission computed in both cases";
    }
}

TEST(ConeEval, ReferenceValues) {
    // The cone models' values as defined (contraction: Muyshondt, McFarland & Anand 1996;
    // expansion: its empirical fit), evaluated independently: 20 degC, 101.325 kPa,
    // Dp 10 um, Q 10 L/min.
    struct Case {
        bool expansion;
        double din, dout, half, expected;
    };
    for (const Case& c : {Case{false, 20, 10, 30, 0.995118}, Case{false, 20, 10, 90, 0.98094},
                          Case{true, 10, 20, 30, 0.825164}, Case{true, 10, 20, 90, 0.857136}}) {
        const LodoModel m = EvaluateOne(Cone(c.expansion, c.din, c.dout, 10.0, c.half));
        EXPECT_REL_NEAR(m.List[0].TransM1, c.expected, TestPrecision::FiveDigits);
        EXPECT_EQ(m.List[0].TransM3, 1.0);
    }
}

TEST(ConeEval, WrongWayRoundIsEvaluatedWithTheDefaultRatio) {
    struct Case {
        bool expansion;
        double as, asIf;
    };
    for (const Case& c :
         {Case{false, 30, 20}, Case{false, 35, 20}, Case{true, 30, 45}, Case{true, 25, 45}}) {
        const LodoModel entered = EvaluateOne(Cone(c.expansion, 30, c.as, 10.0));
        const LodoModel proper = EvaluateOne(Cone(c.expansion, 30, c.asIf, 10.0));
        EXPECT_EQ(entered.List[0].TransM1, proper.List[0].TransM1);
        EXPECT_EQ(entered.Display.IV[4], proper.Display.IV[4]); // outlet area
        EXPECT_EQ(entered.List[0].Dia2, c.as) << "the record keeps what was entered";
    }
}

TEST(ConeEval, PanelsDifferInTheOutletAreaSpacing) {
    const LodoModel con = EvaluateOne(Cone(false, 30, 20, 10.0));
    const LodoModel exp = EvaluateOne(Cone(true, 20, 30, 10.0));
    EXPECT_EQ(con.Display.IV[4].Value.Text, NumberFormat::Sci4(LodoMath::TArea(0.02)) + "  m²");
    EXPECT_EQ(exp.Display.IV[4].Value.Text, NumberFormat::Sci4(LodoMath::TArea(0.03)) + " m²");
    EXPECT_EQ(con.Display.IV[3].Value.Text, NumberFormat::Sci4(LodoMath::TArea(0.03)) + "  m²");
    EXPECT_EQ(exp.Display.IV[3].Value.Text, NumberFormat::Sci4(LodoMath::TArea(0.02)) + "  m²");
    EXPECT_EQ(con.Display.IV[7].Name.Text, "Contraction Transmission:");
    EXPECT_EQ(exp.Display.IV[7].Name.Text, "Expansion Transmission:");
    EXPECT_EQ(con.Display.IV[8], PanelRow{});
}

TEST(ConeEval, TemperatureUnitDoesNotChangeTheResult) {
    TLodoComp f = Cone(false, 30, 20, 10.0);
    f.Temp = 77.0;
    f.TempUnit = Units::English;
    TLodoComp c = Cone(false, 30, 20, 10.0);
    c.Temp = 25.0;
    const LodoModel mf = EvaluateOne(f), mc = EvaluateOne(c);
    EXPECT_REL_NEAR(mf.List[0].TransM1, mc.List[0].TransM1, 1e-12);
    EXPECT_EQ(mf.Display.AirDensityLabel, mc.Display.AirDensityLabel);
    EXPECT_EQ(mf.Display.AirVisLabel, mc.Display.AirVisLabel);
}

TEST(FittingEval, LogNormalStoresTransmissionAtTheMedian) {
    for (const TLodoComp& c :
         {Bend(10.0, 0.1, 10.0), Cone(false, 20, 10, 10.0), Cone(true, 10, 20, 10.0)}) {
        const LodoModel ln = EvaluateOne(c, "LogNormal");
        LodoModel mono = Model({c}, "Mono", 5.0f);
        CalcNodeTrans(mono, 0);
        EXPECT_EQ(ln.List[0].TransM1, mono.List[0].TransM1) << c.NType;
        EXPECT_NE(ln.List[0].TransM1, ln.List[0].MTrans);
        EXPECT_EQ(ln.List[0].MTrans, ln.Ctx.MNodeTrans);
    }
}

} // namespace

namespace {

// In log-normal mode every row of a fitting's panel, the slip correction included,
// is taken at the mass median diameter: the same texts as a 5 um monodisperse run.
TEST(FittingEval, LogNormalCommonOutputsAtTheMedian) {
    for (const TLodoComp& c :
         {Bend(10.0, 0.1, 10.0), Cone(false, 20, 10, 10), Cone(true, 10, 20, 10)}) {
        LodoModel ln = EvaluateOne(c, "LogNormal");
        LodoModel mono = Model({c});
        mono.Ctx.Dp = 5.0f;
        CalcNodeTrans(mono, 0);
        ASSERT_NE(ln.Ctx.Dp, 5.0f); // the integration moved Dp on
        SCOPED_TRACE(c.NType);
        EXPECT_EQ(ln.Display.Cun_slip, mono.Display.Cun_slip);
        EXPECT_EQ(ln.Display.IV[2].Value.Text, mono.Display.IV[2].Value.Text); // Stokes number
    }
}

} // namespace
