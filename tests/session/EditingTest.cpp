// Adding components, typed entries with their validation and rounding, focus
// cycles, the key filter, the probe choice and the grid's cell texts.
#include "SessionFixture.h"
#include "model/LodoError.h"
#include "model/NumberFormat.h"
#include "session/EntryMessages.h"

#include <cmath>
#include <limits>

namespace {

std::string Msg(int e) {
    return std::string(LodoErrorText(e));
}

using Command = void (LodoSession::*)();

struct AddCase {
    Command Add;
    const char* Name;
    const char* NType;
    int Code;
    Page Shows;
    Box FirstBox;
};

const AddCase AddCases[] = {
    {&LodoSession::TubeMenuClick, "T-1", "Tube", 1, Page::Tube, Box::TubeLenEdit},
    {&LodoSession::BendMenuClick, "B-1", "Bend", 2, Page::Bend, Box::BendAngleEdit},
    {&LodoSession::ContractMenuClick, "C-1", "Contraction", 3, Page::Contract, Box::ContDiaEdit},
    {&LodoSession::ExpandMenuClick, "E-1", "Expansion", 4, Page::Expand, Box::ExpdDiaEdit},
    {&LodoSession::NozzleMenuClick, "N-1", "Nozzle", 5, Page::Nozzle, Box::NozInDiaEdit},
    {&LodoSession::ShroudMenuClick, "N-1", "RF2-111", 6, Page::Shroud, Box::ShrFreeEdit},
};

} // namespace

TEST_F(SessionTest, StartsAsAnEmptyUntouchedLine) {
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.LineName(), "Sample Line 1");
    EXPECT_EQ(s.VisiblePage(), Page::None);
    EXPECT_TRUE(s.LineNameFocused());
    EXPECT_EQ(s.LabelPent(), "Total System Penetration % ");
    EXPECT_EQ(s.LabelANSI1(), " ANSI Limit > 50%");
    EXPECT_FALSE(s.IsModified());
    EXPECT_FALSE(s.FlashText8());
    EXPECT_FALSE(s.FlashText9());
    EXPECT_TRUE(ui.Silent());
}

TEST_F(SessionTest, EachComponentTypeIsAddedWithItsNameTypeAndPage) {
    for (const AddCase& c : AddCases) {
        SCOPED_TRACE(c.NType);
        StartAfresh();
        (s.*c.Add)();
        ASSERT_EQ(s.Count(), 1);
        EXPECT_EQ(Base(At(0).Name), c.Name);
        EXPECT_EQ(At(0).NType, c.NType);
        EXPECT_EQ(At(0).NTypeInt, c.Code);
        EXPECT_EQ(s.VisiblePage(), c.Shows);
        EXPECT_EQ(s.FocusedBox(), c.FirstBox);
        EXPECT_EQ(Base(s.NodeNameL()), std::string("Component: ") + c.Name);
        EXPECT_EQ(s.Ctx().CurrRow, 1);
        EXPECT_EQ(s.GridRowCount(), 1);
        EXPECT_TRUE(std::isfinite(At(0).TransM1));
        EXPECT_TRUE(ui.Messages.empty());
    }
}

TEST_F(SessionTest, NamesCountPerTypeAndAreNeverReused) {
    s.TubeMenuClick();
    s.BendMenuClick();
    s.TubeMenuClick();
    s.TubeMenuClick();
    EXPECT_EQ(Base(At(3).Name), "T-3");
    EXPECT_EQ(Base(At(1).Name), "B-1");
    ui.Selections.push_back({true, 2, 0}); // delete T-2
    s.MenuItemDelCompClick();
    s.TubeMenuClick();
    EXPECT_EQ(Base(s.List().back().Name), "T-4");
}

// A file can bring a name at the end of the counter's range: adding after it neither
// overflows nor repeats a name.
TEST_F(SessionTest, NamesStayUniqueWhenTheCounterReachesItsEnd) {
    s.TubeMenuClick();
    s.TubeMenuClick();
    LodoList line = s.List();
    line[1].Name = "T-" + std::to_string(std::numeric_limits<int>::max() - 1);
    OpenLine(line);
    for (int k = 0; k < 3; ++k)
        s.TubeMenuClick();
    std::vector<std::string> names;
    for (const TLodoComp& c : s.List())
        names.push_back(Base(c.Name));
    EXPECT_EQ(names,
              (std::vector<std::string>{"T-1", "T-2147483646", "T-2147483647", "T-2", "T-3"}));
}

