// Setting the line to an operating point (the design map's click) through the session.
#include "SessionFixture.h"
#include "design/DesignVerdict.h"
#include "persistence/LineFile.h"

namespace {

const std::string Nozzle = LODO_EXAMPLES_DIR "/stack-nozzle-line.lxl";

} // namespace

class OperatingPointTest : public SessionTest {};

TEST_F(OperatingPointTest, OneUndoableStepThatGivesTheVerdictOfThePoint) {
    ASSERT_TRUE(s.OpenFile(Nozzle));
    ui.ClearRecord();
    const LodoList before = s.List();
    Design::OperatingPoint point;
    point.StackVelocity = 14.5;
    point.Flow = 71.0;
    point.Diameter = 18.25;
    const auto expected = Design::VerdictAt(before, point, {}, {});

    ASSERT_TRUE(s.ApplyOperatingPoint(point));
    EXPECT_EQ(s.History().Steps().size(), 1u);
    // The line now is the point: its own verdict is the verdict at the point.
    const auto now = Design::VerdictAt(s.List(), {}, {}, {});
    EXPECT_EQ(now.AspirationRatio, expected.AspirationRatio);
    EXPECT_EQ(now.TransportPenetration, expected.TransportPenetration);
    EXPECT_EQ(now.SystemPenetration, expected.SystemPenetration);
    for (const TLodoComp& c : s.List())
        EXPECT_DOUBLE_EQ(Units::FlowToLpm(c.Flow, c.FlowUnit), 71.0);
    EXPECT_TRUE(s.IsModified());

    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(s.List(), before);
    ASSERT_TRUE(s.Redo());
    EXPECT_EQ(Design::VerdictAt(s.List(), {}, {}, {}).SystemPenetration,
              expected.SystemPenetration);
}

TEST_F(OperatingPointTest, RefusedPointsChangeNothing) {
    ASSERT_TRUE(s.OpenFile(Nozzle));
    ui.ClearRecord();
    const LodoList before = s.List();
    Design::OperatingPoint negativeFlow, belowAbsoluteZero, noInlet;
    negativeFlow.Flow = -3.0;
    belowAbsoluteZero.Temperature = -300.0;
    noInlet.StackVelocity = 5.0;
    EXPECT_FALSE(s.ApplyOperatingPoint(negativeFlow));
    EXPECT_FALSE(s.ApplyOperatingPoint(belowAbsoluteZero));
    EXPECT_EQ(s.List(), before);
    EXPECT_TRUE(s.History().Steps().empty());
    EXPECT_EQ(ui.Messages.size(), 2u); // each refusal says why

    StartAfresh();
    s.TubeMenuClick();
    ui.ClearRecord();
    const std::size_t steps = s.History().Steps().size();
    EXPECT_FALSE(s.ApplyOperatingPoint(noInlet));
    EXPECT_EQ(s.History().Steps().size(), steps);
}
