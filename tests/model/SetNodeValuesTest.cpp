#include "ModelTestLines.h"
#include "TestPrecision.h"

#include <gtest/gtest.h>

using namespace TestLines;

namespace {

// Adding the first component: only the cone defaults and the length change.
struct FirstCase {
    const char* type;
    double D2, A2, L;
};

class FirstComponent : public ::testing::TestWithParam<FirstCase> {};

TEST_P(FirstComponent, SetsOnlyTheTypeDefaults) {
    const FirstCase& fc = GetParam();
    LodoModel m;
    m.Ctx.ResetForNewLine();
    m.Ctx.NodeType = fc.type;
    m.Ctx.L = 7.0;
    m.Ctx.Qa = 33.0;
    m.List.push_back(Base("X-1", fc.type, 0));
    m.Ctx.CurrRow = 1;
    SetNodeValues(m);
    EXPECT_REL_NEAR(m.Ctx.D2, fc.D2, 1e-12);
    EXPECT_EQ(m.Ctx.A2, fc.A2);
    EXPECT_EQ(m.Ctx.L, fc.L);
    EXPECT_EQ(m.Ctx.D1, 34.9);
    EXPECT_EQ(m.Ctx.Qa, 33.0); // nothing else is touched
}

INSTANTIATE_TEST_SUITE_P(Types, FirstComponent,
                         ::testing::Values(FirstCase{"Nozzle", 34.9, 90.0, 10.0},
                                           FirstCase{"Tube", 34.9, 90.0, 1.0},
                                           FirstCase{"RF2-111", 34.9, 90.0, 1.0},
                                           FirstCase{"Contraction", 34.9 / 1.5, 45.0, 1.0},
                                           FirstCase{"Expansion", 52.35, 45.0, 1.0}));

TEST(SetNodeValues, AppendedComponentInheritsFromItsUpstreamNeighbour) {
    TLodoComp up = Tube(34.9, 3.0, 57.0, -30.0);
    up.Ang3 = 15.0;
    up.Temp = 150.0;
    up.TempUnit = Units::English;
    up.Press = 14.0;
    up.PressUnit = Units::English;
    up.Brd = 4.0;
    up.RadiusUnit = Units::English;
    up.FStream = 12.0;
    up.FStreamUnit = Units::English;
    up.LenUnit = Units::English;
    up.Ang2 = 60.0;
    struct Case {
        const char* type;
        double D2, A2;
    };
    for (const Case& k : {Case{"Contraction", 23.266666666666666, 45.0},
                          Case{"Expansion", 52.35, 45.0}, Case{"Bend", 34.9, 60.0}}) {
        SCOPED_TRACE(k.type);
        LodoModel m;
        m.List = {up, Base("X-2", k.type, 0)};
        m.Ctx.NodeType = k.type;
        m.Ctx.CurrRow = 2;
        m.Ctx.L = 5.0;
        SetNodeValues(m);
        const EvalContext& c = m.Ctx;
        EXPECT_EQ(c.L, 1.0);
        EXPECT_EQ(c.D1, 34.9);
        EXPECT_REL_NEAR(c.D2, k.D2, 1e-12);
        EXPECT_EQ(c.A2, k.A2);
        EXPECT_EQ(c.A1, -30.0);
        EXPECT_EQ(c.A3, 15.0);
        EXPECT_EQ(c.Qa, 57.0);
        EXPECT_EQ(c.T, 150.0);
        EXPECT_EQ(c.P, 14.0);
        EXPECT_EQ(c.Rd, 4.0);
        EXPECT_EQ(c.Ve, 12.0);
        EXPECT_EQ(c.TU, Units::English);
        EXPECT_EQ(c.PU, Units::English);
        EXPECT_EQ(c.RU, Units::English);
        EXPECT_EQ(c.FSU, Units::English);
        EXPECT_EQ(c.LU, Units::English);
        EXPECT_EQ(c.FU, Units::Metric);
    }
}

TEST(SetNodeValues, InchOutletOfAContractionBecomesBothDiameterUnits) {
    TLodoComp con = Cone(false, 34.9, 1.0, 57.0);
    con.Dia2Unit = Units::English;
    LodoModel m;
    m.List = {con, Base("T-1", "Tube", NodeTube)};
    m.Ctx.NodeType = "Tube";
    m.Ctx.CurrRow = 2;
    SetNodeValues(m);
    EXPECT_EQ(m.Ctx.D1, 1.0);
    EXPECT_EQ(m.Ctx.D2, 1.0);
    EXPECT_EQ(m.Ctx.D1U, Units::English);
    EXPECT_EQ(m.Ctx.D2U, Units::English);
}

TEST(SetNodeValues, EditingCopiesTheRecord) {
    TLodoComp n = Nozzle(20.0, 30.0, 2.0, 40.0, 7.0);
    n.LenUnit = Units::English;
    n.Dia1Unit = Units::English;
    LodoModel m;
    m.List = {n};
    m.Ctx.RefNum = Operation::Editing;
    m.Ctx.CurrRow = 1;
    SetNodeValues(m);
    EXPECT_EQ(m.Ctx.L, 2.0);
    EXPECT_EQ(m.Ctx.LU, Units::English);
    EXPECT_EQ(m.Ctx.D1, 20.0);
    EXPECT_EQ(m.Ctx.D1U, Units::English);
    EXPECT_EQ(m.Ctx.D2, 30.0);
    EXPECT_EQ(m.Ctx.D2U, Units::Metric);
    EXPECT_EQ(m.Ctx.Qa, 40.0);
    EXPECT_EQ(m.Ctx.Ve, 7.0);
}

TEST(SetNodeValues, OtherOperationsAndMissingRowsChangeNothing) {
    for (Operation refNum : {Operation::Moving, Operation::Deleting}) {
        LodoModel m;
        m.List = {Tube(10, 1, 10)};
        m.Ctx.RefNum = refNum;
        m.Ctx.CurrRow = 1;
        const EvalContext before = m.Ctx;
        SetNodeValues(m);
        EXPECT_EQ(m.Ctx.D1, before.D1);
        EXPECT_EQ(m.Ctx.L, before.L);
    }
    LodoModel m; // adding at row 3 of a one-record line
    m.List = {Tube(10, 1, 10)};
    m.Ctx.CurrRow = 3;
    SetNodeValues(m);
    EXPECT_EQ(m.Ctx.D1, 34.9);
}

TEST(EvalContext, NewLineResetsTheEditorValuesButKeepsTheParticleDescription) {
    EvalContext c;
    c.T = 99;
    c.D1U = Units::English;
    c.TINo = 5;
    c.RefNum = Operation::Editing;
    c.DType = Distribution::LogNormal;
    c.MDp = 3.0f;
    c.ResetForNewLine();
    EXPECT_EQ(c.T, 25.0);
    EXPECT_EQ(c.P, Units::Po);
    EXPECT_EQ(c.D1U, Units::Metric);
    EXPECT_EQ(c.TINo, 0);
    EXPECT_EQ(c.RefNum, Operation::Adding);
    EXPECT_EQ(c.NodeType, " ");
    EXPECT_EQ(c.DType, Distribution::LogNormal);
    EXPECT_EQ(c.MDp, 3.0f);
}

} // namespace
