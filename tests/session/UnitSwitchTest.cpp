// The unit buttons: conversions at full precision with the box showing 5 digits,
// exact round trips, what else they set, and that merely showing a page converts
// nothing.
#include "SessionFixture.h"

namespace {

using Command = void (LodoSession::*)();

struct SwitchCase {
    const char* What;
    Command Add;
    std::vector<Command> Before; // switches made first
    Box Set;                     // typed before switching (nullptr text: none)
    const char* Typed;
    Command Switch;
    Box Shows;
    const char* Text;
    double TLodoComp::*Value;
    double Stored;
    std::string TLodoComp::*Unit;
    const char* UnitAfter;
};

const SwitchCase SwitchCases[] = {
    {"tube length m to ft",
     &LodoSession::TubeMenuClick,
     {},
     Box::TubeLenEdit,
     nullptr,
     &LodoSession::LenEUnit,
     Box::TubeLenEdit,
     "3.2808",
     &TLodoComp::Len,
     1.0 / 0.3048,
     &TLodoComp::LenUnit,
     "English"},
    {"tube length back to m",
     &LodoSession::TubeMenuClick,
     {&LodoSession::LenEUnit},
     Box::TubeLenEdit,
     nullptr,
     &LodoSession::LenMUnit,
     Box::TubeLenEdit,
     "1",
     &TLodoComp::Len,
     1.0,
     &TLodoComp::LenUnit,
     "Metric"},
    {"flow to CFM",
     &LodoSession::TubeMenuClick,
     {},
     Box::TubeFlowEdit,
     nullptr,
     &LodoSession::FlowEUnit,
     Box::TubeFlowEdit,
     "2.0129",
     &TLodoComp::Flow,
     57.0 / 28.31685,
     &TLodoComp::FlowUnit,
     "English"},
    {"second CFM click",
     &LodoSession::TubeMenuClick,
     {&LodoSession::FlowEUnit},
     Box::TubeFlowEdit,
     nullptr,
     &LodoSession::FlowEUnit,
     Box::TubeFlowEdit,
     "2.0129",
     &TLodoComp::Flow,
     57.0 / 28.31685,
     &TLodoComp::FlowUnit,
     "English"},
    {"25 C to F",
     &LodoSession::BendMenuClick,
     {},
     Box::BendTempEdit,
     nullptr,
     &LodoSession::TempEUnit,
     Box::BendTempEdit,
     "77",
     &TLodoComp::Temp,
     77.0,
     &TLodoComp::TempUnit,
     "English"},
    {"98.6 F to C",
     &LodoSession::TubeMenuClick,
     {&LodoSession::TempEUnit},
     Box::TubeTempEdit,
     "98.6",
     &LodoSession::TempMUnit,
     Box::TubeTempEdit,
     "37",
     &TLodoComp::Temp,
     66.6 / 1.8,
     &TLodoComp::TempUnit,
     "Metric"},
    {"14.7 psi to kPa",
     &LodoSession::TubeMenuClick,
     {&LodoSession::PressEUnit},
     Box::TubePressEdit,
     "14.7",
     &LodoSession::PressMUnit,
     Box::TubePressEdit,
     "101.35",
     &TLodoComp::Press,
     14.7 * 6.894757,
     &TLodoComp::PressUnit,
     "Metric"},
    {"bend radius to inches",
     &LodoSession::BendMenuClick,
     {},
     Box::BendRadiusEdit,
     nullptr,
     &LodoSession::RadiusEUnit,
     Box::BendRadiusEdit,
     "4",
     &TLodoComp::Brd,
     0.1016 / 0.0254,
     &TLodoComp::RadiusUnit,
     "English"},
    {"tube diameter to inches",
     &LodoSession::TubeMenuClick,
     {},
     Box::TubeDiaEdit,
     nullptr,
     &LodoSession::DiaEUnit,
     Box::TubeDiaEdit,
     "1.374",
     &TLodoComp::Dia2,
     34.9 / 25.4,
     &TLodoComp::Dia2Unit,
     "English"},
    {"nozzle length to inches",
     &LodoSession::NozzleMenuClick,
     {},
     Box::NozLenEdit,
     nullptr,
     &LodoSession::LenEUnit,
     Box::NozLenEdit,
     "0.3937",
     &TLodoComp::Len,
     10.0 / 25.4,
     &TLodoComp::LenUnit,
     "English"},
    {"free stream to ft/s",
     &LodoSession::ShroudMenuClick,
     {},
     Box::ShrFreeEdit,
     nullptr,
     &LodoSession::FreeEUnit,
     Box::ShrFreeEdit,
     "32.808",
     &TLodoComp::FStream,
     10.0 / 0.3048,
     &TLodoComp::FStreamUnit,
     "English"},
    {"contraction outlet to inches",
     &LodoSession::ContractMenuClick,
     {},
     Box::ContOutEdit,
     nullptr,
     &LodoSession::Dia2EUnit,
     Box::ContOutEdit,
     "0.91601",
     &TLodoComp::Dia2,
     34.9 / 1.5 / 25.4,
     &TLodoComp::Dia2Unit,
     "English"},
};

} // namespace

