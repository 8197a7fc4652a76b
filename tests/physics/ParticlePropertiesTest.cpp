// Aerodynamic and volume-equivalent diameters of particles that are not unit-density
// spheres, and the diffusion coefficient of their mobility.

#include "physics/ParticleProperties.h"

#include "PhysicsTestSupport.h"
#include "TestPrecision.h"
#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <gtest/gtest.h>

using LodoMath::AerodynamicDiameter, LodoMath::VolumeEquivalentDiameter, LodoMath::SlipCorr;

namespace {

// Rho0 da^2 Cc(da) - RhoPart dve^2 Cc(dve) / chi, relative to its terms.
double Residual(double da, double dve, double rho, double chi) {
    const double lhs = 1000 * da * da * SlipCorr(da, T20, P0);
    const double rhs = rho * dve * dve * SlipCorr(dve, T20, P0) / chi;
    return std::fabs(lhs - rhs) / rhs;
}

// The relation solved independently by bisection (Python, 300 halvings) with the
// slip correction and mean free path of the program at 20 degC and 101.325 kPa.
TEST(ParticleProperties, CheckValues) {
    const struct {
        bool toAerodynamic;
        double from, rho, expected;
    } rows[] = {
        {true, 1.0, 2500, 1.6230539736931315},   // dve 1 um -> da 1.6231 um
        {false, 10.0, 4000, 4.9622679663442195}, // da 10 um -> dve 4.9623 um
        {false, 0.1, 2500, 0.04628878644265784}, // da 0.1 um -> dve 0.046289 um
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.from);
        const double got = r.toAerodynamic ? AerodynamicDiameter(r.from, r.rho, 1, T20, P0)
                                           : VolumeEquivalentDiameter(r.from, r.rho, 1, T20, P0);
        EXPECT_REL_NEAR(got, r.expected, 1e-12);
    }
}

TEST(ParticleProperties, SolvedToTwelveDigitsBothWaysOverTheWholeRange) {
    for (double d : {0.001, 0.01, 0.1, 1.0, 10.0, 100.0, 1000.0})
        for (double rho : {100.0, 500.0, 2500.0, 25000.0})
            for (double chi : {1.0, 1.4, 5.0}) {
                SCOPED_TRACE(testing::Message() << d << " " << rho << " " << chi);
                const double da = AerodynamicDiameter(d, rho, chi, T20, P0);
                EXPECT_LT(Residual(da, d, rho, chi), 1e-12);
                const double dve = VolumeEquivalentDiameter(d, rho, chi, T20, P0);
                EXPECT_LT(Residual(d, dve, rho, chi), 1e-12);
                EXPECT_REL_NEAR(AerodynamicDiameter(dve, rho, chi, T20, P0), d, 1e-12);
            }
}

TEST(ParticleProperties, LargeSizesScaleWithTheRootOfDensityOverShape) {
    // Slip vanishes: da -> dve sqrt(RhoPart / (Rho0 chi)).
    const double dve = 1000;
    const double da = AerodynamicDiameter(dve, 4000, 1.5, T20, P0);
    EXPECT_REL_NEAR(da, dve * std::sqrt(4000 / (1000 * 1.5)), 1e-4);
}

TEST(ParticleProperties, UnitDensitySpheresAreTheIdentity) {
    for (double d : {0.001, 0.1, 10.0, 1000.0}) {
        EXPECT_EQ(AerodynamicDiameter(d, 1000, 1, T20, P0), d);
        EXPECT_EQ(VolumeEquivalentDiameter(d, 1000, 1, T20, P0), d);
        // Density and shape that cancel give the same size, not the same mobility.
        EXPECT_EQ(VolumeEquivalentDiameter(d, 2000, 2, T20, P0), d);
    }
    EXPECT_TRUE(std::isnan(AerodynamicDiameter(0, 2500, 1, T20, P0)));
    EXPECT_TRUE(std::isnan(VolumeEquivalentDiameter(1, -1, 1, T20, P0)));
}

TEST(ParticleProperties, DiffusionFollowsTheVolumeEquivalentSize) {
    namespace K = LodoMath::Kernels;
    const K::AirState air = K::MakeAir(T20, P0);
    LodoMath::ParticleProperties dense;
    dense.Density = 2500;
    const K::SizeState s = K::MakeSize(air, 0.1, dense);
    const double dve = VolumeEquivalentDiameter(0.1, 2500, 1, T20, P0);
    // Diffusion at density RhoPart is the unit-density diffusion of dve ...
    EXPECT_REL_NEAR(s.Dc, LodoMath::DiffCoeff(T20, P0, dve), 1e-15);
    // ... 4.03 times the unit-density value at da 0.1 um (the Stokes-Einstein ratio
    // Cc(dve) da / (Cc(da) dve) of the values above).
    EXPECT_NEAR(s.Dc / LodoMath::DiffCoeff(T20, P0, 0.1), 4.03304, 5e-5);
    // ... while settling at a fixed aerodynamic size does not change with density.
    EXPECT_EQ(s.Vt, K::MakeSize(air, 0.1).Vt);
    EXPECT_EQ(s.p.Cc, K::MakeSize(air, 0.1).p.Cc);

    // A shape factor lowers the mobility: D = k T Cc(dve) / (3 pi mu chi dve).
    EXPECT_REL_NEAR(LodoMath::DiffCoeffVe(T20, P0, 0.2, 1.5),
                    LodoMath::DiffCoeff(T20, P0, 0.2) / 1.5, 1e-15);
}

TEST(ParticleProperties, UnitDensitySpheresTakeTheVeryStateOfTheEnteredSize) {
    namespace K = LodoMath::Kernels;
    const K::AirState air = K::MakeAir(T20, P0);
    LodoMath::ParticleProperties physical;
    physical.Sizes = LodoMath::SizeType::Physical;
    for (const LodoMath::ParticleProperties& pp : {LodoMath::ParticleProperties{}, physical}) {
        const K::SizeState a = K::MakeSize(air, 0.3, pp), b = K::MakeSize(air, 0.3);
        EXPECT_EQ(a.Dc, b.Dc);
        EXPECT_EQ(a.ScCbrt, b.ScCbrt);
        EXPECT_EQ(a.Vt, b.Vt);
        EXPECT_EQ(a.p.Cc, b.p.Cc);
    }
    // Physical sizes of a dense particle: inertia sees the larger aerodynamic size.
    LodoMath::ParticleProperties dense = physical;
    dense.Density = 2500;
    EXPECT_REL_NEAR(K::MakeParticle(air, 1.0, dense).Dp, 1.6230539736931315, 1e-12);
}

} // namespace