TEST_F(SessionTest, ASecondInletIsRefusedWithMessage6AndThePageStays) {
    s.TubeMenuClick();
    s.BendMenuClick();
    const LodoList before = s.List();
    unsigned heard = 0;
    s.SetObserver([&](unsigned m) { heard = m; });
    for (Command add : {&LodoSession::NozzleMenuClick, &LodoSession::ShroudMenuClick}) {
        ui.ClearRecord();
        s.EditComp(0);
        ASSERT_TRUE(Enter(Box::TubeLenEdit, "2.5"));
        const LodoList edited = s.List();
        (s.*add)();
        EXPECT_NE(heard & RefreshComponentTab, 0u);
        ASSERT_EQ(ui.Messages.size(), 1u);
        EXPECT_EQ(ui.Messages[0], Msg(6));
        EXPECT_EQ(s.List(), edited);
        // The tube's page with its boxes, and entries still go to the tube.
        EXPECT_EQ(s.VisiblePage(), Page::Tube);
        EXPECT_EQ(Base(s.NodeNameL()), "Component: T-1");
        EXPECT_EQ(s.BoxText(Box::TubeLenEdit), "2.5");
        EXPECT_EQ(s.Ctx().CurrRow, 1);
        EXPECT_EQ(s.Ctx().RefNum, Operation::Editing);
        ASSERT_TRUE(Enter(Box::TubeLenEdit, "3"));
        EXPECT_DOUBLE_EQ(At(0).Len, 3.0);
        EXPECT_EQ(At(1).NTypeInt, NodeBend);
    }
    (void)before;
    // The refused nozzle used up N-1; a new line starts counting again.
    StartAfresh();
    s.NozzleMenuClick();
    EXPECT_EQ(Base(At(0).Name), "N-1");
}

TEST_F(SessionTest, NewComponentsTakeTheirStartValuesFromTheUpstreamOne) {
    s.NozzleMenuClick();
    EXPECT_DOUBLE_EQ(At(0).Len, 10.0); // a nozzle first gets length 10
    EXPECT_EQ(s.BoxText(Box::NozLenEdit), "10");
    s.TubeMenuClick();
    s.ContractMenuClick();
    EXPECT_DOUBLE_EQ(s.Ctx().D1, 34.9);
    EXPECT_REL_NEAR(s.Ctx().D2, 34.9 / 1.5, TestPrecision::FifteenDigits);
    EXPECT_DOUBLE_EQ(s.Ctx().A2, 45.0);
    EXPECT_EQ(s.BoxText(Box::ContOutEdit), "23.267");
    s.TubeMenuClick();
    // The box shows 5 digits; the stored inlet is the contraction's exact outlet.
    EXPECT_EQ(s.BoxText(Box::TubeDiaEdit), "23.267");
    EXPECT_REL_NEAR(At(3).Dia1, 34.9 / 1.5, TestPrecision::FifteenDigits);
    EXPECT_DOUBLE_EQ(At(3).Dia2, At(3).Dia1);
    s.ExpandMenuClick();
    EXPECT_REL_NEAR(At(4).Dia2, 34.9 / 1.5 * 1.5, TestPrecision::FifteenDigits);
}

TEST_F(SessionTest, ABendFirstAfterANewLineFollowingAContractionKeepsItsDiametersEqual) {
    s.ContractMenuClick();
    StartAfresh();
    EXPECT_REL_NEAR(s.Ctx().D2, 34.9 / 1.5, TestPrecision::FifteenDigits);
    s.BendMenuClick();
    EXPECT_DOUBLE_EQ(At(0).Dia1, 34.9);
    EXPECT_DOUBLE_EQ(At(0).Dia2, 34.9);
}

