// New, Open, Save, Save As, Open Pre V2 File, Exit, the unsaved-change test and
// the distribution setting.
#include "SessionFixture.h"
#include "model/LodoError.h"

namespace {

const std::string SaveQuestion = "File has not been saved!\nDo You want to save the file";

// Inputs and names, without results (which evaluation recomputes).
std::vector<std::string> Inputs(const LodoList& l) {
    std::vector<std::string> out;
    for (const TLodoComp& c : l) {
        TLodoComp x = c;
        x.TransM1 = x.TransM2 = x.TransM3 = x.TransM4 = x.PTrans = x.MTrans = 0;
        out.push_back(ConvertToStr(LodoList{x}, 0));
    }
    return out;
}

} // namespace

class DocumentTest : public SessionTest {
protected:
    void BuildLine() {
        s.NozzleMenuClick();
        s.TubeMenuClick();
        s.TubeMenuClick();
        s.BendMenuClick();
        s.TempEUnit();
        s.SetLineName("Stack 3");
        ui.ClearRecord();
    }
    std::filesystem::path SavedLine() {
        BuildLine();
        const auto p = dir / "line.lxl";
        ui.SaveFiles.push_back(p);
        EXPECT_TRUE(s.MenuItemSaveAsClick1());
        ui.ClearRecord();
        return p;
    }
};

TEST_F(DocumentTest, SaveAsWritesTheFileAndRemembersIt) {
    BuildLine();
    EXPECT_TRUE(s.IsModified());
    const auto p = dir / "line.lxl";
    ui.SaveFiles.push_back(p);
    ASSERT_TRUE(s.MenuItemSaveAsClick1());
    ASSERT_EQ(ui.SaveRequests.size(), 1u);
    EXPECT_EQ(ui.SaveRequests[0].Title, "Save Sample Line As");
    EXPECT_EQ(ui.SaveRequests[0].DefaultExt, ".lxl");
    EXPECT_EQ(ui.SaveRequests[0].Filter, "Lodo files only|*.lxl");
    EXPECT_TRUE(ui.SaveRequests[0].AskBeforeReplacing);
    EXPECT_TRUE(ui.Messages.empty()); // the status bar says it, no box to close
    EXPECT_EQ(ui.Statuses, std::vector<std::string>{"File : " + p.string()});
    EXPECT_TRUE(std::filesystem::exists(p));
    EXPECT_EQ(s.DFileName(), p.string());
    EXPECT_FALSE(s.IsModified());
    EXPECT_NE(Slurp(p).find("<LineName>Stack 3</LineName>"), std::string::npos);
}

