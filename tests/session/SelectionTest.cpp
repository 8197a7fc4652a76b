// Edit, Move and Delete Component with the selection window's rules.
#include "SessionFixture.h"
#include "model/LodoError.h"

namespace {

std::string Msg(int e) {
    return std::string(LodoErrorText(e));
}

} // namespace

class SelectionTest : public SessionTest {
protected:
    // N-1, T-1, B-1, T-2 (indexes 0 to 3).
    void BuildLine() {
        s.NozzleMenuClick();
        s.TubeMenuClick();
        s.BendMenuClick();
        s.TubeMenuClick();
        ui.ClearRecord();
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> n;
        for (const TLodoComp& c : s.List())
            n.push_back(Base(c.Name));
        return n;
    }
    using Names_t = std::vector<std::string>;
};

TEST_F(SelectionTest, EmptyLineRefusesAllThreeWithMessage9) {
    for (auto cmd : {&LodoSession::MenuItemEditCompClick, &LodoSession::MenuItemMoveCompClick,
                     &LodoSession::MenuItemDelCompClick}) {
        ui.ClearRecord();
        (s.*cmd)();
        ASSERT_EQ(ui.Messages.size(), 1u);
        EXPECT_EQ(ui.Messages[0], Msg(9));
        EXPECT_TRUE(ui.SelectionRequests.empty());
    }
}

TEST_F(SelectionTest, TheOnlyComponentCannotBeDeleted) {
    s.TubeMenuClick();
    ui.ClearRecord();
    s.MenuItemDelCompClick();
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0], "Can not delete the only Component. Use \"File/New Sample Line\"");
    EXPECT_EQ(s.Count(), 1);
    EXPECT_TRUE(ui.SelectionRequests.empty());
}

TEST_F(SelectionTest, MoveTakesTheComponentToItsNewPlaceAndEditsIt) {
    BuildLine();
    ui.Selections.push_back({true, 3, 1});
    s.MenuItemMoveCompClick();
    EXPECT_EQ(Names(), (Names_t{"N-1", "T-2", "T-1", "B-1"}));
    ASSERT_EQ(ui.SelectionRequests.size(), 1u);
    const SelectionRequest& r = ui.SelectionRequests[0];
    EXPECT_EQ(r.Mode, 1);
    EXPECT_EQ(r.Title, "Move a Component");
    EXPECT_EQ(r.FirstCaption, "Item To Move:");
    EXPECT_EQ(r.SecondCaption, "Final Location:");
    EXPECT_TRUE(r.ShowSecond);
    EXPECT_EQ(r.LodoCnt, 3);
    EXPECT_EQ(s.Ctx().CurrRow, 2);
    EXPECT_EQ(s.VisiblePage(), Page::Tube);
    EXPECT_EQ(Base(s.NodeNameL()), "Component: T-2");
    // An entry now goes to the moved component.
    ASSERT_TRUE(Enter(Box::TubeLenEdit, "7"));
    EXPECT_DOUBLE_EQ(At(1).Len, 7.0);

    ui.Selections.push_back({true, 1, 3});
    s.MenuItemMoveCompClick();
    EXPECT_EQ(Names(), (Names_t{"N-1", "T-1", "B-1", "T-2"}));
}

TEST_F(SelectionTest, NothingMovesOntoOrOffTheInletsPlace) {
    BuildLine();
    const LodoList before = s.List();
    // The inlet itself, and any component in front of it.
    for (auto [from, to] : {std::pair{0, 2}, std::pair{2, 0}, std::pair{3, 0}}) {
        ui.ClearRecord();
        ui.Selections.push_back({true, from, to});
        s.MenuItemMoveCompClick();
        ASSERT_EQ(ui.Messages.size(), 1u);
        EXPECT_EQ(ui.Messages[0], Msg(6));
        EXPECT_EQ(s.List(), before);
    }
    // Behind the inlet is allowed.
    ui.Selections.push_back({true, 3, 1});
    s.MenuItemMoveCompClick();
    EXPECT_EQ(Names(), (Names_t{"N-1", "T-2", "T-1", "B-1"}));
    // A line without an inlet may be rearranged freely.
    StartAfresh();
    s.TubeMenuClick();
    s.BendMenuClick();
    ui.Selections.push_back({true, 1, 0});
    s.MenuItemMoveCompClick();
    EXPECT_EQ(Names(), (Names_t{"B-1", "T-1"}));
}

TEST_F(SelectionTest, MoveAndDeleteNeedConfirm) {
    BuildLine();
    ui.Selections.push_back({true, 2, 0}); // edit B-1: Item1 becomes 2
    s.MenuItemEditCompClick();
    const LodoList before = s.List();
    ui.Selections.push_back({false, 3, 1});
    s.MenuItemMoveCompClick();
    ui.Selections.push_back({false, 1, 0});
    s.MenuItemDelCompClick();
    EXPECT_EQ(s.List(), before);
    // The typed numbers are kept for the next time all the same.
    EXPECT_EQ(s.Item1(), 1);
}

