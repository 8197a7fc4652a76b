#include "ModelTestLines.h"
#include "TestPrecision.h"

#include <gtest/gtest.h>
#include <random>

using namespace TestLines;

namespace {

// Nozzle (inlet 34.9 mm) -> tube -> contraction 34.9 to 23.2667 mm -> tube.
LodoModel NozzleContractionLine() {
    return Model({Nozzle(34.9, 34.9, 10, 57, 10), Tube(34.9, 1, 57),
                  Cone(false, 34.9, 34.9 / 1.5, 57), Tube(34.9 / 1.5, 1, 57)});
}

TEST(AlignList, DiameterEditRescalesUpstreamThroughTheContraction) {
    for (Operation refNum : {Operation::Editing, Operation::Adding}) {
        LodoModel m = NozzleContractionLine();
        m.Ctx.RefNum = refNum;
        m.List[3].Dia1 = m.List[3].Dia2 = 20.0;
        const AlignResult r = AlignList(m, 3);
        EXPECT_EQ(m.List[2].Dia2, 20.0);
        EXPECT_REL_NEAR(m.List[2].Dia1, 30.0, 1e-12);
        EXPECT_EQ(m.List[1].Dia1, m.List[2].Dia1);
        EXPECT_EQ(m.List[1].Dia2, m.List[2].Dia1);
        EXPECT_EQ(m.List[0].Dia2, m.List[2].Dia1);
        EXPECT_EQ(m.List[0].Dia1, 34.9);
        EXPECT_TRUE(r.FittingResized);
        EXPECT_EQ(r.ShowMessage7, refNum != Operation::Adding) << "message 7 only outside adding";
    }
}

TEST(AlignList, UnchangedLineReportsNothing) {
    LodoModel m = NozzleContractionLine();
    m.Ctx.RefNum = Operation::Editing;
    const AlignResult r = AlignList(m, 1);
    EXPECT_FALSE(r.FittingResized);
    EXPECT_FALSE(r.ShowMessage7);
    EXPECT_EQ(m.List[3].Dia1, 34.9 / 1.5);
}

TEST(AlignList, FlowAndPressureComeFromTheLeadingComponent) {
    LodoModel m = NozzleContractionLine();
    m.List[2].Flow = 2.0;
    m.List[2].FlowUnit = Units::English;
    m.List[2].Press = 14.0;
    m.List[2].PressUnit = Units::English;
    AlignList(m, 2);
    for (const TLodoComp& c : m.List) {
        EXPECT_EQ(c.Flow, 2.0);
        EXPECT_EQ(c.FlowUnit, Units::English);
        EXPECT_EQ(c.Press, 14.0);
        EXPECT_EQ(c.PressUnit, Units::English);
    }
}

TEST(AlignList, InchOutletIsCarriedWithItsUnit) {
    TLodoComp con = Cone(false, 34.9, 1.0, 57);
    con.Dia2Unit = Units::English;
    LodoModel m = Model({Tube(34.9, 1, 57), con, Tube(34.9, 1, 57), Tube(34.9, 1, 57)});
    const AlignResult r = AlignList(m, 1); // the contraction was edited
    EXPECT_FALSE(r.FittingResized);
    for (int i : {2, 3}) {
        EXPECT_EQ(m.List[i].Dia1, 1.0);
        EXPECT_EQ(m.List[i].Dia2, 1.0);
        EXPECT_EQ(m.List[i].Dia1Unit, Units::English);
        EXPECT_EQ(m.List[i].Dia2Unit, Units::English);
    }
}

TEST(AlignList, FittingKeepsItsRatioWhenItsInletUnitChanges) {
    // A tube in inches upstream: the expansion is rescaled to the same millimetres.
    TLodoComp t = Tube(1.0, 1, 57);
    t.Dia1Unit = t.Dia2Unit = Units::English;
    LodoModel m = Model({t, Cone(true, 25.4, 38.1, 57)});
    const AlignResult r = AlignList(m, 0);
    EXPECT_FALSE(r.FittingResized); // 1 in is 25.4 mm: the inlet did not change
    EXPECT_EQ(m.List[1].Dia1, 1.0);
    EXPECT_REL_NEAR(m.List[1].Dia2, 1.5, 1e-12);
    EXPECT_EQ(m.List[1].Dia2Unit, Units::English);
}

TEST(AlignList, ShroudedProbeKeepsItsCatalogueDiameters) {
    LodoModel m = Model({Shroud("RF2-111", 56.6, 10), Tube(34.9, 1, 56.6), Tube(34.9, 1, 56.6),
                         Tube(34.9, 1, 56.6)});
    m.Ctx.RefNum = Operation::Editing;
    m.List[3].Dia1 = m.List[3].Dia2 = 25.0;
    const AlignResult r = AlignList(m, 3);
    for (int i : {1, 2}) {
        EXPECT_EQ(m.List[i].Dia1, 25.0);
        EXPECT_EQ(m.List[i].Dia2, 25.0);
    }
    EXPECT_REL_NEAR(m.List[0].Dia1, 18.3, 1e-12);
    EXPECT_REL_NEAR(m.List[0].Dia2, 34.9, 1e-12);
    EXPECT_FALSE(r.ShowMessage7);
}

TEST(AlignList, FittingWithoutAUsableInletIsReported) {
    for (double inlet : {0.0, -5.0}) {
        LodoModel m = Model({Tube(30, 1, 57), Cone(false, inlet, 20, 57), Tube(20, 1, 57)});
        m.Ctx.RefNum = Operation::Editing;
        const AlignResult r = AlignList(m, 0);
        EXPECT_TRUE(r.FittingResized);
        EXPECT_TRUE(r.ShowMessage7);
        EXPECT_EQ(m.List[1].Dia1, 30.0);
        EXPECT_EQ(m.List[1].Dia2, 30.0); // ratio taken as 1
        EXPECT_EQ(m.List[2].Dia1, 30.0);
        for (const TLodoComp& c : m.List)
            EXPECT_FALSE(HasInvalidResult(c, false)) << c.Name;
    }
    // Upstream pass as well.
    LodoModel m = Model({Tube(30, 1, 57), Cone(true, 0.0, 20, 57), Tube(20, 1, 57)});
    const AlignResult r = AlignList(m, 2);
    EXPECT_TRUE(r.FittingResized);
    EXPECT_FALSE(r.ShowMessage7);
    EXPECT_EQ(m.List[1].Dia1, 20.0);
    EXPECT_EQ(m.List[0].Dia2, 20.0);
}

TEST(AlignList, EvaluatesEveryRowInOrder) {
    LodoModel m = NozzleContractionLine();
    AlignList(m, 0);
    double product = 1;
    for (const TLodoComp& c : m.List) {
        EXPECT_GT(c.TransM1, 0.0) << c.Name;
        product *= c.TransM1;
    }
    EXPECT_EQ(m.Ctx.SystemTrans, product);
    EXPECT_EQ(m.Display.IV[7].Name.Text, "Sed. Transmission:"); // the last row's panel
}

TEST(AlignList, EmptyLineAndBadIndexChangeNothing) {
    LodoModel empty;
    EXPECT_FALSE(AlignList(empty, 0).FittingResized);
    LodoModel m = NozzleContractionLine();
    const LodoList before = m.List;
    AlignList(m, 4);
    AlignList(m, -1);
    EXPECT_EQ(m.List, before);
}

} // namespace

namespace {

// Re-aligning a line that is already aligned resizes nothing, whichever row leads:
// a fitting's ratio taken and applied again may land a rounding step off, and that
// must not bring up the resize warning.
TEST(AlignList, RealigningAnAlignedLineReportsNothing) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> diameter(1.0, 100.0);
    int warned = 0;
    for (int t = 0; t < 2000; ++t) {
        double d = diameter(rng);
        LodoList list{Tube(d, 1, 57)};
        for (int k = 0; k < 6; ++k) {
            const unsigned kind = rng() % 3;
            if (kind == 0) {
                list.push_back(Tube(d, 1, 57));
            } else {
                const double out = diameter(rng);
                list.push_back(Cone(kind == 2, d, out, 57));
                d = out;
            }
            if (rng() % 4 == 0) {
                list.back().Dia2Unit = Units::English;
                list.back().Dia2 /= 25.4;
            }
        }
        LodoModel m = Model(list);
        m.Ctx.RefNum = Operation::Editing;
        AlignList(m, 0);
        for (int lead = 0; lead < static_cast<int>(list.size()); ++lead)
            warned += AlignList(m, lead).ShowMessage7;
    }
    EXPECT_EQ(warned, 0);
}

} // namespace