TEST_F(DocumentTest, SaveAsCancelledWritesNothing) {
    BuildLine();
    ui.SaveFiles.push_back(std::nullopt);
    EXPECT_FALSE(s.MenuItemSaveAsClick1());
    EXPECT_EQ(ui.Messages, std::vector<std::string>{"Save file was cancelled"});
    EXPECT_EQ(s.DFileName(), "");
    EXPECT_TRUE(s.IsModified());
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

TEST_F(DocumentTest, SaveAsAppendsTheExtensionAndAsksBeforeReplacingThatName) {
    BuildLine();
    ui.SaveFiles.push_back(dir / "line.LXL");
    ASSERT_TRUE(s.MenuItemSaveAsClick1());
    EXPECT_EQ(s.DFileName(), (dir / "line.LXL.lxl").string());
    EXPECT_TRUE(ui.Questions.empty());

    // line.txt.lxl exists already: the dialog only asked about line.txt.
    Write(dir / "line.txt.lxl", "keep me");
    ui.SaveFiles.push_back(dir / "line.txt");
    ui.Answers.push_back(Answer::No);
    EXPECT_FALSE(s.MenuItemSaveAsClick1());
    EXPECT_EQ(Slurp(dir / "line.txt.lxl"), "keep me");
    EXPECT_EQ(ui.Questions.size(), 1u);
    ui.SaveFiles.push_back(dir / "line.txt");
    ui.Answers.push_back(Answer::Yes);
    EXPECT_TRUE(s.MenuItemSaveAsClick1());
    EXPECT_NE(Slurp(dir / "line.txt.lxl"), "keep me");
}

TEST_F(DocumentTest, SaveWritesToTheCurrentNameWithTheLxlExtension) {
    BuildLine();
    // No name yet: Save runs the dialog.
    ui.SaveFiles.push_back(dir / "first.lxl");
    ASSERT_TRUE(s.MenuItemSaveClick1());
    EXPECT_EQ(ui.SaveRequests.size(), 1u);
    // A legacy name becomes the .lxl beside it, without a dialog.
    const LodoList line = s.List();
    Write(dir / "old.lpl",
          "2\n" + ConvertToStr(line, 1) + "\n" + ConvertToStr(line, 2) + "\n0,0,0,0,0,0,\"Old\"\n");
    ui.OpenFiles.push_back(dir / "old.lpl");
    ASSERT_TRUE(s.MenuItemPreOpenClick());
    ui.ClearRecord();
    ASSERT_TRUE(s.MenuItemSaveClick1());
    EXPECT_TRUE(ui.Silent());
    EXPECT_TRUE(std::filesystem::exists(dir / "old.lxl"));
    EXPECT_EQ(s.DFileName(), (dir / "old.lxl").string());
}

TEST_F(DocumentTest, AFailedWriteIsReportedAndKeepsTheName) {
    BuildLine();
    ui.SaveFiles.push_back(dir / "no-such-folder" / "line.lxl");
    EXPECT_FALSE(s.MenuItemSaveAsClick1());
    ASSERT_EQ(ui.Errors.size(), 1u);
    EXPECT_TRUE(ui.Errors[0].starts_with((dir / "no-such-folder" / "line.lxl").string() + ": "))
        << ui.Errors[0];
    EXPECT_TRUE(ui.Messages.empty()); // no "File : ..." for a file never written
    EXPECT_EQ(s.DFileName(), "");
    EXPECT_TRUE(s.IsModified());
}

TEST_F(DocumentTest, OpenFileRestoresTheSavedLineAndEditsItsLastComponent) {
    const auto p = SavedLine();
    const LodoList saved = s.List();
    ASSERT_TRUE(s.NewLineClick()); // saved: no question
    EXPECT_TRUE(ui.Questions.empty());
    EXPECT_EQ(s.DFileName(), "");
    ui.OpenFiles.push_back(p);
    ASSERT_TRUE(s.LodoX());
    EXPECT_EQ(ui.OpenFilters.at(0), "Transport Systems (*.lxl)|*.lxl|all files (*.*)|*.*");
    EXPECT_EQ(Inputs(s.List()), Inputs(saved));
    for (int i = 0; i < s.Count(); ++i)
        EXPECT_REL_NEAR(At(i).TransM1, saved[i].TransM1, 1e-12);
    EXPECT_EQ(s.LineName(), "Stack 3");
    EXPECT_EQ(s.DFileName(), p.string());
    EXPECT_EQ(s.Ctx().CurrRow, 4);
    EXPECT_EQ(s.VisiblePage(), Page::Bend);
    EXPECT_FALSE(s.IsModified());
    // Names go on after the highest number in the file.
    s.TubeMenuClick();
    EXPECT_EQ(Base(s.List().back().Name), "T-3");
}

TEST_F(DocumentTest, OpenCancelledOrFailingLeavesTheLineAsItWas) {
    BuildLine();
    ui.SaveFiles.push_back(dir / "kept.lxl");
    ASSERT_TRUE(s.MenuItemSaveAsClick1());
    ASSERT_TRUE(Enter(Box::BendAngleEdit, "45")); // a change not yet saved
    const LodoList before = s.List();
    ui.ClearRecord();

    Write(dir / "broken.lxl", "<Nodes><Node><Name>T-1</Name><Temp>abc</Temp></Node>");
    Write(dir / "short.lpl", "2\nT-1,Tube,1\n0,0,0,0,0,0,x\n");
    struct Case {
        bool Legacy;
        std::optional<std::filesystem::path> Chosen;
        bool ErrorShown;
    } const cases[] = {
        {false, std::nullopt, false},       {false, dir / "broken.lxl", true},
        {false, dir / "missing.lxl", true}, {true, std::nullopt, false},
        {true, dir / "short.lpl", true},    {true, dir / "missing.lpl", true},
    };
    for (const Case& c : cases) {
        ui.ClearRecord();
        ui.Answers.push_back(Answer::No); // discard the unsaved change
        ui.OpenFiles.push_back(c.Chosen);
        EXPECT_FALSE(c.Legacy ? s.MenuItemPreOpenClick() : s.LodoX());
        EXPECT_EQ(ui.Errors.size(), c.ErrorShown ? 1u : 0u);
        EXPECT_EQ(s.List(), before);
        EXPECT_EQ(s.LineName(), "Stack 3");
        EXPECT_EQ(s.DFileName(), (dir / "kept.lxl").string());
        EXPECT_EQ(s.VisiblePage(), Page::Bend);
        EXPECT_TRUE(s.IsModified());
    }
}

TEST_F(DocumentTest, OpenAsksToSaveFirstAndCancelAbandonsIt) {
    BuildLine();
    ui.Answers.push_back(Answer::Cancel);
    EXPECT_FALSE(s.LodoX());
    EXPECT_EQ(ui.Questions, std::vector<std::string>{SaveQuestion});
    EXPECT_TRUE(ui.OpenFilters.empty());
}

TEST_F(DocumentTest, OpenPreV2FileTakesTheStoredCountersAndName) {
    BuildLine();
    std::string text = "2\n";
    LodoList line = s.List();
    line[1].Name = "T-7";
    text += ConvertToStr(line, 1) + "\n" + ConvertToStr(line, 3) + "\n";
    text += "9,4,0,0,0,0,\"Old, line\"\n";
    Write(dir / "old.lpl", text);
    ui.Answers.push_back(Answer::No);
    ui.OpenFiles.push_back(dir / "old.lpl");
    ASSERT_TRUE(s.MenuItemPreOpenClick());
    EXPECT_EQ(ui.OpenFilters.at(0),
              "Pre Version 2 Transport Systems (*.lpl)|*.lpl|all files (*.*)|*.*");
    ASSERT_EQ(s.Count(), 2);
    EXPECT_EQ(Base(At(0).Name), "T-7");
    EXPECT_EQ(Base(At(1).Name), "B-1");
    EXPECT_EQ(s.LineName(), "Old, line");
    EXPECT_EQ(s.Counters(), (NameCounters{9, 4, 0, 0, 0, 0}));
    EXPECT_EQ(s.DFileName(), (dir / "old.lpl").string());
    EXPECT_EQ(Base(s.NodeNameL()), "Component: B-1");
    EXPECT_FALSE(s.IsModified());
    s.TubeMenuClick();
    EXPECT_EQ(Base(s.List().back().Name), "T-10");
}

TEST_F(DocumentTest, OpenFileByPathChoosesTheReaderByExtension) {
    const auto p = SavedLine();
    std::filesystem::copy_file(p, dir / "copy.LXL");
    ASSERT_TRUE(s.OpenFile(dir / "copy.LXL"));
    EXPECT_EQ(s.Count(), 4);
    Write(dir / "empty.LPL", "0\n0,0,0,0,0,0,Empty line\n");
    ASSERT_TRUE(s.OpenFile(dir / "empty.LPL"));
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.LineName(), "Empty line");
    EXPECT_EQ(s.VisiblePage(), Page::None);
    EXPECT_EQ(s.Ctx().CurrRow, 0);
    EXPECT_TRUE(ui.Errors.empty());
}

