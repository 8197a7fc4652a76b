// The user guide's short walk-through, step by step through the session, with the
// numbers the guide quotes.
#include "SessionFixture.h"

TEST_F(SessionTest, TheUserGuidesWalkThroughGivesTheNumbersItQuotes) {
    // 1. A new line with a name.
    ASSERT_TRUE(s.NewLineClick());
    s.SetLineName("Stack 3 nozzle line");
    // 2. The default 34.9 mm nozzle aspirates far too much; 11 mm matches the free stream.
    s.NozzleMenuClick();
    EXPECT_EQ(s.Model().Display.LabelNozAsp.Text, "= 2.41");
    ASSERT_TRUE(Enter(Box::NozInDiaEdit, "11"));
    EXPECT_EQ(s.Model().Display.LabelNozAsp.Text, "= 1.00");
    EXPECT_EQ(s.FocusedBox(), Box::NozLenEdit);
    ASSERT_TRUE(Enter(Box::NozLenEdit, "30"));
    // 3. A tube from the nozzle's 11 mm, 2 m long, then 34.9 mm: the nozzle's outlet follows.
    s.TubeMenuClick();
    EXPECT_EQ(s.BoxText(Box::TubeDiaEdit), "11");
    ASSERT_TRUE(Enter(Box::TubeLenEdit, "2"));
    ASSERT_TRUE(s.BoxKey(Box::TubeAng1Edit, EditKey::Enter));
    ASSERT_EQ(s.FocusedBox(), Box::TubeDiaEdit);
    ASSERT_TRUE(Enter(Box::TubeDiaEdit, "34.9"));
    EXPECT_EQ(At(0).Dia2, 34.9);
    EXPECT_EQ(At(0).Dia1, 11.0);
    // 4. A bend, then a vertical tube downward.
    s.BendMenuClick();
    s.TubeMenuClick();
    ASSERT_TRUE(s.BoxKey(Box::TubeLenEdit, EditKey::Down));
    ASSERT_EQ(s.FocusedBox(), Box::TubeAng1Edit);
    ASSERT_TRUE(Enter(Box::TubeAng1Edit, "90"));
    // 5. Green above 50 %, at the figure the guide gives; the tubes in transition.
    EXPECT_EQ(s.Model().Display.SystemT.Text, "= 69.18");
    EXPECT_EQ(s.Model().Display.SystemT.Colour, Argb::Green);
    for (int i = 1; i < s.Count(); ++i)
        EXPECT_NE(At(i).Name.find(" *"), std::string::npos) << i;
    EXPECT_TRUE(ui.Messages.empty());
}
