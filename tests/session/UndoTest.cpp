// Undo and redo through the session: each edit one named step, and a scripted
// session of 30 mixed edits undone back to the starting line bit for bit.
#include "SessionFixture.h"

#include <cmath>
#include <functional>

namespace {

struct Shown {
    LodoList List;
    std::string LineName, SystemT;
    Page Visible;
    std::string Heading;
    bool operator==(const Shown&) const = default;
};

} // namespace

class UndoTest : public SessionTest {
protected:
    Shown Now() const {
        return {s.List(), s.LineName(), s.Model().Display.SystemT.Text, s.VisiblePage(),
                s.NodeNameL()};
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> n;
        for (const auto& step : s.History().Steps())
            n.push_back(step.Text);
        return n;
    }
};

TEST_F(UndoTest, EachEditIsOneNamedStep) {
    std::vector<std::string> heard;
    s.SetHistoryObserver([&](LodoSession::HistoryChange c, const std::string& t) {
        heard.push_back(c == LodoSession::HistoryChange::Reset ? "(reset)" : t);
    });
    s.NozzleMenuClick();
    s.TubeMenuClick();
    s.TubeMenuClick();
    ASSERT_TRUE(Enter(Box::TubeLenEdit, "2"));
    s.FlowEUnit();
    s.EditComp(0); // showing a page changes nothing
    s.SetLineName("Stack 3");
    ui.Selections.push_back({true, 2, 1});
    s.MenuItemMoveCompClick();
    ui.Selections.push_back({true, 1, 0});
    s.MenuItemDelCompClick();
    DistributionSetting d = s.Distribution();
    d.TypeDist = Distribution::LogNormal;
    s.ApplyDistribution(d);
    const std::vector<std::string> expected{"Add N-1",
                                            "Add T-1",
                                            "Add T-2",
                                            "Edit T-2 length 1 \u2192 2 m",
                                            "T-2 flow in CFM",
                                            "Line name \"Stack 3\"",
                                            "Move T-2",
                                            "Delete T-2",
                                            "Distribution LogNormal 5 \u00b5m, 2.5"};
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(heard, expected);

    // Undo back over the delete: T-2 returns, and the page shown then.
    const Shown beforeDelete = [&] {
        EXPECT_TRUE(s.Undo());
        return Now();
    }();
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(s.Count(), 3);
    EXPECT_EQ(Base(At(1).Name), "T-2");
    EXPECT_TRUE(s.Redo());
    EXPECT_EQ(s.Count(), 2);
    EXPECT_TRUE(s.Redo());
    EXPECT_EQ(s.Distribution().TypeDist, Distribution::LogNormal);
    EXPECT_FALSE(s.Redo());
    (void)beforeDelete;

    // A new edit after an undo drops the steps that could have been redone.
    ASSERT_TRUE(s.Undo());
    s.SetLineName("Stack 4");
    EXPECT_EQ(Names().back(), "Line name \"Stack 4\"");
    EXPECT_FALSE(s.CanRedo());

    // New Sample Line starts the history afresh.
    StartAfresh();
    EXPECT_FALSE(s.CanUndo());
    EXPECT_EQ(heard.back(), "(reset)");
}