TEST_F(DocumentTest, OpeningShowsWhatTheReaderAssumedOnceAndRefusesImpossibleValues) {
    const auto p = SavedLine();
    std::string text = Slurp(p);
    // The saved line opens without any remark.
    ASSERT_TRUE(s.OpenFile(p));
    EXPECT_TRUE(ui.Messages.empty());

    const auto at = text.find("<FlowUnit>Metric</FlowUnit>");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 27, "<FlowUnit>metric</FlowUnit>");
    Write(dir / "lower.lxl", text);
    ASSERT_TRUE(s.OpenFile(dir / "lower.lxl"));
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_NE(
        ui.Messages[0].find(
            "field \"FlowUnit\": 'metric' is neither \"Metric\" nor \"English\"; read as English"),
        std::string::npos)
        << ui.Messages[0];
    EXPECT_EQ(s.List()[0].FlowUnit, "metric");
    ui.ClearRecord();

    const auto press = text.find("<Press>");
    text.replace(press, 7, "<Press>-");
    Write(dir / "negative.lxl", text);
    EXPECT_FALSE(s.OpenFile(dir / "negative.lxl"));
    ASSERT_EQ(ui.Errors.size(), 1u);
    EXPECT_TRUE(ui.Errors[0].starts_with(
        "negative.lxl: Component 1 (Index 0, N-1 *), field \"Press\" is -101.325"))
        << ui.Errors[0];
    EXPECT_TRUE(ui.Errors[0].ends_with("Pressure must be greater than 0.")) << ui.Errors[0];
    // The line shown before stays.
    EXPECT_EQ(s.Count(), 4);
}

