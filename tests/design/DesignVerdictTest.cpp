// The design verdict at the line's own operating point.
#include "design/DesignVerdict.h"

#include "DesignTestLines.h"
#include "design/VerdictText.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace Design;
using DesignTest::NozzleAndTube;

struct Case {
    const char* Name;
    LodoList Line;
    Outcome Expected;
    std::vector<Criterion> Failed;
};

TEST(DesignVerdict, JudgesEachCriterionAtTheReferenceSize) {
    using namespace TestLines;
    LodoList withoutInlet = {Tube(34.9, 1.0, 113.3)};
    LodoList notFinite = NozzleAndTube(10.0, 1.0);
    notFinite[1].Temp = -300.0; // no air below absolute zero
    const std::vector<Case> cases = {
        {"isokinetic nozzle, short tube", NozzleAndTube(10.0, 1.0), Outcome::Pass, {}},
        {"sub-isokinetic: too much aspirated",
         NozzleAndTube(25.0, 1.0),
         Outcome::Fail,
         {Criterion::AspirationRatio}},
        {"long horizontal tube",
         NozzleAndTube(10.0, 40.0, 10.0),
         Outcome::Fail,
         {Criterion::TransportPenetration, Criterion::SystemPenetration}},
        {"no inlet",
         withoutInlet,
         Outcome::Fail,
         {Criterion::AspirationRatio, Criterion::SystemPenetration}},
        {"a result that is not finite", notFinite, Outcome::NoVerdict, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const LodoList before = c.Line;
        const Verdict v = DesignVerdict(c.Line, Criteria{}, OperatingRange{});
        EXPECT_EQ(v.Result(), c.Expected) << v.Nominal.Reason;
        EXPECT_EQ(v.Nominal.Failed, c.Failed);
        EXPECT_EQ(c.Line, before); // pure: the caller's line is not evaluated
        if (v.Nominal.AspirationRatio && v.Result() != Outcome::NoVerdict) {
            EXPECT_NEAR(*v.Nominal.SystemPenetration,
                        *v.Nominal.AspirationRatio * v.Nominal.TransportPenetration, 1e-15);
        }
    }
}

TEST(DesignVerdict, OverSamplingDoesNotHideTheLossesOfTheLine) {
    // The aspiration ratio above 1.5 lifts the system penetration over 100 %.
    const Verdict v = DesignVerdict(NozzleAndTube(30.0, 1.0), Criteria{}, OperatingRange{});
    ASSERT_TRUE(v.Nominal.SystemPenetration);
    EXPECT_GT(*v.Nominal.AspirationRatio, 1.5);
    EXPECT_GT(*v.Nominal.SystemPenetration, 1.0);
    EXPECT_LT(v.Nominal.TransportPenetration, 1.0);
    EXPECT_EQ(v.Result(), Outcome::Fail);
    EXPECT_EQ(v.Nominal.Failed, std::vector<Criterion>{Criterion::AspirationRatio});
}

TEST(DesignVerdict, NoInletIsNeverAPass) {
    using namespace TestLines;
    const Verdict v = DesignVerdict({Tube(34.9, 0.1, 113.3)}, Criteria{}, OperatingRange{});
    EXPECT_EQ(v.Result(), Outcome::Fail);
    EXPECT_EQ(v.Nominal.Reason, NoInletText);
    EXPECT_FALSE(v.Nominal.AspirationRatio);
    EXPECT_EQ(VerdictLine(v), "ANSI N13.1 at 10 \u00B5m: FAIL \u2014 no inlet: the aspiration "
                              "criterion cannot be shown; transport 99.4 % (\u2265 50 %)");
}

TEST(DesignVerdict, IsWithheldWhileTheGeometryIsInconsistent) {
    LodoList line = NozzleAndTube(10.0, 1.0);
    line.push_back(line[0]); // a second inlet, behind the tube
    const Verdict v = DesignVerdict(line, Criteria{}, OperatingRange{});
    EXPECT_EQ(v.Result(), Outcome::NoVerdict);
    EXPECT_NE(v.Withheld.find("inconsistent"), std::string::npos);
    EXPECT_NE(VerdictLine(v).find("no verdict"), std::string::npos);
}

TEST(DesignVerdict, NominalFiguresAreThoseOfTheMonoEvaluationBitForBit) {
    LodoModel m = DesignTest::LoadExample("stack-nozzle-line.lxl");
    const Verdict v = DesignVerdict(m.List, Criteria{}, OperatingRange{});
    EXPECT_EQ(*v.Nominal.SystemPenetration, m.Ctx.SystemTrans);
    EXPECT_EQ(*v.Nominal.AspirationRatio, m.List[0].TransM2);
    EXPECT_EQ(v.Result(), Outcome::Pass);
    EXPECT_EQ(VerdictLine(v), "ANSI N13.1 at 10 \u00B5m: PASS \u2014 aspiration ratio 1.000 "
                              "(0.8 to 1.5), transport 64.5 % (\u2265 50 %), system 64.5 % "
                              "(\u2265 50 %)");
}

// The stack-nozzle example in a 22 m/s stack aspirates too many 10 um particles and
// about the right number of 1 um ones; the verdict is the 10 um one whatever the
// user looks at.
TEST(DesignVerdict, IsTakenAtTheReferenceSizeWhateverDescriptionIsSelected) {
    LodoModel m = DesignTest::LoadExample("stack-nozzle-line.lxl");
    m.List[0].FStream = 22.0;
    const std::vector<DistributionSetting> descriptions = {
        {1.0f, 5.0f, 2.5f, Distribution::Mono},
        {10.0f, 5.0f, 2.5f, Distribution::Mono},
        {10.0f, 20.0f, 3.0f, Distribution::LogNormal},
        {10.0f, 1.0f, 1.5f, Distribution::LogNormal},
    };
    for (const DistributionSetting& d : descriptions) {
        const Verdict v = DesignVerdict(m.List, Criteria{}, OperatingRange{}, d);
        EXPECT_EQ(v.Result(), Outcome::Fail);
        EXPECT_EQ(v.Nominal.Failed, std::vector<Criterion>{Criterion::AspirationRatio});
        EXPECT_NEAR(*v.Nominal.AspirationRatio, 1.565, 0.0005);
    }
    Criteria at1um;
    at1um.ReferenceSize = 1.0;
    const Verdict small = DesignVerdict(m.List, at1um, OperatingRange{});
    EXPECT_EQ(small.Result(), Outcome::Pass);
    EXPECT_EQ(VerdictLine(small).rfind("criteria of this line (not the ANSI N13.1 defaults) at 1 "
                                       "\u00B5m: PASS",
                                       0),
              0u);
}

TEST(DesignVerdict, CriteriaAreData) {
    const LodoList line = NozzleAndTube(10.0, 1.0);
    Criteria strict;
    strict.MinSystemPenetration = 0.999;
    const Verdict v = DesignVerdict(line, strict, OperatingRange{});
    EXPECT_EQ(v.Nominal.Failed, std::vector<Criterion>{Criterion::SystemPenetration});
    EXPECT_EQ(CriteriaLimits(strict),
              "aspiration ratio 0.8 to 1.5, transport \u2265 50 %, system \u2265 99.9 %");

    Criteria nonsense;
    nonsense.MinAspirationRatio = 2.0; // above the maximum
    EXPECT_EQ(DesignVerdict(line, nonsense, OperatingRange{}).Result(), Outcome::NoVerdict);
}

} // namespace