// Cancel does nothing at all, in every mode; the typed numbers are still kept.
TEST_F(SelectionTest, CancelLeavesTheLineAndThePageAsTheyWere) {
    BuildLine();
    ui.Selections.push_back({true, 2, 0}); // edit B-1
    s.MenuItemEditCompClick();
    s.EditComp(0);
    const LodoList before = s.List();
    for (auto cmd : {&LodoSession::MenuItemEditCompClick, &LodoSession::MenuItemMoveCompClick,
                     &LodoSession::MenuItemDelCompClick}) {
        ui.Selections.push_back({false, 3, 1, true});
        (s.*cmd)();
        EXPECT_EQ(s.List(), before);
        EXPECT_EQ(Base(s.NodeNameL()), "Component: N-1");
        EXPECT_EQ(s.Ctx().CurrRow, 1);
    }
    EXPECT_EQ(s.Item1(), 3);
    EXPECT_TRUE(ui.Statuses.empty());
}

TEST_F(SelectionTest, DeleteEditsTheComponentBeforeAndNamesGoOn) {
    BuildLine();
    ui.Selections.push_back({true, 2, 0});
    s.MenuItemDelCompClick();
    EXPECT_EQ(Names(), (Names_t{"N-1", "T-1", "T-2"}));
    ASSERT_EQ(ui.Statuses.size(), 1u);
    EXPECT_EQ(ui.Statuses[0], "Deleted B-1 (Index 2): Edit > Undo brings it back");
    EXPECT_EQ(ui.SelectionRequests.at(0).Title, "Select a Component to Delete");
    EXPECT_FALSE(ui.SelectionRequests.at(0).ShowSecond);
    EXPECT_EQ(s.Ctx().CurrRow, 2);
    EXPECT_EQ(Base(s.NodeNameL()), "Component: T-1");
    s.TubeMenuClick();
    EXPECT_EQ(Base(s.List().back().Name), "T-3");
}

TEST_F(SelectionTest, DeletingTheFirstComponentEditsTheNewFirst) {
    BuildLine();
    ui.Selections.push_back({true, 0, 0});
    s.MenuItemDelCompClick();
    EXPECT_EQ(Names(), (Names_t{"T-1", "B-1", "T-2"}));
    EXPECT_EQ(s.Ctx().CurrRow, 1);
    EXPECT_EQ(s.VisiblePage(), Page::Tube);
    EXPECT_EQ(Base(s.NodeNameL()), "Component: T-1");
    for (const TLodoComp& c : s.List())
        EXPECT_TRUE(std::isfinite(c.TransM1));
}

TEST_F(SelectionTest, EditWithoutConfirmReopensThePreviousChoice) {
    BuildLine();
    ui.Selections.push_back({true, 2, 0});
    s.MenuItemEditCompClick();
    EXPECT_EQ(Base(s.NodeNameL()), "Component: B-1");
    EXPECT_EQ(s.VisiblePage(), Page::Bend);
    s.EditComp(0);
    ui.Selections.push_back({false, 1, 0});
    s.MenuItemEditCompClick();
    EXPECT_EQ(Base(s.NodeNameL()), "Component: B-1");
    EXPECT_EQ(s.Ctx().RefNum, Operation::Editing);
}

TEST_F(SelectionTest, NumbersBeyondTheLastIndexAreClampedOrIgnored) {
    BuildLine();
    ui.Selections.push_back({true, 9, 0}); // the box clamps 9 to 3
    s.MenuItemEditCompClick();
    EXPECT_EQ(s.Item1(), 3);
    EXPECT_EQ(Base(s.NodeNameL()), "Component: T-2");
    ui.Selections.push_back({true, 3, 0});
    s.MenuItemDelCompClick();
    ui.Selections.push_back({true, 2, 0});
    s.MenuItemDelCompClick();
    ASSERT_EQ(s.Count(), 2);
    // The remembered 2 is now beyond the line: closing without Confirm does nothing.
    s.EditComp(0);
    ui.Selections.push_back({false, 0, 0});
    s.MenuItemEditCompClick();
    EXPECT_EQ(Base(s.NodeNameL()), "Component: N-1");
}

TEST_F(SelectionTest, EditingARowAfterAlignmentShowsTheAlignedValues) {
    // Nozzle, tube, contraction, tube: a new outlet diameter on the last tube
    // resizes the contraction and, while editing, shows message 7.
    s.NozzleMenuClick();
    s.TubeMenuClick();
    s.ContractMenuClick();
    s.TubeMenuClick();
    ui.ClearRecord();
    ui.Selections.push_back({true, 3, 0});
    s.MenuItemEditCompClick();
    ASSERT_TRUE(Enter(Box::TubeDiaEdit, "20"));
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0], Msg(7));
    EXPECT_DOUBLE_EQ(At(2).Dia2, 20.0);
    EXPECT_NEAR(At(2).Dia1, 30.0, 1e-9);
    EXPECT_NEAR(At(1).Dia1, 30.0, 1e-9);
    EXPECT_NEAR(At(0).Dia2, 30.0, 1e-9);
    EXPECT_DOUBLE_EQ(At(0).Dia1, 34.9);
    s.EditComp(1);
    EXPECT_EQ(s.BoxText(Box::TubeDiaEdit), "30");
}
