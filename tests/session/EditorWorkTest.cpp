// The editor for real work: another inlet in place of the one there is, a component
// put anywhere, one current component, typing that is undone before the line is,
// and the resize a nozzle entry carries along the line said and undone as one step.
#include "SessionFixture.h"
#include "model/LodoError.h"
#include "session/CurrentComponent.h"
#include "session/LineStructureEdits.h"

namespace {

std::string Msg(int e) {
    return std::string(LodoErrorText(e));
}

// The inputs of a component, without its results and its transition mark.
struct Inputs {
    std::string Name, NType;
    double Len, Dia1, Dia2, Ang1, Ang2, Flow;
    bool operator==(const Inputs&) const = default;
};

std::vector<Inputs> InputsOf(const LodoList& l, std::size_t from = 0) {
    std::vector<Inputs> v;
    for (std::size_t i = from; i < l.size(); ++i) {
        const TLodoComp& c = l[i];
        std::string name = c.Name;
        if (name.size() > 2 && name.compare(name.size() - 2, 2, " *") == 0)
            name.resize(name.size() - 2);
        v.push_back({name, c.NType, c.Len, c.Dia1, c.Dia2, c.Ang1, c.Ang2, c.Flow});
    }
    return v;
}

} // namespace

class EditorWorkTest : public SessionTest {
protected:
    // Nozzle 10 mm at 56.6 L/min, tubes of 21.2 mm, a bend between them.
    void BuildLine() {
        s.NozzleMenuClick();
        ASSERT_TRUE(Enter(Box::NozInDiaEdit, "10"));
        ASSERT_TRUE(Enter(Box::NozFlowEdit, "56.6"));
        s.TubeMenuClick();
        ASSERT_TRUE(Enter(Box::TubeDiaEdit, "21.2"));
        s.BendMenuClick();
        s.TubeMenuClick();
        ui.ClearRecord();
    }
};

TEST_F(EditorWorkTest, TheInletIsReplacedKeepingTheLineAsOneUndoStep) {
    BuildLine();
    const LodoList before = s.List();
    const auto rest = InputsOf(before, 1);
    const std::size_t steps = s.History().Index();

    ASSERT_TRUE(LineStructureEdits::ReplaceInlet(s, NodeShroud));
    EXPECT_EQ(s.Count(), 4);
    EXPECT_EQ(At(0).NTypeInt, NodeShroud);
    EXPECT_EQ(At(0).NType, "RF2-111");
    EXPECT_EQ(InputsOf(s.List(), 1), rest); // the rest of the line as it was
    EXPECT_DOUBLE_EQ(At(0).Flow, 56.6);
    EXPECT_EQ(s.VisiblePage(), Page::Shroud);
    EXPECT_EQ(s.Ctx().CurrRow, 1);
    EXPECT_TRUE(ui.Messages.empty());
    ASSERT_EQ(s.History().Index(), steps + 1);
    EXPECT_EQ(s.History().Steps().back().Text, "Replace N-1 (Nozzle) with N-1 (RF2-111)");

    // Back to a nozzle: it meets the line at the line's diameter.
    ASSERT_TRUE(LineStructureEdits::ReplaceInlet(s, NodeNozzle));
    EXPECT_EQ(At(0).NType, "Nozzle");
    EXPECT_DOUBLE_EQ(At(0).Dia1, 21.2);
    EXPECT_EQ(InputsOf(s.List(), 1), rest);

    // Two undo steps give back the first nozzle bit for bit.
    ASSERT_TRUE(s.Undo());
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(s.List(), before);
    ASSERT_TRUE(s.Redo());
    EXPECT_EQ(At(0).NTypeInt, NodeShroud);
}

TEST_F(EditorWorkTest, AnInletGoesInFrontOfALineThatLostItsOwn) {
    BuildLine();
    ui.Answers.push_back(Answer::Yes);
    ASSERT_TRUE(CurrentComponent::Delete(s, 0));
    ASSERT_EQ(At(0).NTypeInt, NodeTube);
    const auto rest = InputsOf(s.List());
    ASSERT_TRUE(LineStructureEdits::ReplaceInlet(s, NodeNozzle));
    ASSERT_EQ(s.Count(), 4);
    EXPECT_EQ(At(0).NTypeInt, NodeNozzle);
    EXPECT_EQ(InputsOf(s.List(), 1), rest);
}