struct QuestionCase {
    const char* What;
    std::vector<Answer> Answers;
    std::vector<std::optional<std::filesystem::path>> SaveAs; // relative to dir
    bool Proceeds;
    bool Saved;
};

const QuestionCase QuestionCases[] = {
    {"No", {Answer::No}, {}, true, false},
    {"Cancel", {Answer::Cancel}, {}, false, false},
    {"YesSaved", {Answer::Yes}, {std::filesystem::path("asked.lxl")}, true, true},
    {"YesButSaveCancelled", {Answer::Yes}, {std::nullopt}, false, false},
};

class SaveQuestionTest : public DocumentTest, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(SaveQuestionTest, NewSampleLineAndExitAskBeforeDiscardingChanges) {
    const QuestionCase& c = GetParam();
    for (bool exit : {false, true}) {
        SCOPED_TRACE(exit ? "Exit" : "New");
        StartAfresh();
        std::filesystem::remove(dir / "asked.lxl");
        BuildLine();
        const LodoList before = s.List();
        for (Answer a : c.Answers)
            ui.Answers.push_back(a);
        for (const auto& p : c.SaveAs)
            ui.SaveFiles.push_back(p ? std::optional(dir / *p) : std::nullopt);
        const bool proceeded = exit ? s.MenuItemExitClick() : s.NewLineClick();
        EXPECT_EQ(proceeded, c.Proceeds);
        ASSERT_EQ(ui.Questions.size(), 1u);
        EXPECT_EQ(ui.Questions[0], SaveQuestion);
        EXPECT_EQ(ui.QuestionButtonSets[0], QuestionButtons::YesNoCancel);
        EXPECT_EQ(std::filesystem::exists(dir / "asked.lxl"), c.Saved);
        EXPECT_TRUE(ui.ScriptDone());
        if (!exit) {
            EXPECT_EQ(s.Count(), c.Proceeds ? 0 : 4);
        }
        if (!c.Proceeds) {
            EXPECT_EQ(s.List(), before);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveQuestionTest, ::testing::ValuesIn(QuestionCases),
                         [](const auto& info) { return std::string(info.param.What); });

TEST_F(DocumentTest, AnUntouchedOrSavedLineIsLeftWithoutAQuestion) {
    EXPECT_TRUE(s.MenuItemExitClick());
    SavedLine();
    EXPECT_TRUE(s.MenuItemExitClick());
    EXPECT_TRUE(ui.Silent());
    // Every kind of change counts: an entry, the line name, a unit.
    s.SetLineName("Stack 4");
    EXPECT_TRUE(s.IsModified());
    s.SetLineName("Stack 3");
    EXPECT_FALSE(s.IsModified());
    s.EditComp(1);
    s.LenEUnit();
    EXPECT_TRUE(s.IsModified());
}

TEST_F(DocumentTest, NewSampleLineResetsTheDocumentButKeepsTheDistribution) {
    s.ContractMenuClick();
    DistributionSetting ln{3.0f, 4.0f, 2.0f, Distribution::LogNormal};
    s.ApplyDistribution(ln);
    StartAfresh();
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.LineName(), "Sample Line 1");
    EXPECT_EQ(s.VisiblePage(), Page::None);
    EXPECT_EQ(Base(s.NodeNameL()), "");
    EXPECT_EQ(s.Counters(), NameCounters{});
    EXPECT_EQ(s.Ctx().NodeType, " ");
    EXPECT_EQ(s.Ctx().RefNum, Operation::Adding);
    EXPECT_REL_NEAR(s.Ctx().D2, 34.9 / 1.5, TestPrecision::FifteenDigits);
    EXPECT_FALSE(s.DrawingVisible());
    EXPECT_TRUE(s.LineNameFocused());
    EXPECT_EQ(s.Model().Display.SystemT.Text, "");
    EXPECT_EQ(s.Distribution(), ln);
    EXPECT_EQ(s.Ctx().DType, Distribution::LogNormal);
    // The captions keep matching the distribution in force.
    EXPECT_EQ(s.LabelPent(), "Particle Penetration (%): ");
    EXPECT_TRUE(s.LNStrVisible());
}

// The export proposes the line's name with the study's word, writes the lines, and
// leaves the line's file name alone; a failed write keeps the old file whole.
TEST_F(DocumentTest, ExportStudyWritesTheLinesAndKeepsTheName) {
    const auto line = SavedLine();
    const StudyOutcome o = s.RunStudy(StudyKind::Flow, 3, 10.0, 30.0);
    ASSERT_TRUE(o.Ran());
    ui.SaveFiles.push_back(dir / "study.txt");
    ASSERT_TRUE(s.ExportStudy(o));
    const SaveDialogRequest& r = ui.SaveRequests.at(0);
    EXPECT_EQ(r.Title, "Save Study Table As");
    EXPECT_EQ(r.DefaultExt, "txt");
    EXPECT_EQ(r.Filter, "Tab-delimited study table|*.txt");
    EXPECT_EQ(r.InitialName, (dir / "lineFlow").string());
    EXPECT_TRUE(r.AskBeforeReplacing);
    std::string expected;
    for (const std::string& l : o.Lines)
        expected += l + "\n";
    EXPECT_EQ(Slurp(dir / "study.txt"), expected);
    EXPECT_EQ(s.DFileName(), line.string());

    // Cancelled: nothing written, nothing said.
    ui.SaveFiles.push_back(std::nullopt);
    EXPECT_FALSE(s.ExportStudy(o));
    // The target cannot be replaced (a folder of that name): the old file next to it
    // and the folder stay, and the error is shown.
    std::filesystem::create_directories(dir / "taken.txt");
    ui.SaveFiles.push_back(dir / "taken.txt");
    EXPECT_FALSE(s.ExportStudy(o));
    EXPECT_EQ(ui.Errors.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.txt"));
    EXPECT_EQ(Slurp(dir / "study.txt"), expected);
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_EQ(s.DFileName(), line.string());
    // An outcome that did not run has nothing to export.
    EXPECT_FALSE(s.ExportStudy(s.RunStudy(StudyKind::FreeStream, 3, 1.0, 2.0)));
}

// A study is an edit of the session like any other: the observer hears it, and the
// line comes back with its own inputs.
TEST_F(DocumentTest, RunStudyGivesTheLineBackAndNotifies) {
    BuildLine();
    const LodoList before = s.List();
    std::vector<unsigned> heard;
    s.SetObserver([&](unsigned m) { heard.push_back(m); });
    int told = 0;
    const StudyOutcome o =
        s.RunStudy(StudyKind::Diameter, 4, 5.0, 20.0, {}, [&](int done, int total) {
            EXPECT_EQ(total, 4);
            return ++told == done;
        });
    EXPECT_TRUE(o.Ran());
    EXPECT_EQ(told, 4);
    EXPECT_EQ(heard, std::vector<unsigned>{RefreshAll});
    EXPECT_EQ(s.List(), before);
    EXPECT_EQ(s.Ctx().RefNum, Operation::Adding);
    // Refused: nothing changed, nothing to hear.
    heard.clear();
    const std::uint64_t revision = s.Revision();
    EXPECT_FALSE(s.RunStudy(StudyKind::Flow, 0, 1.0, 2.0).Ran());
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(s.Revision(), revision);
}

TEST_F(DocumentTest, DistributionConfirmSetsTheRangeCaptionsAndReevaluates) {
    BuildLine();
    const double monoTrans = At(1).TransM1;
    s.ApplyDistribution({10.0f, 5.0f, 2.5f, Distribution::LogNormal});
    EXPECT_EQ(s.Ctx().DType, Distribution::LogNormal);
    EXPECT_REL_NEAR(s.Ctx().LowV, 0.32, 1e-6);
    EXPECT_REL_NEAR(s.Ctx().HighV, 78.125, 1e-6);
    EXPECT_REL_NEAR(s.Ctx().DpStep, 1.55610, 1e-5);
    EXPECT_EQ(s.LabelPent(), "Particle Penetration (%): ");
    EXPECT_EQ(s.LabelANSI1(), "Mass Penetration (%): ");
    EXPECT_TRUE(s.LNStrVisible());
    EXPECT_NE(At(1).TransM1, monoTrans);
    EXPECT_EQ(s.Ctx().CurrRow, 4); // still the component whose page is shown

    s.ApplyDistribution({3.0f, 5.0f, 2.5f, Distribution::Mono});
    EXPECT_EQ(s.LabelPent(), "Total System Penetration % ");
    EXPECT_EQ(s.LabelANSI1(), " ANSI Limit > 50%");
    EXPECT_EQ(s.Model().Display.MassPent, "");
    EXPECT_FALSE(s.LNStrVisible());
    EXPECT_FLOAT_EQ(s.Ctx().Dp, 3.0f);
}

// Every line file written or read is reported, also the one saved through the
// question that Open asks first; a cancelled or failed command reports nothing.
TEST_F(DocumentTest, EverySavedOrOpenedLineFileIsReported) {
    std::vector<std::string> reported;
    s.SetFileObserver([&](const std::string& p) { reported.push_back(p); });
    const auto first = SavedLine();
    EXPECT_EQ(reported, std::vector<std::string>{first.string()});

    s.TubeMenuClick(); // changed: Open asks to save first
    const auto second = dir / "second.lxl";
    ui.Answers.push_back(Answer::Yes);
    ui.SaveFiles.push_back(second);
    ui.OpenFiles.push_back(first);
    ASSERT_TRUE(s.LodoX());
    EXPECT_EQ(reported,
              (std::vector<std::string>{first.string(), second.string(), first.string()}));

    ui.SaveFiles.push_back(std::nullopt);
    EXPECT_FALSE(s.MenuItemSaveAsClick1());
    ui.OpenFiles.push_back(dir / "missing.lxl");
    EXPECT_FALSE(s.LodoX());
    EXPECT_EQ(reported.size(), 3u);
}

// Opening warns about nothing the user did: no message 7 over the old line, and
// diameters the file held out of step are named once, after the new line is shown.
TEST_F(DocumentTest, OpeningReportsResizedFittingsOnceAfterTheLineIsShown) {
    for (const char* example : {"contraction-expansion-line.lxl", "english-units-line.lxl",
                                "shrouded-probe-line.lxl", "stack-nozzle-line.lxl"}) {
        SCOPED_TRACE(example);
        s.EditComp(s.Count() - 1); // editing: RefNum 2
        if (s.IsModified())
            ui.Answers.push_back(Answer::No);
        ASSERT_TRUE(s.OpenFile(std::filesystem::path(LODO_EXAMPLES_DIR) / example));
        EXPECT_TRUE(ui.Messages.empty()) << ui.Messages.front();
        ui.ClearRecord();
    }

    // Nozzle, tube, contraction: the contraction's inlet 30 mm does not follow the
    // tube's 34.9 mm.
    StartAfresh();
    s.NozzleMenuClick();
    s.TubeMenuClick();
    s.ContractMenuClick();
    ASSERT_TRUE(Enter(Box::ContOutEdit, "20"));
    const auto p = dir / "stepped.lxl";
    ui.SaveFiles.push_back(p);
    ASSERT_TRUE(s.MenuItemSaveAsClick1());
    std::string text = Slurp(p);
    const auto third = text.rfind("<Dia1>");
    ASSERT_NE(third, std::string::npos);
    text.replace(third, text.find("</Dia1>", third) - third, "<Dia1>30");
    Write(p, text);
    ui.ClearRecord();

    std::vector<std::string> order;
    s.SetObserver([&](unsigned) {
        order.push_back(ui.Messages.empty() ? "render" : "render after message");
    });
    ASSERT_TRUE(s.OpenFile(p));
    ASSERT_EQ(ui.Messages.size(), 1u);
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), "render");
    const std::string& m = ui.Messages[0];
    EXPECT_NE(m.find("(Index 2, C-1"), std::string::npos) << m;
    // Each value the alignment replaced: 34.9 x 20 / 30 for the outlet.
    EXPECT_NE(m.find("\"Dia1\": 30 mm in the file, 34.9 mm used (diameters follow"),
              std::string::npos)
        << m;
    EXPECT_NE(m.find("\"Dia2\": 20 mm in the file, 23.2667 mm used"), std::string::npos) << m;
    EXPECT_EQ(m.find(std::string(LodoErrorText(7))), std::string::npos) << m;
    EXPECT_FALSE(s.IsModified());
}