// ---- Typed entries ------------------------------------------------------------------------

struct EntryCase {
    Command Add;
    Box In;
    const char* Typed;
    int Message;       // 0: accepted
    const char* Shown; // box text afterwards
    double Stored;     // the context value afterwards (NaN: unchanged)
    Box FocusAfter;
};

class EntryTest : public SessionTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryTest, EnterValidatesStoresRoundsAndMovesOn) {
    const EntryCase& c = GetParam();
    (s.*c.Add)();
    const LodoList before = s.List();
    const bool accepted = Enter(c.In, c.Typed);
    EXPECT_EQ(accepted, c.Message == 0);
    EXPECT_EQ(s.BoxText(c.In), c.Shown);
    EXPECT_EQ(s.FocusedBox(), c.FocusAfter);
    if (c.Message == 0) {
        EXPECT_TRUE(ui.Messages.empty());
        EXPECT_NE(s.List(), before);
    } else {
        ASSERT_EQ(ui.Messages.size(), 1u);
        // A comma also says to type "." instead.
        EXPECT_EQ(ui.Messages[0], EntryMessage(c.Message, c.Typed));
        EXPECT_EQ(s.List(), before);
    }
    const EvalContext& x = s.Ctx();
    const TLodoComp& r = Edited();
    if (!std::isnan(c.Stored)) {
        switch (c.In) {
        case Box::TubeLenEdit:
            EXPECT_DOUBLE_EQ(r.Len, c.Stored);
            EXPECT_DOUBLE_EQ(x.L, c.Stored);
            break;
        case Box::TubeDiaEdit:
        case Box::BendDiaEdit:
            EXPECT_DOUBLE_EQ(r.Dia1, c.Stored);
            EXPECT_DOUBLE_EQ(r.Dia2, c.Stored);
            break;
        case Box::TubeAng1Edit:
            EXPECT_DOUBLE_EQ(r.Ang1, c.Stored);
            break;
        case Box::TubeTempEdit:
            EXPECT_DOUBLE_EQ(r.Temp, c.Stored);
            break;
        case Box::TubePressEdit:
            EXPECT_DOUBLE_EQ(r.Press, c.Stored);
            break;
        case Box::BendAngleEdit:
        case Box::ContHalfEdit:
            EXPECT_DOUBLE_EQ(r.Ang2, c.Stored);
            break;
        case Box::ShrFreeEdit:
            EXPECT_DOUBLE_EQ(r.FStream, c.Stored);
            break;
        default:
            ADD_FAILURE() << "no check for this box";
        }
    }
}

constexpr double Unchanged = NAN;

