// The editor refuses an entry that would make a line the program cannot evaluate
// honestly; a file that holds one still opens.
#include "SessionFixture.h"
#include "model/LineStructure.h"

namespace {

using Command = void (LodoSession::*)();
using LineStructure::RuleId;

std::string Refusal(RuleId id) {
    return std::string(LineStructure::RuleOf(id).Refusal);
}

TEST_F(SessionTest, EntriesThatBreakAStructureRuleAreRefusedWithItsMessage) {
    struct Case {
        const char* what;
        Command add;
        Box box;
        const char* refused;
        const char* accepted;
        std::string message;
    };
    const Case cases[] = {
        {"contraction widening", &LodoSession::ContractMenuClick, Box::ContOutEdit, "40", "34.9",
         Refusal(RuleId::ContractionNarrows)},
        {"contraction inlet below its outlet", &LodoSession::ContractMenuClick, Box::ContDiaEdit,
         "20", "30", Refusal(RuleId::ContractionNarrows)},
        {"expansion narrowing", &LodoSession::ExpandMenuClick, Box::ExpdOutEdit, "30", "34.9",
         Refusal(RuleId::ExpansionWidens)},
        {"bend tighter than its tube", &LodoSession::BendMenuClick, Box::BendRadiusEdit, "0.017",
         "0.01745", Refusal(RuleId::BendRadius)},
        {"bend tube wider than its radius", &LodoSession::BendMenuClick, Box::BendDiaEdit, "250",
         "200", Refusal(RuleId::BendRadius)},
        {"tube too hot", &LodoSession::TubeMenuClick, Box::TubeTempEdit, "1627", "1626",
         Refusal(RuleId::Temperature)},
        {"tube too cold", &LodoSession::TubeMenuClick, Box::TubeTempEdit, "-104", "-103",
         Refusal(RuleId::Temperature)},
        {"pressure too low", &LodoSession::TubeMenuClick, Box::TubePressEdit, "0.1", "10",
         Refusal(RuleId::Pressure)},
        {"pressure too high", &LodoSession::BendMenuClick, Box::BendPressEdit, "1001", "1000",
         Refusal(RuleId::Pressure)},
    };
    for (const Case& c : cases) {
        StartAfresh();
        s.TubeMenuClick();
        (s.*c.add)();
        const LodoList before = s.List();
        ui.ClearRecord();
        EXPECT_FALSE(Enter(c.box, c.refused)) << c.what;
        ASSERT_EQ(ui.Messages.size(), 1u) << c.what;
        EXPECT_EQ(ui.Messages[0], c.message) << c.what;
        EXPECT_EQ(s.List(), before) << c.what;
        EXPECT_EQ(s.FocusedBox(), c.box) << c.what; // the box keeps the focus

        // Left with the mouse, the refused text is not stored either, silently.
        ui.ClearRecord();
        s.FocusBox(std::nullopt);
        EXPECT_TRUE(ui.Messages.empty()) << c.what;
        EXPECT_EQ(s.List(), before) << c.what;

        EXPECT_TRUE(Enter(c.box, c.accepted)) << c.what;
        EXPECT_TRUE(ui.Messages.empty()) << c.what << ": " << ui.Messages[0];
        EXPECT_TRUE(LineStructure::Findings(s.List()).empty()) << c.what;
    }
}

TEST_F(SessionTest, AFileBreakingARuleOpensAndOnlyTheRulesAnEntryTakesPartInRefuseIt) {
    StartAfresh();
    s.TubeMenuClick();
    s.ContractMenuClick();
    LodoList line = s.List();
    line[1].Dia2 = 60; // a "contraction" from 34.9 to 60 mm
    OpenLine(line);
    ASSERT_EQ(s.List().size(), 2u);
    ASSERT_EQ(LineStructure::Findings(s.List()).size(), 1u);
    s.EditComp(1);
    ui.ClearRecord();
    // The half angle has nothing to do with the diameters: accepted.
    EXPECT_TRUE(Enter(Box::ContHalfEdit, "30"));
    EXPECT_TRUE(ui.Messages.empty());
    // A new outlet that still widens is refused; one that narrows mends the line.
    EXPECT_FALSE(Enter(Box::ContOutEdit, "50"));
    EXPECT_TRUE(Enter(Box::ContOutEdit, "20"));
    EXPECT_TRUE(LineStructure::Findings(s.List()).empty());
}

} // namespace