class UnitSwitchTest : public SessionTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(UnitSwitchTest, ConvertsRewritesAndStores) {
    const SwitchCase& c = GetParam();
    (s.*c.Add)();
    for (Command before : c.Before)
        (s.*before)();
    if (c.Typed) {
        ASSERT_TRUE(Enter(c.Set, c.Typed));
    }
    (s.*c.Switch)();
    EXPECT_EQ(s.BoxText(c.Shows), c.Text);
    EXPECT_REL_NEAR(At(0).*c.Value, c.Stored, 1e-12);
    EXPECT_EQ(At(0).*c.Unit, c.UnitAfter);
    EXPECT_TRUE(ui.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Examples, UnitSwitchTest, ::testing::ValuesIn(SwitchCases),
                         [](const auto& info) {
                             std::string n = info.param.What;
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

// A switch and its way back give exactly the value that was entered, and the line's
// results with it, however often the user goes back and forth.
TEST_F(SessionTest, SwitchingAUnitAndBackReturnsTheEnteredValueExactly) {
    s.NozzleMenuClick();
    s.TubeMenuClick();
    const LodoList start = s.List();
    const std::string total = s.Model().Display.SystemT.Text;
    for (int round = 0; round < 3; ++round) {
        s.FlowEUnit();
        s.PressEUnit();
        s.TempEUnit();
        s.DiaEUnit();
        s.LenEUnit();
        EXPECT_EQ(s.BoxText(Box::TubePressEdit), "14.696");
        s.LenMUnit();
        s.DiaMUnit();
        s.FlowMUnit();
        s.TempMUnit();
        s.PressMUnit();
        EXPECT_EQ(s.List(), start) << "round " << round;
    }
    EXPECT_EQ(s.Model().Display.SystemT.Text, total);
    EXPECT_EQ(s.BoxText(Box::TubeFlowEdit), "57");
    EXPECT_EQ(s.BoxText(Box::TubePressEdit), "101.325");
    EXPECT_EQ(At(0).Flow, 57.0); // the whole line, not only the edited component
    EXPECT_EQ(At(0).Press, 101.325);

    // A value typed in between is converted as it stands.
    s.FlowEUnit();
    ASSERT_TRUE(Enter(Box::TubeFlowEdit, "2"));
    s.FlowMUnit();
    EXPECT_EQ(At(1).Flow, 2 * 28.31685);
    EXPECT_EQ(s.BoxText(Box::TubeFlowEdit), "56.634");
}

TEST_F(SessionTest, TubeDiameterSwitchSetsBothDiametersAndTheGridUnits) {
    s.TubeMenuClick();
    s.DiaEUnit();
    EXPECT_DOUBLE_EQ(At(0).Dia1, 34.9 / 25.4);
    EXPECT_EQ(At(0).Dia1Unit, "English");
    EXPECT_EQ(s.Grid1GetValue(7, 0), "1.37 in");
    EXPECT_EQ(s.Grid1GetValue(8, 0), "1.37 in");
    EXPECT_EQ(s.UnitButton(Quantity::Dia), UnitChoice::English);
    EXPECT_EQ(s.UnitButton(Quantity::Radius), UnitChoice::Neither); // not on the tube page
}

TEST_F(SessionTest, BendRadiusInInchesShowsInTheGrid) {
    s.BendMenuClick();
    s.RadiusEUnit();
    EXPECT_EQ(s.Grid1GetValue(6, 0), "4.000 in");
}

TEST_F(SessionTest, ContractionInletSwitchLeavesTheOutletAlone) {
    s.ContractMenuClick();
    const double outlet = At(0).Dia2;
    s.DiaEUnit();
    EXPECT_EQ(At(0).Dia1Unit, "English");
    EXPECT_DOUBLE_EQ(At(0).Dia2, outlet);
    EXPECT_EQ(At(0).Dia2Unit, "Metric");
    EXPECT_EQ(s.UnitButton(Quantity::Dia2), UnitChoice::Metric);
}

TEST_F(SessionTest, NozzleInletSwitchRewritesTheOutletInTheSameUnitAndTheInchNote) {
    s.NozzleMenuClick();
    s.TubeMenuClick();
    s.EditComp(0);
    s.DiaEUnit();
    EXPECT_EQ(s.BoxText(Box::NozInDiaEdit), "1.374");
    EXPECT_EQ(s.BoxText(Box::NozOutDiaEdit), "1.374");
    EXPECT_EQ(At(0).Dia2Unit, "English");
    // The next component takes the outlet in inches, not 1.374 mm.
    EXPECT_DOUBLE_EQ(At(1).Dia1, 34.9 / 25.4);
    EXPECT_EQ(At(1).Dia1Unit, "English");
    EXPECT_TRUE(s.FlashText9());
    EXPECT_EQ(s.Label9(),
              "The exit diameter of this nozzle is 1.374 inch.  If the next component's internal "
              "diameter is not 1.374  inch , then either a Contraction or an Expansion must be the "
              "next component");
    s.DiaMUnit();
    EXPECT_EQ(s.Label9(),
              "The exit diameter of this nozzle is 34.9 mm.  If the next component's internal "
              "diameter is not 34.9  mm, then either a Contraction or an Expansion must be the "
              "next component");
    // The outlet pair shows the outlet's unit but takes no clicks.
    EXPECT_EQ(s.UnitButton(Quantity::Dia2), UnitChoice::Metric);
    const LodoList before = s.List();
    s.Dia2EUnit();
    EXPECT_EQ(s.List(), before);
}

TEST_F(SessionTest, TemperatureSwitchOnTheTubePageMovesTheFocusToPressure) {
    s.TubeMenuClick();
    s.TempEUnit();
    EXPECT_EQ(s.FocusedBox(), Box::TubePressEdit);
}

TEST_F(SessionTest, ShowingAPageNeverChangesStoredValues) {
    s.TubeMenuClick();
    s.PressEUnit();
    ASSERT_TRUE(Enter(Box::TubeLenEdit, "1.2345678"));
    s.BendMenuClick();
    s.TempEUnit();
    s.ContractMenuClick();
    s.RadiusEUnit(); // not on this page: nothing happens
    LodoList line = s.List();
    line[0].Temp = 21.123456789; // as a file may hold it
    OpenLine(line);
    const LodoList before = s.List();
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < s.Count(); ++i) {
            s.EditComp(i);
            EXPECT_EQ(s.List(), before) << "showing " << i;
        }
    s.EditComp(0);
    EXPECT_EQ(s.BoxText(Box::TubeTempEdit), "21.123");
    EXPECT_EQ(s.UnitButton(Quantity::Press), UnitChoice::English);
}

// Angles have no unit pair: a switch of no quantity converts nothing, on any page
// (the angle boxes are the page's rows without a quantity).
TEST_F(SessionTest, ASwitchOfNoQuantityChangesNothing) {
    s.TubeMenuClick();
    s.BendMenuClick();
    ASSERT_TRUE(Enter(Box::BendRadiusEdit, "0.3"));
    const LodoList before = s.List();
    const std::string angle = s.BoxText(Box::BendAngleEdit);
    for (UnitChoice c : {UnitChoice::English, UnitChoice::Metric})
        s.SwitchUnit(Quantity::None, c);
    EXPECT_EQ(Edited().RadiusUnit, Units::Metric);
    EXPECT_TRUE(s.List() == before);
    EXPECT_EQ(s.BoxText(Box::BendAngleEdit), angle);
    EXPECT_EQ(s.Ctx().A2, Edited().Ang2);
}