INSTANTIATE_TEST_SUITE_P(
    Boxes, EntryTest,
    ::testing::Values(EntryCase{&LodoSession::TubeMenuClick, Box::TubeLenEdit, "1.234567", 0,
                                "1.23457", 1.23457, Box::TubeAng1Edit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeDiaEdit, "34.92345", 0,
                                "34.923", 34.923, Box::TubeFlowEdit},
                      EntryCase{&LodoSession::BendMenuClick, Box::BendDiaEdit, "34.92345", 0,
                                "34.923", 34.923, Box::BendFlowEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubePressEdit, "99.123456", 0,
                                "99.1235", 99.1235, Box::TubeLenEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeFlowEdit, "0", 3, "0",
                                Unchanged, Box::TubeFlowEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeLenEdit, "0", 2, "0",
                                Unchanged, Box::TubeLenEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubePressEdit, "-1", 5, "-1",
                                Unchanged, Box::TubePressEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeAng1Edit, "360", 0, "360",
                                360.0, Box::TubeDiaEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeAng1Edit, "-360", 0, "-360",
                                -360.0, Box::TubeDiaEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeAng1Edit, "360.5", 4, "360.5",
                                Unchanged, Box::TubeAng1Edit},
                      EntryCase{&LodoSession::BendMenuClick, Box::BendAngleEdit, "0", 0, "0", 0.0,
                                Box::BendRadiusEdit},
                      EntryCase{&LodoSession::BendMenuClick, Box::BendAngleEdit, "180", 0, "180",
                                180.0, Box::BendRadiusEdit},
                      EntryCase{&LodoSession::BendMenuClick, Box::BendAngleEdit, "181", 10, "181",
                                Unchanged, Box::BendAngleEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeTempEdit, "-40", 0, "-40",
                                -40.0, Box::TubePressEdit},
                      // Below absolute zero, or a cone half angle outside (0, 90], evaluates to
                      // nothing sensible and would make a file that no reader accepts.
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeTempEdit, "-300", 13, "-300",
                                Unchanged, Box::TubeTempEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeTempEdit, "-273.15", 13,
                                "-273.15", Unchanged, Box::TubeTempEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeTempEdit, "-103.15", 0,
                                "-103.15", -103.15, Box::TubePressEdit},
                      // Rounded to 5 digits, as it would be stored, this is absolute zero.
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeTempEdit, "-273.1499", 13,
                                "-273.1499", Unchanged, Box::TubeTempEdit},
                      EntryCase{&LodoSession::ContractMenuClick, Box::ContHalfEdit, "0", 14, "0",
                                Unchanged, Box::ContHalfEdit},
                      EntryCase{&LodoSession::ContractMenuClick, Box::ContHalfEdit, "90", 0, "90",
                                90.0, Box::ContAng1Edit},
                      EntryCase{&LodoSession::ExpandMenuClick, Box::ExpdHalfEdit, "-10", 14, "-10",
                                Unchanged, Box::ExpdHalfEdit},
                      EntryCase{&LodoSession::ExpandMenuClick, Box::ExpdHalfEdit, "120", 14, "120",
                                Unchanged, Box::ExpdHalfEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeTempEdit, "1.2.3", 1, "1.2.3",
                                Unchanged, Box::TubeTempEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeTempEdit, "-", 1, "-",
                                Unchanged, Box::TubeTempEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeTempEdit, "", 1, "",
                                Unchanged, Box::TubeTempEdit},
                      EntryCase{&LodoSession::TubeMenuClick, Box::TubeTempEdit, "2,5", 1, "2,5",
                                Unchanged, Box::TubeTempEdit},
                      EntryCase{&LodoSession::ShroudMenuClick, Box::ShrFreeEdit, "12.345678", 0,
                                "12.346", 12.346, Box::ShrAng1Edit}));

TEST_F(SessionTest, LeavingWithTheMouseStoresAValidTextSilentlyAndIgnoresAnInvalidOne) {
    s.TubeMenuClick();
    s.TubeMenuClick();
    s.FocusBox(Box::TubeFlowEdit);
    s.SetBoxText(Box::TubeFlowEdit, "0");
    s.FocusBox(Box::TubeTempEdit);
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_EQ(s.BoxText(Box::TubeFlowEdit), "0");
    EXPECT_DOUBLE_EQ(Edited().Flow, 57.0);
    EXPECT_EQ(s.FocusedBox(), Box::TubeTempEdit);

    s.FocusBox(Box::TubeFlowEdit);
    s.SetBoxText(Box::TubeFlowEdit, "60.123456");
    s.FocusBox(std::nullopt);
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_EQ(s.BoxText(Box::TubeFlowEdit), "60.123");
    // The flow is the same along the whole line.
    EXPECT_DOUBLE_EQ(At(0).Flow, 60.123);
    EXPECT_DOUBLE_EQ(At(1).Flow, 60.123);
}

TEST_F(SessionTest, AnUnchangedBoxStoresNothingWhenLeft) {
    s.TubeMenuClick();
    const auto rev = s.Revision();
    const LodoList before = s.List();
    EXPECT_TRUE(s.BoxKey(Box::TubeLenEdit, EditKey::Enter));
    EXPECT_EQ(s.List(), before);
    EXPECT_GT(s.Revision(), rev); // the focus moved
}