TEST_F(UndoTest, ThirtyMixedEditsUndoToTheStartBitForBitAndRedoToTheEnd) {
    s.NozzleMenuClick();
    s.TubeMenuClick();
    const Shown start = Now();
    const std::size_t base = s.History().Index();

    std::vector<std::function<void()>> edits = {
        [&] { s.TubeMenuClick(); },
        [&] { Enter(Box::TubeLenEdit, "3.5"); },
        [&] { Enter(Box::TubeAng1Edit, "-30"); },
        [&] { s.TempEUnit(); },
        [&] { Enter(Box::TubeTempEdit, "100"); },
        [&] { s.BendMenuClick(); },
        [&] { Enter(Box::BendAngleEdit, "45"); },
        [&] { Enter(Box::BendOrientEdit, "90"); },
        [&] { s.RadiusEUnit(); },
        [&] { s.ContractMenuClick(); },
        [&] { Enter(Box::ContOutEdit, "20"); },
        [&] { s.Dia2EUnit(); },
        [&] { s.TubeMenuClick(); },
        [&] { Enter(Box::TubeDiaEdit, "19"); },
        [&] { s.FlowEUnit(); },
        [&] { Enter(Box::TubeFlowEdit, "3"); },
        [&] { s.PressEUnit(); },
        [&] { s.SetLineName("Thirty edits"); },
        [&] { s.ExpandMenuClick(); },
        [&] { Enter(Box::ExpdHalfEdit, "15"); },
        [&] {
            s.EditComp(0);
            Enter(Box::NozInDiaEdit, "11");
        },
        [&] { s.LenEUnit(); },
        [&] {
            ui.Selections.push_back({true, 3, 1});
            s.MenuItemMoveCompClick();
        },
        [&] {
            ui.Selections.push_back({true, 2, 0});
            s.MenuItemDelCompClick();
        },
        [&] { s.TubeMenuClick(); },
        [&] { Enter(Box::TubePressEdit, "14"); },
        [&] { s.DiaEUnit(); },
        [&] {
            DistributionSetting d = s.Distribution();
            d.TypeDist = Distribution::LogNormal;
            d.MeanPart = 3.0f;
            s.ApplyDistribution(d);
        },
        [&] { s.BendMenuClick(); },
        [&] { Enter(Box::BendRadiusEdit, "0.3"); },
    };
    ASSERT_EQ(edits.size(), 30u);
    for (auto& edit : edits)
        edit();
    ASSERT_EQ(s.History().Index(), base + 30) << ::testing::PrintToString(Names());
    const Shown end = Now();
    const DistributionSetting endDist = s.Distribution();

    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(s.Undo()) << i;
    EXPECT_EQ(Now(), start);
    EXPECT_EQ(s.Distribution(), DistributionSetting{});
    EXPECT_EQ(s.LabelPent(), "Total System Penetration % ");
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(s.Redo()) << i;
    EXPECT_EQ(Now(), end);
    EXPECT_EQ(s.Distribution(), endDist);
    EXPECT_TRUE(ui.Errors.empty());
}

// Undo back to the saved line leaves nothing unsaved.
TEST_F(UndoTest, UndoingBackToTheSavedLineLeavesItUnmodified) {
    s.TubeMenuClick();
    ui.SaveFiles.push_back(dir / "line.lxl");
    ASSERT_TRUE(s.MenuItemSaveAsClick1());
    ASSERT_TRUE(Enter(Box::TubeLenEdit, "4"));
    EXPECT_TRUE(s.IsModified());
    ASSERT_TRUE(s.Undo());
    EXPECT_FALSE(s.IsModified());
    ASSERT_TRUE(s.Redo());
    EXPECT_TRUE(s.IsModified());
}

// A result that is not a number (the probe's, at an accepted but absurd flow)
// is the same result in the next state: neither showing a page nor an undo makes a step of it.
TEST_F(UndoTest, AResultThatIsNotANumberMakesNoStepOfItsOwn) {
    s.ShroudMenuClick();
    s.TubeMenuClick();
    ASSERT_TRUE(Enter(Box::TubeFlowEdit, "1e300"));
    ASSERT_TRUE(std::isnan(At(0).TransM1));
    s.SetLineName("Stack 3");
    const std::size_t steps = s.History().Steps().size();

    s.EditComp(0);
    s.EditComp(1);
    EXPECT_EQ(s.History().Steps().size(), steps);
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(s.LineName(), "Sample Line 1");
    EXPECT_TRUE(s.CanRedo());
    ASSERT_TRUE(s.Redo());
    EXPECT_EQ(s.LineName(), "Stack 3");
    EXPECT_EQ(s.History().Steps().size(), steps);
}

// Undo puts back the operation in progress too: right after adding, a resized
// fitting is not warned about (message 7), before an undo as after it.
TEST_F(UndoTest, UndoBackToAnAddedComponentKeepsItBeingAdded) {
    s.TubeMenuClick();
    s.ContractMenuClick();
    s.TubeMenuClick();
    const EvalContext added = s.Ctx();
    s.SetLineName("Stack 3");
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(s.Ctx().RefNum, added.RefNum);
    ui.ClearRecord();
    ASSERT_TRUE(Enter(Box::TubeDiaEdit, "10"));
    EXPECT_TRUE(ui.Messages.empty()) << ui.Messages.front();
}

// Undone back to a line with no component being edited, the heading names none.
TEST_F(UndoTest, UndoToNoComponentBeingEditedClearsTheHeading) {
    s.TubeMenuClick();
    ASSERT_EQ(Base(s.NodeNameL()), "Component: T-1");
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(s.VisiblePage(), Page::None);
    EXPECT_EQ(s.NodeNameL(), "");
    ASSERT_TRUE(s.Redo());
    EXPECT_EQ(Base(s.NodeNameL()), "Component: T-1");
}