TEST_F(EditorWorkTest, ComponentsAreInsertedBeforeOrAfterTheCurrentOne) {
    BuildLine(); // N-1, T-1, B-1, T-2
    struct Case {
        int Current;
        int Code;
        InsertPlace Where;
        int NewAt;
        const char* Name;
    };
    const Case cases[] = {
        {2, NodeTube, InsertPlace::After, 3, "T-3"},
        {2, NodeBend, InsertPlace::Before, 2, "B-2"},
        {3, NodeTube, InsertPlace::After, 4, "T-3"}, // after the last: at the end
        {1, NodeExpansion, InsertPlace::Before, 1, "E-1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const LodoList before = s.List();
        s.EditComp(c.Current);
        ASSERT_TRUE(LineStructureEdits::InsertComponent(s, c.Code, c.Where));
        ASSERT_EQ(s.Count(), 5);
        EXPECT_EQ(Base(At(c.NewAt).Name), c.Name);
        EXPECT_EQ(s.Ctx().CurrRow, c.NewAt + 1); // the new one is current
        // The others keep their order around it.
        std::vector<Inputs> others = InputsOf(s.List());
        others.erase(others.begin() + c.NewAt);
        std::vector<std::string> names, was;
        for (const Inputs& i : others)
            names.push_back(i.Name);
        for (const Inputs& i : InputsOf(before))
            was.push_back(i.Name);
        EXPECT_EQ(names, was);
        ASSERT_TRUE(s.Undo());
        EXPECT_EQ(s.List(), before);
        StartAfresh();
        BuildLine();
    }
}

TEST_F(EditorWorkTest, AStraightComponentInsertedResizesNothing) {
    BuildLine();
    s.EditComp(1);
    ASSERT_TRUE(LineStructureEdits::InsertComponent(s, NodeTube, InsertPlace::After));
    for (int i = 1; i < s.Count(); ++i)
        EXPECT_DOUBLE_EQ(At(i).Dia1, 21.2) << i;
}

TEST_F(EditorWorkTest, RefusedChangesChangeNothingNotEvenTheModifiedMark) {
    BuildLine();
    const auto p = dir / "line.lxl";
    ui.SaveFiles.push_back(p);
    ASSERT_TRUE(s.MenuItemSaveAsClick1());
    ui.ClearRecord();
    const LodoList before = s.List();
    const std::size_t steps = s.History().Index();
    const std::function<void()> refused[] = {
        [&] { s.ShroudMenuClick(); },
        [&] { s.NozzleMenuClick(); },
        [&] {
            s.EditComp(0);
            LineStructureEdits::InsertComponent(s, NodeTube, InsertPlace::Before);
        },
    };
    for (const auto& act : refused) {
        ui.ClearRecord();
        act();
        ASSERT_EQ(ui.Messages.size(), 1u);
        EXPECT_EQ(ui.Messages[0], Msg(6));
        EXPECT_EQ(s.List(), before);
        EXPECT_FALSE(s.IsModified());
        EXPECT_EQ(s.History().Index(), steps);
    }
}

TEST_F(EditorWorkTest, TheCurrentComponentDrivesPageAndIntermediateValues) {
    BuildLine();
    const LodoList line = s.List();
    const std::string total = s.Model().Display.SystemT.Text;
    const std::size_t steps = s.History().Index();
    for (int row : {1, 2, 0, 3}) {
        SCOPED_TRACE(row);
        ASSERT_TRUE(CurrentComponent::Select(s, row));
        EXPECT_EQ(CurrentComponent::Row(s), row);
        EXPECT_EQ(Base(s.NodeNameL()), "Component: " + Base(At(row).Name));
        EXPECT_EQ(s.Model().Display.ShownRow, row);
        // Its values are those the line's evaluation in order gives it.
        LodoModel m = s.Model();
        AlignList(m, 0);
        CurrentComponent::ShowValuesOf(m, row);
        EXPECT_EQ(s.Model().Display.IV, m.Display.IV);
        EXPECT_EQ(s.Model().Display.Flow_in, m.Display.Flow_in);
        // Nothing about the line changes by looking at it.
        EXPECT_EQ(s.List(), line);
        EXPECT_EQ(s.Model().Display.SystemT.Text, total);
    }
    EXPECT_EQ(s.History().Index(), steps);

    // A value typed and refused keeps the component current.
    s.FocusBox(Box::TubeLenEdit);
    s.SetBoxText(Box::TubeLenEdit, "0");
    EXPECT_FALSE(CurrentComponent::Select(s, 1));
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0], Msg(2));
    EXPECT_EQ(CurrentComponent::Row(s), 3);
}