TEST_F(SessionTest, FocusCyclesWrapBothWays) {
    s.ShroudMenuClick();
    EXPECT_TRUE(s.BoxKey(Box::ShrFreeEdit, EditKey::Up));
    EXPECT_EQ(s.FocusedBox(), Box::ShrPressEdit);
    EXPECT_TRUE(s.BoxKey(Box::ShrPressEdit, EditKey::Down));
    EXPECT_EQ(s.FocusedBox(), Box::ShrFreeEdit);

    StartAfresh();
    s.NozzleMenuClick();
    // The display-only outlet box is skipped.
    EXPECT_TRUE(s.BoxKey(Box::NozInDiaEdit, EditKey::Enter));
    EXPECT_EQ(s.FocusedBox(), Box::NozLenEdit);
    s.FocusBox(Box::NozOutDiaEdit);
    EXPECT_EQ(s.FocusedBox(), std::nullopt);
    EXPECT_FALSE(s.BoxKey(Box::TubeLenEdit, EditKey::Enter)); // not on the visible page
}

TEST_F(SessionTest, TheTubePageMovesOnAfterAStoredEntryButAClickChoosesTheBox) {
    s.TubeMenuClick();
    // Up with a changed text goes up, not on to the next box.
    EXPECT_TRUE(Enter(Box::TubeDiaEdit, "30", EditKey::Up));
    EXPECT_EQ(s.FocusedBox(), Box::TubeAng1Edit);
    s.FocusBox(Box::TubeLenEdit);
    s.SetBoxText(Box::TubeLenEdit, "2");
    s.FocusBox(Box::TubePressEdit);
    EXPECT_EQ(s.FocusedBox(), Box::TubePressEdit);
    EXPECT_DOUBLE_EQ(Edited().Len, 2.0);
}

TEST_F(SessionTest, TheNozzleInletSetsTheOutletAndTheFlashingNote) {
    s.NozzleMenuClick();
    s.TubeMenuClick();
    EXPECT_FALSE(s.FlashText9());
    s.EditComp(0);
    ASSERT_TRUE(Enter(Box::NozInDiaEdit, "25"));
    EXPECT_EQ(s.BoxText(Box::NozOutDiaEdit), "25");
    EXPECT_DOUBLE_EQ(At(0).Dia2, 25.0);
    EXPECT_DOUBLE_EQ(At(1).Dia1, 25.0); // carried down the line
    EXPECT_TRUE(s.FlashText9());
    EXPECT_EQ(s.Label9(),
              "The exit diameter of this Nozzle is 25  mm. If the next component's internal "
              "diameter is not 25 mm, then either a Contraction or an Expansion must be the next "
              "component");
    // The outlet box takes no typing.
    s.SetBoxText(Box::NozOutDiaEdit, "99");
    EXPECT_EQ(s.BoxText(Box::NozOutDiaEdit), "25");
}

TEST_F(SessionTest, KeyFilterAdmitsOnlyDigitsMinusAndPoint) {
    for (char32_t c = U'0'; c <= U'9'; ++c)
        EXPECT_FALSE(LodoSession::myNum(c));
    for (char32_t c : {U'-', U'.', char32_t{0}})
        EXPECT_FALSE(LodoSession::myNum(c)) << int(c);
    for (char32_t c :
         {U',', U'a', U'E', U' ', U'/', U'+', char32_t{1}, char32_t{44}, char32_t{47}, char32_t{58},
          char32_t{127}, char32_t{128}, char32_t{0xE9}, char32_t{0x20AC}})
        EXPECT_TRUE(LodoSession::myNum(c)) << int(c);
}

TEST_F(SessionTest, CheckValueBoundsAreInclusiveWhereShown) {
    struct Case {
        const char* S;
        int Tc;
        int CV;
    } const cases[] = {
        {"0", 1, 2},    {"1e-9", 1, 0}, {"0", 2, 3},       {"0", 4, 5},        {"0", 0, 0},
        {"-300", 0, 0}, {"-360", 3, 0}, {"-360.01", 3, 4}, {"0", 5, 0},        {"-0.5", 5, 10},
        {"180", 5, 0},  {"abc", 0, 1},  {"1.2.3", 1, 1},   {" 5 ", 1, 0},      {"inf", 0, 1},
        {"nan", 0, 1},  {"1,5", 0, 1},  {"7", 9, 0},       {"-273.15", 6, 13}, {"-273.149", 6, 0},
        {"0", 7, 14},   {"90", 7, 0},   {"90.001", 7, 14},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LodoSession::CheckValue(c.S, c.Tc), c.CV) << c.S << " " << c.Tc;
    // Temperatures are judged in the box's unit.
    EXPECT_EQ(LodoSession::CheckValue("-300", 6, "English"), 0);
    EXPECT_EQ(LodoSession::CheckValue("-459.67", 6, "English"), 13);
    EXPECT_EQ(std::string(LodoErrorText(13)),
              "Temperature must be above -273.15 \u00B0C (-459.67 \u00B0F).");
}

