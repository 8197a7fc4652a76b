// Evaluation of particles that are not unit-density spheres, and of tubes and bends
// whose wall cools the gas.

#include "ModelTestLines.h"
#include "model/EvalTerms.h"
#include "model/LodoModel.h"
#include "model/PanelText.h"
#include "physics/LodoMath.h"
#include "physics/Thermophoresis.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace TestLines;

namespace {

LodoMath::ParticleProperties Dense(LodoMath::SizeType sizes) {
    LodoMath::ParticleProperties pp;
    pp.Density = 2500;
    pp.ShapeFactor = 1.2;
    pp.Sizes = sizes;
    return pp;
}

LodoList MixedLine() {
    LodoList l{Nozzle(12.0, 20.0, 30.0, 40.0, 12.0), Tube(20.0, 2.5, 40.0, 30.0),
               Bend(20.0, 0.2, 40.0, 60.0), Cone(false, 20.0, 12.0, 40.0, 20.0),
               Tube(12.0, 3.0, 40.0)};
    l[4].WallTemp = 0.0;
    l[4].WallTempUnit = Units::Metric;
    return l;
}

// The log-normal method visits its size classes with the same per-size transmission as
// the monodisperse evaluation at that size: the mass penetration of a first component
// is the sum over its classes of what Mono gives there.
TEST(RealAerosol, LogNormalUsesTheMonodisperseValueOfEachClass) {
    for (const LodoMath::SizeType type :
         {LodoMath::SizeType::Aerodynamic, LodoMath::SizeType::Physical}) {
        LodoModel m = Model({Tube(4.0, 6.0, 2.0)}, "LogNormal");
        m.Ctx.MDp = 0.3f;
        m.Ctx.DpSD = 2.0f;
        m.Ctx.Particle = Dense(type);
        m.Ctx.Particle.ThermalConductivity = 0.3;
        m.List[0].Temp = 120.0;
        m.List[0].WallTemp = 20.0;
        m.List[0].WallTempUnit = Units::Metric;
        AlignList(m, 0);
        const float cube = m.Ctx.DpSD * m.Ctx.DpSD * m.Ctx.DpSD;
        const float low = m.Ctx.MDp / cube, step = (m.Ctx.MDp * cube - low) / 50.0f;
        double prev = 0, mIn = 0, mOut = 0;
        float dp = low;
        for (int k = 0; k < 50; ++k, dp = dp + step) {
            LodoModel mono = m;
            mono.Ctx.DType = Distribution::Mono;
            mono.Ctx.Dp = dp;
            CalcNodeTrans(mono, 0);
            const double F = LodoMath::LogNormalCDF(dp, m.Ctx.MDp, m.Ctx.DpSD);
            const double vol = 4.1887902047863905 * std::pow(1e-6 * dp / 2, 3);
            mIn += vol * (F - prev) * 1000;
            mOut += vol * (F - prev) * mono.List[0].TransM1 * 1000;
            prev = F;
        }
        EXPECT_DOUBLE_EQ(m.List[0].MTrans, mOut / mIn);
        EXPECT_LT(m.List[0].TransTh, 1.0);
    }
}

TEST(RealAerosol, DefaultsShowNoExtraRowsAndRealParticlesShowBothDiameters) {
    LodoModel m = Model({Tube(10.0, 1.0, 10.0)}, "Mono", 0.1f);
    AlignList(m, 0);
    EXPECT_TRUE(m.Display.Extra.empty());
    m.Ctx.Particle = Dense(LodoMath::SizeType::Aerodynamic);
    AlignList(m, 0);
    ASSERT_EQ(m.Display.Extra.size(), 2u);
    EXPECT_EQ(m.Display.Extra[0].Name.Text, "Aerodynamic Diameter:");
    EXPECT_EQ(m.Display.Extra[0].Value.Text, "0.1000  µm");
    EXPECT_EQ(m.Display.Extra[1].Name.Text, "Volume-Equivalent Diameter:");
    const double dve = LodoMath::VolumeEquivalentDiameter(0.1, 2500, 1.2, 20, 101.325);
    EXPECT_EQ(m.Display.Extra[1].Value.Text, PanelText::Fixed(dve, 4) + "  µm");
}

TEST(RealAerosol, AWallNotColderThanTheGasChangesNothing) {
    for (const double wall : {20.0, 68.0 /*degF: the gas temperature*/, 150.0}) {
        LodoModel plain = Model(MixedLine(), "Mono", 0.05f);
        plain.List[4].WallTemp.reset();
        LodoModel walled = Model(MixedLine(), "Mono", 0.05f);
        walled.List[4].WallTemp = wall;
        walled.List[4].WallTempUnit = wall == 68.0 ? Units::English : Units::Metric;
        walled.List[2].WallTemp = wall;
        walled.List[2].WallTempUnit = walled.List[4].WallTempUnit;
        AlignList(plain, 0);
        AlignList(walled, 0);
        for (std::size_t i = 0; i < plain.List.size(); ++i) {
            EXPECT_EQ(walled.List[i].TransM1, plain.List[i].TransM1) << i;
            EXPECT_EQ(walled.List[i].TransTh, 1.0) << i;
        }
        EXPECT_EQ(walled.Ctx.SystemTrans, plain.Ctx.SystemTrans);
    }
}

TEST(RealAerosol, ColdWallsTakeTheirThermophoreticShare) {
    LodoModel m = Model(MixedLine(), "Mono", 0.05f);
    for (TLodoComp& c : m.List)
        c.Temp = 150.0;
    m.List[2].WallTemp = 25.0;
    m.List[2].WallTempUnit = Units::Metric;
    AlignList(m, 0);
    const double V = LodoMath::Vel(12.0, 40.0);
    const double kp = LodoMath::DefaultThermalConductivity;
    const TLodoComp& tube = m.List[4];
    const double d = 0.05f; // the evaluation holds sizes in single precision
    EXPECT_EQ(tube.TransTh, LodoMath::TubeThermoTrans(150, 101.325, d, V, 12.0, 3.0, 0, kp));
    EXPECT_EQ(tube.TransM1, tube.TransM2 * tube.TransM3 * tube.TransM4 * tube.TransTh);
    // The bend is a tube of its centreline length.
    const TLodoComp& bend = m.List[2];
    const double centreline = 0.2 * std::numbers::pi * 60.0 / 180.0;
    EXPECT_DOUBLE_EQ(bend.TransTh,
                     LodoMath::TubeThermoTrans(150, 101.325, d, LodoMath::Vel(20.0, 40.0), 20.0,
                                               centreline, 25, kp));
    EXPECT_LT(bend.TransTh, 1.0);
    // The panel of the last row shows the gas it cools.
    ASSERT_FALSE(m.Display.Extra.empty());
    EXPECT_EQ(m.Display.Extra[2].Name.Text, "Outlet Gas Temperature:");
    const auto terms = TermsOf(m, 4);
    ASSERT_TRUE(terms && terms->Thermo);
    EXPECT_EQ(m.Display.Extra[2].Value.Text, PanelText::Fixed(terms->Thermo->Gas.Tout, 2) + "  °C");
    EXPECT_EQ(terms->Trans, tube.TransM1);
}

} // namespace