TEST_F(EditorWorkTest, DeleteAsksAndIsOneUndoStep) {
    BuildLine();
    const LodoList before = s.List();
    ui.Answers.push_back(Answer::No);
    EXPECT_FALSE(CurrentComponent::Delete(s, 2));
    EXPECT_EQ(s.List(), before);
    ASSERT_EQ(ui.Questions.size(), 1u);
    EXPECT_NE(ui.Questions[0].find("B-1 (Index 2)"), std::string::npos);

    ui.Answers.push_back(Answer::Yes);
    ASSERT_TRUE(CurrentComponent::Delete(s, 2));
    EXPECT_EQ(s.Count(), 3);
    EXPECT_EQ(CurrentComponent::Row(s), 1); // the one before it
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(s.List(), before);

    StartAfresh();
    s.TubeMenuClick();
    EXPECT_FALSE(CurrentComponent::Delete(s, 0));
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0], Msg(8));
}

TEST_F(EditorWorkTest, TheNozzleInletResizeIsSaidAndUndoneAsOneStep) {
    BuildLine();
    ASSERT_DOUBLE_EQ(At(1).Dia1, 21.2);
    const LodoList before = s.List();
    const std::size_t steps = s.History().Index();
    s.EditComp(0);
    ui.ClearRecord();
    ASSERT_TRUE(Enter(Box::NozInDiaEdit, "10.1"));
    // The line follows the nozzle's outlet, as specified, and the message names it all.
    for (int i = 1; i < 4; ++i)
        EXPECT_DOUBLE_EQ(At(i).Dia1, 10.1) << i;
    ASSERT_EQ(ui.Messages.size(), 1u);
    const std::string& m = ui.Messages[0];
    for (const char* line :
         {"T-1 (Index 1): 21.2 \u2192 10.1 mm", "B-1 (Index 2): 21.2 \u2192 10.1 mm",
          "T-2 (Index 3): 21.2 \u2192 10.1 mm"})
        EXPECT_NE(m.find(line), std::string::npos) << line << "\n" << m;
    EXPECT_EQ(s.History().Index(), steps + 1);
    EXPECT_NE(s.Label9().find("10.1"), std::string::npos);

    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(s.List(), before);
    // The note describes the nozzle shown again, not the undone entry.
    EXPECT_EQ(s.Label9().find("10.1"), std::string::npos);
    // The outlet is shown with its unit.
    EXPECT_EQ(s.UnitButton(Quantity::Dia2), UnitChoice::Metric);
    EXPECT_EQ(s.BoxText(Box::NozOutDiaEdit), "21.2");

    // A length entry resizes nothing and says nothing.
    ui.ClearRecord();
    ASSERT_TRUE(Enter(Box::NozLenEdit, "50"));
    EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(EditorWorkTest, TypingIsUndoneBeforeTheLineAndANameIsOneStep) {
    BuildLine();
    ASSERT_TRUE(Enter(Box::TubeLenEdit, "50"));
    s.FocusBox(Box::TubeLenEdit);
    s.SetBoxText(Box::TubeLenEdit, "7");
    EXPECT_TRUE(s.BoxPending(Box::TubeLenEdit));
    s.DiscardBoxTyping(Box::TubeLenEdit);
    EXPECT_FALSE(s.BoxPending(Box::TubeLenEdit));
    EXPECT_EQ(s.BoxText(Box::TubeLenEdit), "50");
    EXPECT_DOUBLE_EQ(Edited().Len, 50.0);

    const std::size_t steps = s.History().Index();
    for (const char* typed : {"S", "St", "Stack", "Stack 3"})
        s.TypeLineName(typed);
    EXPECT_EQ(s.LineName(), "Sample Line 1");
    EXPECT_EQ(s.LineNameShown(), "Stack 3");
    EXPECT_EQ(s.History().Index(), steps);
    s.EnterLineName();
    EXPECT_EQ(s.LineName(), "Stack 3");
    ASSERT_EQ(s.History().Index(), steps + 1);
    // A command enters a name still being typed: the file gets what the field shows.
    s.TypeLineName("Stack 4");
    EXPECT_TRUE(s.EnterPendingValue());
    EXPECT_EQ(s.LineName(), "Stack 4");
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(s.LineName(), "Stack 3");
}