// ---- Probe choice --------------------------------------------------------------------------

TEST_F(SessionTest, AddingAProbeChoosesRf2111AndChoosingAnotherChangesOnlyTheProbe) {
    s.ShroudMenuClick();
    EXPECT_EQ(s.CheckedProbe(), 0);
    EXPECT_EQ(s.Label8(), std::string(ProbeButtons[0].Note));
    EXPECT_TRUE(s.FlashText8());
    s.TubeMenuClick();
    s.BendMenuClick();
    const LodoList before = s.List();
    s.EditComp(0);
    s.ProbeSelect(5);
    EXPECT_EQ(At(0).NType, "WIPP6CFM");
    EXPECT_EQ(s.CheckedProbe(), 5);
    EXPECT_EQ(s.Label8(),
              "The exit diameter of this probe is 51.0 mm. If the next component's internal "
              "diameter is not 51.0 mm, then either a Contraction or an Expansion must be the next "
              "component");
    EXPECT_EQ(At(1), before[1]);
    EXPECT_EQ(At(2), before[2]);
    EXPECT_EQ(s.Grid1GetValue(2, 0), "WIPP6CFM");
    // Showing a probe of another model checks that model's button.
    s.EditComp(1);
    s.EditComp(0);
    EXPECT_EQ(s.CheckedProbe(), 5);
}

// ---- Grid ------------------------------------------------------------------------------------

TEST_F(SessionTest, GridShowsTubeLengthInFeetAndTemperatureInFahrenheit) {
    s.TubeMenuClick();
    s.LenEUnit();
    ASSERT_TRUE(Enter(Box::TubeLenEdit, "2.5"));
    s.TempEUnit();
    ASSERT_TRUE(Enter(Box::TubeTempEdit, "70"));
    EXPECT_EQ(Base(At(0).Name), "T-1");
    const std::string expected[] = {
        "0",        At(0).Name, "Tube", NumberFormat::Fixed(At(0).TransM1, 4),
        "2.50 ft",  "NA",       "NA",   "34.90 mm",
        "34.90 mm", "70.0 F"};
    for (int col = 0; col < 10; ++col)
        EXPECT_EQ(s.Grid1GetValue(col, 0), expected[col]) << col;
    EXPECT_EQ(s.Grid1GetValue(0, 1), "");
    EXPECT_EQ(s.Grid1GetValue(10, 0), "");
    EXPECT_EQ(s.Grid1GetValue(0, -1), "");
}

TEST_F(SessionTest, GridShowsBendValuesAndNaForOtherTypes) {
    s.NozzleMenuClick();
    s.BendMenuClick();
    EXPECT_EQ(s.Grid1GetValue(4, 0), "NA"); // a nozzle has a length, but not a tube length
    EXPECT_EQ(s.Grid1GetValue(5, 0), "NA");
    EXPECT_EQ(s.Grid1GetValue(4, 1), "NA");
    EXPECT_EQ(s.Grid1GetValue(5, 1), "90.00 Deg");
    EXPECT_EQ(s.Grid1GetValue(6, 1), "0.102 m");
    EXPECT_EQ(s.Grid1GetValue(9, 1), "25.0 C");
    EXPECT_EQ(GridColumns[0].Header, "   Index");
    EXPECT_EQ(GridColumns[2].Header, "     Type");
}

