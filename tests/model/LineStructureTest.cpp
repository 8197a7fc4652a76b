// The line-structure rules: each just inside and just outside, in both unit systems.
#include "model/LineStructure.h"

#include "model/ModelTestLines.h"

#include <gtest/gtest.h>

namespace {

using LineStructure::RuleId;
using namespace TestLines;

TLodoComp English(TLodoComp c) {
    c.TempUnit = c.PressUnit = c.Dia1Unit = c.Dia2Unit = c.RadiusUnit = Units::English;
    return c;
}
TLodoComp OutletInInches(TLodoComp c) {
    c.Dia2Unit = Units::English;
    return c;
}
TLodoComp WithTemp(TLodoComp c, double t) {
    c.Temp = t;
    return c;
}
TLodoComp WithPress(TLodoComp c, double p) {
    c.Press = p;
    return c;
}
TLodoComp WithIncl(TLodoComp c, double a) {
    c.Ang1 = a;
    return c;
}

struct Case {
    const char* what;
    TLodoComp comp;
    std::size_t row;
    std::vector<RuleId> broken;
};

TEST(LineStructureTest, EachRuleJustInsideAndJustOutside) {
    const TLodoComp tube = Tube(34.9, 1, 57);
    const Case cases[] = {
        {"nozzle first", Nozzle(10, 34.9, 10, 57, 10), 0, {}},
        {"nozzle second", Nozzle(10, 34.9, 10, 57, 10), 1, {RuleId::InletFirst}},
        {"probe third", Shroud("RF2-111", 57, 10), 2, {RuleId::InletFirst}},
        {"tube anywhere", tube, 5, {}},
        {"contraction narrows", Cone(false, 34.9, 20, 57), 1, {}},
        {"contraction passes through", Cone(false, 34.9, 34.9, 57), 1, {}},
        {"contraction widens", Cone(false, 34.9, 34.9001, 57), 1, {RuleId::ContractionNarrows}},
        {"contraction widens in inches",
         OutletInInches(Cone(false, 34.9, 1.375, 57)),
         1,
         {RuleId::ContractionNarrows}},
        {"expansion widens", Cone(true, 34.9, 60, 57), 1, {}},
        {"expansion passes through", Cone(true, 34.9, 34.9, 57), 1, {}},
        {"expansion narrows", Cone(true, 34.9, 34.8999, 57), 1, {RuleId::ExpansionWidens}},
        {"bend radius equal to tube radius", Bend(40, 0.02, 57), 1, {}},
        {"bend radius below tube radius", Bend(40, 0.019999, 57), 1, {RuleId::BendRadius}},
        {"bend in inches", English(Bend(1, 0.5, 57)), 1, {}},
        {"bend in inches, too tight", English(Bend(1, 0.4999, 57)), 1, {RuleId::BendRadius}},
        {"inclination 360", WithIncl(tube, 360), 1, {}},
        {"inclination -360", WithIncl(tube, -360), 1, {}},
        {"inclination 360.01", WithIncl(tube, 360.01), 1, {RuleId::Inclination}},
        {"inclination -400", WithIncl(tube, -400), 1, {RuleId::Inclination}},
        {"170 K", WithTemp(tube, -103.15), 1, {}},
        {"just below 170 K", WithTemp(tube, -103.16), 1, {RuleId::Temperature}},
        {"1900 K", WithTemp(tube, 1626.85), 1, {}},
        {"2000 degC", WithTemp(tube, 2000), 1, {RuleId::Temperature}},
        {"2960 degF", English(WithTemp(tube, 2960)), 1, {}},
        {"2961 degF", English(WithTemp(tube, 2961)), 1, {RuleId::Temperature}},
        {"10 kPa", WithPress(tube, 10), 1, {}},
        {"0.1 kPa", WithPress(tube, 0.1), 1, {RuleId::Pressure}},
        {"1000 kPa", WithPress(tube, 1000), 1, {}},
        {"1000.1 kPa", WithPress(tube, 1000.1), 1, {RuleId::Pressure}},
        {"146 psi", English(WithPress(tube, 146)), 1, {RuleId::Pressure}},
        {"two at once",
         WithPress(WithTemp(Nozzle(10, 34.9, 10, 57, 10), 3000), 5),
         1,
         {RuleId::InletFirst, RuleId::Temperature, RuleId::Pressure}},
    };
    for (const Case& c : cases) {
        std::vector<RuleId> got;
        for (const LineStructure::Rule* r : LineStructure::BrokenRules(c.comp, c.row))
            got.push_back(r->Id);
        EXPECT_EQ(got, c.broken) << c.what;
    }
}

TEST(LineStructureTest, FindingsNameTheComponentAndKeepTheInletText) {
    LodoList line{Tube(34.9, 1, 57), Nozzle(10, 34.9, 10, 57, 10), Cone(false, 20, 30, 57)};
    line[0].Name = "T-1";
    line[1].Name = "N-1";
    line[2].Name = "C-1";
    const auto f = LineStructure::Findings(line);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0], (LineStructure::Finding{
                        1, "N-1: an inlet can only be the first component of the line"}));
    EXPECT_EQ(f[1].Row, 2);
    EXPECT_TRUE(f[1].Text.starts_with("C-1: a contraction whose outlet is wider")) << f[1].Text;
    // A record of a type the evaluation does not know breaks no rule.
    TLodoComp odd = WithTemp(Tube(34.9, 1, 57), 5000);
    odd.NTypeInt = 9;
    EXPECT_TRUE(LineStructure::ComponentFindings(odd, 3).empty());
}

TEST(LineStructureTest, TheTableIsIndexedByItsIdsAndNamesTheFieldsItReads) {
    for (std::size_t i = 0; i < LineStructure::Rules.size(); ++i) {
        const LineStructure::Rule& r = LineStructure::Rules[i];
        EXPECT_EQ(static_cast<std::size_t>(r.Id), i);
        EXPECT_EQ(&LineStructure::RuleOf(r.Id), &r);
        EXPECT_FALSE(r.Text.empty());
        EXPECT_FALSE(r.Refusal.empty());
    }
    const auto& bend = LineStructure::RuleOf(RuleId::BendRadius);
    EXPECT_TRUE(LineStructure::ReadsField(bend, "Brd"));
    EXPECT_TRUE(LineStructure::ReadsField(bend, "Dia1"));
    EXPECT_FALSE(LineStructure::ReadsField(bend, "Dia"));
    EXPECT_FALSE(LineStructure::ReadsField(bend, "Dia2"));
}

} // namespace
