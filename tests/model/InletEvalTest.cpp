#include "ModelTestLines.h"
#include "TestPrecision.h"
#include "model/EvalFrame.h"
#include "model/NumberFormat.h"
#include "physics/LodoMath.h"

#include <gtest/gtest.h>

using namespace TestLines;

namespace {

LodoModel EvaluateOne(const TLodoComp& c) {
    LodoModel m = Model({c});
    CalcNodeTrans(m, 0);
    return m;
}

TEST(InletEval, AspirationVerdictBounds) {
    struct Case {
        double asp;
        const char* text;
        std::uint32_t colour;
    };
    for (const Case& c : {Case{0.8, "= 0.80", Argb::Green}, Case{1.5, "= 1.50", Argb::Green},
                          Case{0.79, "= 0.79", Argb::Red}, Case{1.51, "= 1.51", Argb::Red},
                          Case{NAN, "= invalid", Argb::Red}}) {
        const StyledText t = EvalFrame::AspirationVerdict(c.asp);
        EXPECT_EQ(t.Text, c.text);
        EXPECT_EQ(t.Colour, c.colour) << c.asp;
    }
}

TEST(NozzleEval, ReferenceValues) {
    // The nozzle aspiration and wall-loss correlations as defined, evaluated
    // independently: 20 degC, 101.325 kPa, Dp 10 um, Din 10 mm, Q 10 L/min.
    struct Case {
        double len, uo, asp, wl;
        std::uint32_t verdict;
    };
    for (const Case& c : {Case{50, 1, 0.967583, 0.0391582, Argb::Green},
                          Case{100, 5, 1.33385, 0.0165566, Argb::Green}}) {
        const LodoModel m = EvaluateOne(Nozzle(10, 10, c.len, 10, c.uo));
        const TLodoComp& n = m.List[0];
        EXPECT_REL_NEAR(n.TransM2, c.asp, TestPrecision::SixDigits);
        EXPECT_REL_NEAR(n.TransM3, c.wl, TestPrecision::SixDigits);
        EXPECT_EQ(n.TransM4, 1.0);
        EXPECT_EQ(n.TransM1, (1 - n.TransM3) * n.TransM2);
        EXPECT_EQ(m.Display.LabelNozAsp.Colour, c.verdict);
        EXPECT_EQ(m.Display.IV[10].Name.Colour, Argb::Green);
        EXPECT_EQ(m.Display.IV[17].Value.Colour, Argb::Green);
        EXPECT_EQ(m.Display.IV[18].Name.Text, "Nozzle Transmission");
        EXPECT_EQ(m.Display.IV[18].Value.Colour, Argb::DarkBlue);
        EXPECT_EQ(m.Display.IV[19], PanelRow{});
    }
    const LodoModel fast = EvaluateOne(Nozzle(10, 10, 50, 10, 20));
    EXPECT_EQ(fast.Display.LabelNozAsp.Colour, Argb::Red); // far above 1.5
}

TEST(NozzleEval, IsokineticSamplingHasAspirationOne) {
    const double uo = LodoMath::Vel(10.0, 10.0);
    const LodoModel m = EvaluateOne(Nozzle(10, 10, 50, 10, uo));
    EXPECT_EQ(m.List[0].TransM2, 1.0);
    EXPECT_EQ(m.Display.IV[8].Value.Text, "1.0000");
    EXPECT_EQ(m.Display.LabelNozAsp.Text, "= 1.00");
    EXPECT_EQ(m.Display.LabelNozAsp.Colour, Argb::Green);
}

TEST(InletEval, LogNormalTransmissionIsTheMassPenetration) {
    for (const TLodoComp& inlet : {Nozzle(10, 10, 50, 10, 5), Shroud("RF2-112", 56.6, 10)}) {
        LodoModel m = Model({inlet}, "LogNormal");
        m.Ctx.MDp = 5.0f;
        m.Ctx.DpSD = 2.5f;
        CalcNodeTrans(m, 0);
        const TLodoComp& c = m.List[0];
        EXPECT_EQ(c.TransM1, c.MTrans);
        const std::size_t row = inlet.NTypeInt == NodeNozzle ? 18 : 23;
        EXPECT_EQ(m.Display.IV[row].Value.Text, NumberFormat::Fixed(c.MTrans, 4));
        LodoModel mono = Model({inlet}, "Mono", 5.0f); // the rest at the median
        CalcNodeTrans(mono, 0);
        EXPECT_EQ(c.TransM2, mono.List[0].TransM2);
        EXPECT_EQ(c.TransM3, mono.List[0].TransM3);
    }
}

TEST(NozzleEval, LengthInInchesIsMillimetres) {
    TLodoComp inch = Nozzle(10, 10, 2.0, 10, 5);
    inch.LenUnit = Units::English;
    EXPECT_EQ(EvaluateOne(inch).List[0].TransM3,
              EvaluateOne(Nozzle(10, 10, 50.8, 10, 5)).List[0].TransM3);
}

TEST(ShroudEval, ReferenceValuesAndCatalogueDiameters) {
    // The shrouded-probe correlations as defined, evaluated independently: 20 degC,
    // 101.325 kPa, Dp 10 um, Uo 10 m/s.
    struct Case {
        const char* model;
        double q, asp, wl, d1, d2;
    };
    for (const Case& c : {Case{"RF2-111", 56.6, 1.11813, 0.149753, 18.3, 34.9},
                          Case{"RF2-113", 56.6, 1.42134, 0.235561, 44.7, 38.2},
                          Case{"WIPP6CFM", 113.2, 1.09665, 0.109698, 30.0, 51.0}}) {
        TLodoComp s = Shroud(c.model, c.q, 10.0);
        s.Dia1Unit = s.Dia2Unit = Units::English;
        const LodoModel m = EvaluateOne(s);
        const TLodoComp& r = m.List[0];
        EXPECT_REL_NEAR(r.TransM2, c.asp, TestPrecision::FiveDigits) << c.model;
        EXPECT_REL_NEAR(r.TransM3, c.wl, TestPrecision::FiveDigits) << c.model;
        EXPECT_EQ(r.TransM1, (1 - r.TransM3) * r.TransM2);
        EXPECT_REL_NEAR(r.Dia1, c.d1, 1e-12);
        EXPECT_REL_NEAR(r.Dia2, c.d2, 1e-12);
        EXPECT_EQ(r.Dia1Unit, Units::Metric);
        EXPECT_EQ(r.Dia2Unit, Units::Metric);
        EXPECT_EQ(m.Display.LabelShrAsp.Colour, Argb::Green);
        for (int green : {11, 16, 22})
            EXPECT_EQ(m.Display.IV[green].Name.Colour, Argb::Green);
        for (int blue : {18, 23})
            EXPECT_EQ(m.Display.IV[blue].Value.Colour, Argb::DarkBlue);
    }
}

TEST(ShroudEval, OutletDiameterReachesTheNextComponent) {
    TLodoComp s = Shroud("RF2-113", 56.6, 10.0);
    s.Dia1Unit = s.Dia2Unit = Units::English;
    LodoModel m = Model({s, Tube(34.9, 1.0, 56.6)});
    // The first pass evaluates the probe; the next one carries its outlet on.
    AlignList(m, 0);
    AlignList(m, 0);
    EXPECT_REL_NEAR(m.List[1].Dia1, 38.2, 1e-12);
    EXPECT_EQ(m.List[1].Dia1Unit, Units::Metric);

    // The editor appends a component right after the evaluated probe.
    LodoModel e = Model({s});
    CalcNodeTrans(e, 0);
    e.List.push_back(Base("T-1", "Tube", NodeTube));
    e.Ctx.NodeType = "Tube";
    e.Ctx.CurrRow = 2;
    SetNodeValues(e);
    EXPECT_REL_NEAR(e.Ctx.D1, 38.2, 1e-12);
    EXPECT_REL_NEAR(e.Ctx.D2, 38.2, 1e-12);
    EXPECT_EQ(e.Ctx.D1U, Units::Metric);
}

TEST(ShroudEval, ResultsThatAreNotFiniteAreShownAsInvalid) {
    // No free stream: the shroud velocity ratio is 0 and its logarithm undefined.
    const LodoModel m = EvaluateOne(Shroud("RF2-111", 56.6, 0.0));
    EXPECT_TRUE(HasInvalidResult(m.List[0], false));
    EXPECT_TRUE(HasInvalidSystem(m.Ctx));
    EXPECT_EQ(m.Display.SystemT.Text, "= invalid");
    EXPECT_EQ(m.Display.SystemT.Colour, Argb::Red);
    EXPECT_EQ(m.Display.LabelShrAsp.Text, "= invalid");
    EXPECT_EQ(m.Display.LabelShrAsp.Colour, Argb::Red);
    EXPECT_EQ(m.Display.IV[23].Value.Text, "invalid");
    for (const PanelRow& row : m.Display.IV) {
        EXPECT_EQ(row.Value.Text.find("nan"), std::string::npos) << row.Name.Text;
        EXPECT_EQ(row.Value.Text.find("inf"), std::string::npos) << row.Name.Text;
    }
}

TEST(ShroudEval, UnknownModelIsInvalidAndKeepsTheDiameters) {
    TLodoComp s = Shroud("RF2-999", 56.6, 10.0);
    s.Dia1 = 12.0;
    s.Dia2 = 13.0;
    const LodoModel m = EvaluateOne(s);
    EXPECT_TRUE(HasInvalidResult(m.List[0], false));
    EXPECT_EQ(m.List[0].Dia1, 12.0);
    EXPECT_EQ(m.List[0].Dia2, 13.0);
}

TEST(Panels, RowsWithoutEmphasisReturnToTheDefaultStyle) {
    LodoModel m =
        Model({Shroud("RF2-111", 56.6, 10.0), Tube(34.9, 1, 56.6), Bend(34.9, 0.2, 56.6)});
    CalcNodeTrans(m, 0);
    ASSERT_EQ(m.Display.IV[11].Name.Colour, Argb::Green);
    CalcNodeTrans(m, 1); // tube: row 12 plain, row 3 blue and underlined
    EXPECT_EQ(m.Display.IV[11].Name.Colour, Argb::Black);
    EXPECT_EQ(m.Display.IV[11].Value.Colour, Argb::Black);
    ASSERT_TRUE(m.Display.IV[2].Name.Underline);
    CalcNodeTrans(m, 2); // bend
    for (const PanelRow& row : m.Display.IV) {
        EXPECT_EQ(row.Name.Colour, Argb::Black);
        EXPECT_EQ(row.Value.Colour, Argb::Black);
        EXPECT_FALSE(row.Name.Underline);
        EXPECT_FALSE(row.Value.Underline);
    }
}

} // namespace

namespace {

TEST(ShroudEval, WallLossAboveOneTransmitsNothingRatherThanANegativeFraction) {
    // At a low sample flow the wall-loss correlation of "RF2-113" exceeds 1.
    LodoModel m = EvaluateOne(Shroud("RF2-113", 10, 10));
    const TLodoComp& s = m.List[0];
    ASSERT_GT(s.TransM3, 1.0);
    EXPECT_EQ(s.TransM1, 0.0);
    EXPECT_EQ(m.Ctx.SystemTrans, 0.0);

    m.Ctx.DType = m.Ctx.TypeDist = Distribution::LogNormal;
    CalcNodeTrans(m, 0);
    EXPECT_GE(m.List[0].TransM1, 0.0);
    EXPECT_GE(m.List[0].PTrans, 0.0);
}

} // namespace