TEST_F(SessionTest, AnInvalidResultIsNeverShownAsANumber) {
    s.TubeMenuClick();
    LodoList line = s.List();
    line[0].Temp = 1e300; // the air properties overflow: infinity over infinity
    OpenLine(line);
    ASSERT_FALSE(std::isfinite(At(0).TransM1));
    EXPECT_EQ(s.Grid1GetValue(3, 0), "invalid");
}

TEST_F(SessionTest, TheObserverHearsOncePerOperation) {
    std::vector<unsigned> heard;
    s.SetObserver([&](unsigned m) { heard.push_back(m); });
    s.TubeMenuClick();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_NE(heard[0] & RefreshGrid, 0u);
    EXPECT_NE(heard[0] & RefreshPage, 0u);
    Enter(Box::TubeLenEdit, "3"); // the focus is there already; typing is not reported
    EXPECT_EQ(heard.size(), 2u);
    s.SetBoxText(Box::TubeLenEdit, "4");
    s.FocusBox(Box::TubeFlowEdit);
    EXPECT_EQ(heard.size(), 3u);
}

// The page tables are indexed by the enumerations.
TEST(PropertyPagesTable, IsIndexedByItsEnumerations) {
    for (std::size_t i = 0; i < Boxes.size(); ++i)
        EXPECT_EQ(static_cast<std::size_t>(Boxes[i].Id), i);
    for (const PageInfo& p : Pages) {
        EXPECT_EQ(&InfoOf(p.Id), &p);
        for (const BoxInfo& row : p.Rows)
            EXPECT_EQ(row.OnPage, p.Id) << row.Name;
        for (Box b : p.FocusCycle)
            EXPECT_EQ(InfoOf(b).OnPage, p.Id);
        for (Box b : p.WriteOrder)
            EXPECT_EQ(InfoOf(b).OnPage, p.Id);
        EXPECT_EQ(p.WriteOrder.size(), p.Rows.size());
    }
}

// The heading follows the record through every change: the transition mark comes
// and goes with the flow, also on the component just added.
TEST_F(SessionTest, HeadingNamesTheEditedRecordAsItIsNow) {
    s.NozzleMenuClick();
    s.TubeMenuClick();
    const auto heading = [&] { return "Component: " + Edited().Name; };
    EXPECT_EQ(s.NodeNameL(), heading());
    for (const char* flow : {"10", "57", "200", "57"}) {
        SCOPED_TRACE(flow);
        ASSERT_TRUE(Enter(Box::TubeFlowEdit, flow));
        EXPECT_EQ(s.NodeNameL(), heading());
    }
    // Both sides of the range were seen, so the mark did come and go.
    ASSERT_TRUE(Enter(Box::TubeFlowEdit, "57"));
    EXPECT_EQ(s.NodeNameL(), "Component: T-1 *");
    ASSERT_TRUE(Enter(Box::TubeFlowEdit, "10"));
    EXPECT_EQ(s.NodeNameL(), "Component: T-1");
}

// The wall temperature of a tube: set, refused below absolute zero, undone as one step,
// and never given to another type.
TEST_F(SessionTest, WallTemperatureOfATube) {
    s.TubeMenuClick();
    ASSERT_TRUE(Enter(Box::TubeTempEdit, "150"));
    const double before = s.List()[0].TransM1;

    EXPECT_TRUE(s.SetWallTemp(0, 25.0, "Metric"));
    EXPECT_EQ(s.List()[0].WallTemp, 25.0);
    EXPECT_LT(s.List()[0].TransTh, 1.0);
    EXPECT_LT(s.List()[0].TransM1, before);

    EXPECT_FALSE(s.SetWallTemp(0, -460.0, "English"));
    EXPECT_EQ(ui.Messages.back(), "Temperature must be above -273.15 \u00B0C (-459.67 \u00B0F).");
    EXPECT_EQ(s.List()[0].WallTemp, 25.0);

    ASSERT_TRUE(s.Undo());
    EXPECT_FALSE(s.List()[0].WallTemp);
    EXPECT_EQ(s.List()[0].TransM1, before);

    s.ContractMenuClick();
    EXPECT_FALSE(s.SetWallTemp(1, 25.0, "Metric"));
    EXPECT_FALSE(s.List()[1].WallTemp);
}