// Save As proposes the line's name until the line has a file; the title names the file.
TEST_F(DocumentTest, SaveAsProposesTheLineNameAndTheTitleNamesTheFile) {
    EXPECT_EQ(s.WindowTitle(), "Lodo Calculator, v 2.0 Beta[*]");
    BuildLine();
    s.SetLineName("Stack 3: duct/A <west>?");
    const auto p = dir / "stack.lxl";
    ui.SaveFiles.push_back(p);
    ASSERT_TRUE(s.MenuItemSaveAsClick1());
    EXPECT_EQ(ui.SaveRequests.at(0).InitialName, "Stack 3_ duct_A _west__.lxl");
    EXPECT_EQ(s.WindowTitle(), "stack.lxl[*] \u2014 Lodo Calculator, v 2.0 Beta");
    // Once saved, the file itself is proposed.
    ui.SaveFiles.push_back(std::nullopt);
    s.MenuItemSaveAsClick1();
    EXPECT_EQ(ui.SaveRequests.at(1).InitialName, p.string());
    // A new line has no file again.
    ASSERT_TRUE(s.NewLineClick());
    EXPECT_EQ(s.WindowTitle(), "Lodo Calculator, v 2.0 Beta[*]");

    struct Case {
        const char* line;
        const char* proposed;
    } const cases[] = {
        {"Sample Line 1", "Sample Line 1"},
        {"  ..hidden.. ", "hidden"},
        {"tab\there", "tab_here"},
        {"", "Sample Line"},
        {"...", "Sample Line"},
        {"Ablu\u0308ftung 3 m\u00b3/h", "Ablu\u0308ftung 3 m\u00b3_h"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LodoSession::ProposedFileName(c.line), c.proposed) << c.line;
    const std::string longName(200, 'x');
    EXPECT_EQ(LodoSession::ProposedFileName(longName).size(), 120u);
    // Cut between whole characters: 119 bytes of "x" and then two-byte characters.
    EXPECT_EQ(LodoSession::ProposedFileName(std::string(119, 'x') + "\u00e9\u00e9"),
              std::string(119, 'x'));
    // A cut that ends in blanks or dots loses them too.
    EXPECT_EQ(LodoSession::ProposedFileName(std::string(118, 'x') + " .tail"),
              std::string(118, 'x'));
}

// A value typed and not entered is what the user sees: Save writes it, a refused one
// stops Save with the box's message, and closing asks the save question for it.
TEST_F(DocumentTest, AValueTypedButNotEnteredIsTakenByTheFileCommands) {
    const auto p = SavedLine(); // the bend's page is shown
    s.FocusBox(Box::BendAngleEdit);
    s.SetBoxText(Box::BendAngleEdit, "45");
    ASSERT_TRUE(s.MenuItemSaveClick1());
    EXPECT_NE(Slurp(p).find("<Ang2>45</Ang2>"), std::string::npos);
    EXPECT_FALSE(s.IsModified());
    EXPECT_EQ(s.FocusedBox(), Box::BendAngleEdit);

    const std::string saved = Slurp(p);
    ui.ClearRecord();
    s.SetBoxText(Box::BendAngleEdit, "x");
    EXPECT_FALSE(s.MenuItemSaveClick1());
    EXPECT_EQ(ui.Messages.size(), 1u);
    EXPECT_TRUE(ui.Questions.empty());
    EXPECT_EQ(Slurp(p), saved);
    EXPECT_FALSE(s.MenuItemExitClick()) << "a refused value keeps the window open";

    ui.ClearRecord();
    s.SetBoxText(Box::BendAngleEdit, "60");
    ui.Answers.push_back(Answer::Cancel);
    EXPECT_FALSE(s.MenuItemExitClick());
    EXPECT_EQ(ui.Questions, std::vector<std::string>{SaveQuestion});
    EXPECT_EQ(At(3).Ang2, 60.0);
}
