// The session's design case: an undoable step, refused values change nothing, saved
// and read with the file (a log-normal line reopens log-normal), emptied by New.
#include "SessionFixture.h"

namespace {

using DesignCaseSessionTest = SessionTest;

Design::DesignCase Stack3() {
    Design::DesignCase d;
    d.Id.Facility = "Plant A";
    d.Id.PreparedBy = "R. Roe";
    d.Limits.MinSystemPenetration = 0.6;
    d.Range.StackVelocity = Design::Interval{5, 20};
    return d;
}

TEST_F(DesignCaseSessionTest, AnEditIsOneUndoStepAndARefusedOneChangesNothing) {
    s.TubeMenuClick();
    ASSERT_FALSE(s.SetDesignCase(Stack3()));
    EXPECT_EQ(s.DesignCase(), Stack3());
    EXPECT_TRUE(s.IsModified());
    EXPECT_EQ(s.History().Steps().back().Text,
              "Design case: identification, criteria, operating range");

    Design::DesignCase bad = Stack3();
    bad.Range.Flow = Design::Interval{60, 50};
    const auto why = s.SetDesignCase(bad);
    ASSERT_TRUE(why);
    EXPECT_EQ(*why, "The least sample flow 60 L/min is above the greatest, 50 L/min.");
    EXPECT_EQ(s.DesignCase(), Stack3());

    ASSERT_TRUE(s.Undo());
    EXPECT_TRUE(s.DesignCase().IsEmpty());
    ASSERT_TRUE(s.Redo());
    EXPECT_EQ(s.DesignCase(), Stack3());
}

TEST_F(DesignCaseSessionTest, SavedWithTheLineAndReopenedAsSaved) {
    s.NozzleMenuClick();
    s.TubeMenuClick();
    ASSERT_FALSE(s.SetDesignCase(Stack3()));
    DistributionSetting logNormal;
    logNormal.TypeDist = Distribution::LogNormal;
    logNormal.MeanPart = 7.5f;
    logNormal.PartSD = 1.8f;
    s.ApplyDistribution(logNormal);
    const std::string totals = s.Model().Display.SystemT.Text;
    const auto path = dir / "designed.lxl";
    ui.SaveFiles.push_back(path);
    ASSERT_TRUE(s.MenuItemSaveAsClick1());
    EXPECT_FALSE(s.IsModified());

    // A new line empties the design case but keeps the distribution, as it always has.
    StartAfresh();
    EXPECT_EQ(s.DesignCase().Id, Design::Identification{});
    EXPECT_EQ(s.DesignCase().Range, Design::OperatingRange{});
    EXPECT_EQ(s.Distribution(), logNormal);

    s.ApplyDistribution(DistributionSetting{});
    ui.Answers.push_back(Answer::No); // the changed distribution is not to be saved
    ASSERT_TRUE(s.OpenFile(path));
    Design::DesignCase expected = Stack3();
    expected.Particles = logNormal;
    EXPECT_EQ(s.DesignCase(), expected);
    EXPECT_EQ(s.Distribution(), logNormal);
    EXPECT_EQ(s.Ctx().DType, Distribution::LogNormal);
    EXPECT_EQ(s.LabelPent(), "Particle Penetration (%): ");
    EXPECT_EQ(s.Model().Display.SystemT.Text, totals);
    EXPECT_FALSE(s.IsModified());

    // A file without a design case opens at the start-up description.
    ASSERT_TRUE(s.OpenFile(LODO_EXAMPLES_DIR "/stack-nozzle-line.lxl"));
    EXPECT_TRUE(s.DesignCase().IsEmpty());
    EXPECT_EQ(s.Distribution(), DistributionSetting{});
}

} // namespace
