// Thermophoretic penetration of a tube that cools the gas it carries.

#include "physics/Thermophoresis.h"

#include "PhysicsTestSupport.h"
#include "TestPrecision.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <gtest/gtest.h>

using LodoMath::TubeThermoTrans, LodoMath::Vel;

namespace {

constexpr double D = 10, kp = 1.4;

// 150 degC gas, 0.1 um particles, 10 mm tube, wall at 25 degC, computed independently
// (Python, double precision) from the published forms: Hausen's laminar and Gnielinski's
// turbulent mean Nusselt numbers, the outlet temperature of a tube with a wall at uniform
// temperature (Incropera & DeWitt, section 8.3), Talbot et al. (1980) for Kth with
// kg of White (Table 1-3) and cp of Cengel & Boles (Table A-2c), and the penetration
// (Tout/Tin)^(Pr Kth) of Romay et al. (1998).
TEST(Thermophoresis, IndependentlyComputedCases) {
    const struct {
        double Q, L, Tout, P;
    } rows[] = {
        {10, 1, 30.735505, 0.88291177},   // laminar, Re 744: nearly full cooling
        {60, 1, 43.150842, 0.89631048},   // turbulent, Re 4464
        {60, 0.2, 109.97817, 0.96331776}, // short turbulent tube
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.Q << " L/min, " << r.L << " m");
        const double V = Vel(D, r.Q);
        EXPECT_REL_NEAR(LodoMath::TubeOutletGasTemp(150, P0, V, D, r.L, 25), r.Tout, 1e-7);
        EXPECT_REL_NEAR(TubeThermoTrans(150, P0, 0.1, V, D, r.L, 25, kp), r.P, 1e-7);
    }
    EXPECT_REL_NEAR(LodoMath::ThermophoreticCoeff(150, P0, 0.1, kp), 0.54342477, 1e-7);
    EXPECT_REL_NEAR(LodoMath::PrandtlNo(150), 0.692161, 2e-6);
}

TEST(Thermophoresis, NoLossUnlessTheWallIsColder) {
    const double V = Vel(D, 10);
    EXPECT_EQ(TubeThermoTrans(150, P0, 0.1, V, D, 1, 150, kp), 1.0);
    EXPECT_EQ(TubeThermoTrans(150, P0, 0.1, V, D, 1, 300, kp), 1.0);
    EXPECT_EQ(TubeThermoTrans(150, P0, 0.1, V, D, 0, 25, kp), 1.0);
}

TEST(Thermophoresis, FallsAsTheWallCoolsTowardItsFullCoolingLimit) {
    for (double Q : {10.0, 30.0, 60.0}) {
        SCOPED_TRACE(Q);
        const double V = Vel(D, Q);
        double last = 1;
        for (double Tw = 140; Tw >= -40; Tw -= 20) {
            const double p = TubeThermoTrans(150, P0, 0.1, V, D, 1, Tw, kp);
            EXPECT_LT(p, last);
            last = p;
        }
    }
    // A tube long enough to bring the gas to the wall: (Tw/Tin)^(Pr Kth).
    const double Pr = LodoMath::PrandtlNo(150);
    const double Kth = LodoMath::ThermophoreticCoeff(150, P0, 0.1, kp);
    const double full = std::pow((25 + 273.15) / (150 + 273.15), Pr * Kth);
    EXPECT_NEAR(TubeThermoTrans(150, P0, 0.1, Vel(D, 10), D, 50, 25, kp), full, 1e-6);
}

TEST(Thermophoresis, NusseltNumbersOfTheTwoRegimes) {
    // A long laminar tube is fully developed; a short one has its entrance length.
    EXPECT_NEAR(LodoMath::NuLaminar(1000, 0.7, 1e6), 3.66, 1e-4);
    EXPECT_GT(LodoMath::NuLaminar(1000, 0.7, 10), 5.0);
    // Gnielinski at Re 1e4, Pr 0.7: f = 0.03148, Nu = 29.82.
    EXPECT_NEAR(LodoMath::NuTurbulent(1e4, 0.7), 29.82, 0.01);
}

} // namespace
