// The verdict over an operating range, and the operating points it is taken at.
#include "DesignTestLines.h"
#include "design/DesignVerdict.h"
#include "design/OperatingPoint.h"
#include "design/VerdictText.h"
#include "studies/engine/ParameterStudy.h"

#include <algorithm>
#include <fmt/format.h>
#include <gtest/gtest.h>

namespace {

using namespace Design;

LodoModel StackNozzle() {
    return DesignTest::LoadExample("stack-nozzle-line.lxl");
}

// The lowest system penetration [%] of a study's rows.
double LowestPent(const StudyOutcome& o) {
    return std::min_element(o.Rows.begin(), o.Rows.end(),
                            [](const StudyRow& a, const StudyRow& b) { return a.Pent < b.Pent; })
        ->Pent;
}

TEST(OperatingRange, WorstPointIsTheOneTheStudyFinds) {
    const LodoModel line = StackNozzle();
    OperatingRange range;
    range.StackVelocity = Interval{5.0, 20.0};
    const Verdict v = DesignVerdict(line.List, Criteria{}, range);
    ASSERT_TRUE(v.Range);
    ASSERT_EQ(v.Range->Points.size(), 3u); // 10 m/s (the line's own), 5, 20
    ASSERT_TRUE(v.Range->WorstSystem);
    const PointVerdict& worst = v.Range->Points[*v.Range->WorstSystem];

    // The same two ends by hand through the free-stream study, at 10 um.
    LodoModel study = line;
    const StudyOutcome o = FreeStreamAnalysis(study, 2, 5.0, 20.0);
    ASSERT_TRUE(o.Ran());
    EXPECT_DOUBLE_EQ(*worst.SystemPenetration * 100.0, LowestPent(o));
    EXPECT_EQ(*worst.Values.StackVelocity, 5.0);
    // The study's aspiration column at 20 m/s is the range's at its maximum.
    const auto at20 =
        std::find_if(v.Range->Points.begin(), v.Range->Points.end(),
                     [](const PointVerdict& p) { return p.Set.StackVelocity == 20.0; });
    ASSERT_NE(at20, v.Range->Points.end());
    EXPECT_DOUBLE_EQ(*at20->AspirationRatio, o.Rows[1].Asp);
    EXPECT_EQ(study.List, line.List); // the study gave the line back

    EXPECT_EQ(v.Range->Result, Outcome::Pass);
    EXPECT_EQ(RangeLine(v), "over the operating range: PASS, worst system penetration " +
                                fmt::format("{:.1f}", *worst.SystemPenetration * 100.0) +
                                " % at 5 m/s");
}

TEST(OperatingRange, FlowPointIsTheFlowStudysPoint) {
    const LodoModel line = StackNozzle();
    OperatingRange range;
    range.Flow = Interval{60.0, 113.3}; // the maximum is the line's own: evaluated once
    const Verdict v = DesignVerdict(line.List, Criteria{}, range);
    ASSERT_EQ(v.Range->Points.size(), 2u);
    LodoModel study = line;
    const StudyOutcome o = FlowAnalysis(study, 1, 60.0, 60.0);
    ASSERT_TRUE(o.Ran());
    EXPECT_EQ(*v.Range->Points[1].SystemPenetration * 100.0, o.Rows[0].Pent);
}

TEST(OperatingRange, EveryCombinationOfTheEnds) {
    const LodoModel line = StackNozzle();
    OperatingRange range;
    range.StackVelocity = Interval{5.0, 22.0};
    range.Flow = Interval{80.0, 140.0};
    range.Temperature = Interval{10.0, 60.0};
    const Verdict v = DesignVerdict(line.List, Criteria{}, range);
    ASSERT_EQ(v.Range->Points.size(), 27u);
    EXPECT_EQ(v.Range->Points[0].Set, OperatingPoint{}); // the line's own first
    EXPECT_EQ(v.Range->Points[0].SystemPenetration, v.Nominal.SystemPenetration);
    // 22 m/s aspirates too much: the design fails there, whatever it does elsewhere.
    EXPECT_EQ(v.Nominal.Result, Outcome::Pass);
    EXPECT_EQ(v.Result(), Outcome::Fail);
    ASSERT_TRUE(v.Range->WorstAspiration);
    const PointVerdict& worstAsp = v.Range->Points[*v.Range->WorstAspiration];
    EXPECT_EQ(*worstAsp.Values.StackVelocity, 22.0);
    for (const PointVerdict& p : v.Range->Points) {
        EXPECT_NE(p.Result, Outcome::NoVerdict) << p.Reason;
        EXPECT_EQ(p.Result == Outcome::Pass, p.Failed.empty());
    }
    const std::string text = RangeLine(v);
    EXPECT_EQ(text.rfind("over the operating range: FAIL at ", 0), 0u) << text;
    EXPECT_NE(text.find("worst aspiration ratio"), std::string::npos) << text;
}

TEST(OperatingRange, TemperatureIsSetOnEveryComponent) {
    const LodoModel line = StackNozzle();
    OperatingPoint hot;
    hot.Temperature = 80.0;
    auto m = ModelAt(line.List, hot, DistributionSetting{});
    ASSERT_TRUE(std::holds_alternative<LodoModel>(m));
    for (const TLodoComp& c : std::get<LodoModel>(m).List)
        EXPECT_EQ(Units::TempToC(c.Temp, c.TempUnit), 80.0);
}

TEST(OperatingRange, PointsTheLineCannotTakeAreRefused) {
    const LodoList tubeOnly = {TestLines::Tube(34.9, 1.0, 50.0)};
    OperatingPoint p;
    p.StackVelocity = 12.0;
    EXPECT_TRUE(PointRefusal(tubeOnly, p));
    EXPECT_TRUE(std::holds_alternative<std::string>(ModelAt(tubeOnly, p, {})));
    OperatingPoint d;
    d.Diameter = 20.0;
    EXPECT_TRUE(PointRefusal({TestLines::Nozzle(15.5, 34.9, 30.0, 113.3, 10.0)}, d));
    EXPECT_FALSE(PointRefusal(tubeOnly, d));

    OperatingRange bad;
    bad.Flow = Interval{100.0, 50.0};
    const Verdict v = DesignVerdict(StackNozzle().List, Criteria{}, bad);
    EXPECT_EQ(v.Result(), Outcome::NoVerdict);
}

TEST(OperatingRange, DiameterPointIsTheDiameterStudysPoint) {
    const LodoModel line = StackNozzle();
    OperatingPoint p;
    p.Diameter = 20.0;
    const auto at = ModelAt(line.List, p, DistributionSetting{});
    LodoModel study = line;
    const StudyOutcome o = DiaAnalysis(study, 1, 20.0, 20.0);
    ASSERT_TRUE(o.Ran());
    const LodoModel& m = std::get<LodoModel>(at);
    // The diameter study reports the line behind the nozzle.
    EXPECT_EQ(m.Ctx.SystemTrans / m.List[0].TransM1 * 100.0, o.Rows[0].Pent);
}

} // namespace
