// Air properties, particle mechanics and dimensionless groups.

#include "PhysicsTestSupport.h"
#include "TestPrecision.h"
#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using LodoMath::AirDensity, LodoMath::AirMFP, LodoMath::AirVis, LodoMath::DiffCoeff,
    LodoMath::RelaxNo, LodoMath::ResTime, LodoMath::ReynoldsNo, LodoMath::SchmidtNo,
    LodoMath::SettleVel, LodoMath::ShHigh, LodoMath::ShLow, LodoMath::SlipCorr, LodoMath::StkNo,
    LodoMath::TArea, LodoMath::TConv, LodoMath::Tr, LodoMath::Vel, LodoMath::Vis, LodoMath::VPlus;
namespace Kernels = LodoMath::Kernels;

namespace {

struct NamedValue {
    std::string what;
    double actual;
    double expected;
};

// Values of the property formulas as defined, evaluated independently at 20 degC and
// 101.325 kPa to six significant digits (five for the diffusion coefficient): the ideal
// gas, Sutherland's law for the viscosity, the kinetic-theory mean free path, the
// Cunningham slip correction 1 + (lambda/d)(2.34 + 1.05 exp(-0.39 d/lambda)) in the form
// Hinds (1999) gives, Stokes-Einstein diffusion, and the Reynolds and Stokes numbers
// (StkNo is 2 tau V / D, twice Hinds' tau V / D).
TEST(AirProperties, ReferenceValuesAt20CAndStandardPressure) {
    const double V = Vel(10, 10);
    const NamedValue cases[] = {
        {"AirDensity", AirDensity(T20, P0), 1.20398},
        {"AirVis", AirVis(T20), 1.81357e-5},
        {"AirMFP", AirMFP(T20, P0), 0.0652405},
        {"SlipCorr 1 um", SlipCorr(1, T20, P0), 1.15284},
        {"SlipCorr 0.1 um", SlipCorr(0.1, T20, P0), 2.90341},
        {"SchmidtNo 0.1 um", SchmidtNo(T20, P0, 0.1), 21908.9},
        {"Vel 10 mm 10 L/min", V, 2.12207},
        {"ReynoldsNo", ReynoldsNo(V, 10, T20, P0), 1408.79},
        {"StkNo 10 um", StkNo(T20, P0, 10, V, 10), 0.131996},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_REL_NEAR(c.actual, c.expected, TestPrecision::SixDigits);
    }
    EXPECT_REL_NEAR(DiffCoeff(T20, P0, 0.1), 6.8753e-10, TestPrecision::FiveDigits);
}

// The same quantities against the textbook: Hinds, Aerosol Technology (2nd ed.,
// 1999), Table A.11 (particle properties at 293 K and 101 kPa, unit density) and
// Appendix A.2 (air at 20 degC). The program's constants differ slightly from the
// book's (mean free path 0.0652 against 0.066 um), hence the few percent allowed.
TEST(AirProperties, AgreeWithTheTextbookTables) {
    const NamedValue cases[] = {
        {"AirDensity", AirDensity(T20, P0), 1.205},
        {"AirVis", AirVis(T20), 1.81e-5},
        {"AirMFP", AirMFP(T20, P0), 0.066},
        {"SlipCorr 0.1 um", SlipCorr(0.1, T20, P0), 2.91},
        {"SlipCorr 1 um", SlipCorr(1, T20, P0), 1.168},
        {"SlipCorr 10 um", SlipCorr(10, T20, P0), 1.017},
        {"SettleVel 1 um", SettleVel(T20, 1, P0, 1, 1, 10, 0), 3.48e-5},
        {"SettleVel 10 um", SettleVel(T20, 10, P0, 1, 1, 10, 0), 3.06e-3},
        {"DiffCoeff 0.1 um", DiffCoeff(T20, P0, 0.1), 6.75e-10},
        {"DiffCoeff 1 um", DiffCoeff(T20, P0, 1), 2.74e-11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_REL_NEAR(c.actual, c.expected, 0.03);
    }
}

TEST(AirProperties, PressureScaling) {
    EXPECT_GT(SlipCorr(1, T20, P0), SlipCorr(1, T20, 2 * P0)); // shorter mean free path
    EXPECT_REL_NEAR(AirDensity(T20, 2 * P0), 2 * AirDensity(T20, P0), 1e-15);
    EXPECT_REL_NEAR(AirMFP(T20, 2 * P0), AirMFP(T20, P0) / 2, 1e-15);
    // Sutherland's reference point: mu(Tr) = Vis.
    EXPECT_REL_NEAR(AirVis(Tr - TConv), Vis, 1e-15);
}

TEST(AirProperties, TubeAreaAndVelocityAgree) {
    EXPECT_REL_NEAR(TArea(2), 3.141592653589793, 1e-15);
    // Q/60000 [m3/s] through the area of D [mm] in m2.
    EXPECT_REL_NEAR(Vel(25, 57) * TArea(0.025), 57.0 / 60000, 1e-14);
}

TEST(AirProperties, SchmidtAndSherwoodNumbersFollowTheirDefinitions) {
    const double Dc = DiffCoeff(T20, P0, 0.5);
    EXPECT_REL_NEAR(SchmidtNo(T20, P0, 0.5), AirVis(T20) / (AirDensity(T20, P0) * Dc), 1e-14);
    // Laminar Sherwood number tends to 3.66 far down a long tube (large xi).
    EXPECT_NEAR(ShLow(T20, P0, 0.01, 1e6, 1), 3.66, 1e-3);
    EXPECT_GT(ShLow(T20, P0, 0.01, 0.01, 10), 3.66);
    const double V = Vel(10, 30);
    EXPECT_REL_NEAR(ShHigh(T20, P0, 0.1, V, 10),
                    0.0118 * std::pow(ReynoldsNo(V, 10, T20, P0), 0.875) *
                        std::cbrt(SchmidtNo(T20, P0, 0.1)),
                    1e-14);
}

// Terminal settling velocities at 20 degC and 101.325 kPa, evaluated independently to
// five significant digits: Stokes' law with slip for 1 and 10 um, the iteration on the
// Schiller & Naumann (1933) drag coefficient for 100 um (particle Reynolds number about 2).
TEST(SettleVel, ReferenceValuesThreeSizes) {
    const struct {
        double Dp, expected;
    } cases[] = {{1, 3.46336e-5}, {10, 3.05007e-3}, {100, 0.24803}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Dp);
        EXPECT_REL_NEAR(SettleVel(T20, c.Dp, P0, 1, 1, 10, 0), c.expected,
                        TestPrecision::FiveDigits);
    }
}

TEST(SettleVel, TubeArgumentsDoNotEnter) {
    const double a = SettleVel(T20, 50, P0, 1, 1, 10, 0);
    EXPECT_EQ(a, SettleVel(T20, 50, P0, 7, 0.3, 55, 1.2));
}

TEST(SettleVel, DragBranchIsSlowerThanStokesLaw) {
    // Above a particle Reynolds number of 1 form drag slows the particle below Stokes' law.
    const auto air = Kernels::MakeAir(T20, P0);
    const auto p = Kernels::MakeParticle(air, 100);
    EXPECT_LT(SettleVel(T20, 100, P0, 1, 1, 10, 0), Kernels::StokesSettleVel(air, p));
}

// The drag iteration converges in fewer than 20 passes from 0.001 um to 10 mm,
// -40 to 500 degC and 10 to 1000 kPa.
TEST(SettleVel, DragIterationConvergesQuicklyOverTheWholeRange) {
    int worst = 0;
    for (double T : {-40.0, 0.0, 20.0, 150.0, 500.0}) {
        for (double P : {10.0, 50.0, 101.325, 400.0, 1000.0}) {
            for (double Dp = 0.001; Dp <= 10000.0; Dp *= 1.5) {
                const auto air = Kernels::MakeAir(T, P);
                const auto p = Kernels::MakeParticle(air, Dp);
                const auto drag = Kernels::SettleDrag(air, p, Kernels::StokesSettleVel(air, p));
                ASSERT_TRUE(drag.converged) << T << " " << P << " " << Dp;
                worst = std::max(worst, drag.passes);
                const double Vt = SettleVel(T, Dp, P, 1, 1, 10, 0);
                ASSERT_TRUE(std::isfinite(Vt) && Vt > 0) << T << " " << P << " " << Dp;
            }
        }
    }
    EXPECT_LT(worst, 20);
}

// Degenerate inputs abandon or poison the drag iteration: the result falls back to the
// Stokes velocity when that is usable, else 0 - never NaN, infinite or negative.
TEST(SettleVel, DegenerateInputsGiveFiniteNonNegativeVelocity) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        double T, Dp, P;
    } cases[] = {
        {"zero size", T20, 0, P0},
        {"NaN size", T20, nan, P0},
        {"infinite size", T20, inf, P0},
        {"negative size", T20, -10, P0},
        {"zero pressure", T20, 10, 0},
        {"NaN temperature", nan, 10, P0},
        {"below absolute zero", -300, 10, P0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const double Vt = SettleVel(c.T, c.Dp, c.P, 1, 1, 10, 0);
        EXPECT_TRUE(std::isfinite(Vt));
        EXPECT_GE(Vt, 0.0);
    }
}

// V+ is piecewise in tau+: 0 below 0.3, the quadratic from 0.3 to 12.9 inclusive, 0.1
// above. The tau+ of a size scales with Dp^2 Cc, so bracket each boundary by bisection.
TEST(VPlus, BranchBoundaries) {
    const double D = 10, V = Vel(D, 30);
    const double Re = ReynoldsNo(V, D, T20, P0);
    auto tauAt = [&](double Dp) { return RelaxNo(T20, P0, Dp, V, D); };
    // Sizes bracketing tau: below(lo) and not below(hi), for the comparison given.
    auto sizeFor = [&](double tau, auto below) {
        double lo = 0.01, hi = 1000;
        for (int i = 0; i < 200; ++i) {
            const double mid = std::sqrt(lo * hi);
            (below(tauAt(mid), tau) ? lo : hi) = mid;
        }
        return std::pair{lo, hi};
    };
    const auto [below03, above03] = sizeFor(0.3, [](double a, double b) { return a < b; });
    ASSERT_LT(tauAt(below03), 0.3);
    ASSERT_GE(tauAt(above03), 0.3);
    EXPECT_EQ(VPlus(T20, P0, below03, V, D), 0.0);
    const double t03 = tauAt(above03);
    EXPECT_REL_NEAR(VPlus(T20, P0, above03, V, D), 0.0006 * t03 * t03 + 2e-8 * Re, 1e-12);

    const auto [below129, above129] = sizeFor(12.9, [](double a, double b) { return a <= b; });
    const double t129 = tauAt(below129);
    ASSERT_LE(t129, 12.9);
    EXPECT_REL_NEAR(VPlus(T20, P0, below129, V, D), 0.0006 * t129 * t129 + 2e-8 * Re, 1e-12);
    EXPECT_GT(tauAt(above129), 12.9);
    EXPECT_EQ(VPlus(T20, P0, above129, V, D), 0.1);
    EXPECT_EQ(VPlus(T20, P0, 1000, V, D), 0.1);
    EXPECT_EQ(VPlus(T20, P0, 0.01, V, D), 0.0);
}

TEST(ResTime, ProportionalToCosineOfInclination) {
    const double Vt = SettleVel(T20, 10, P0, 1, 1, 10, 0);
    const double flat = ResTime(10, 2, 0, 1.5, Vt);
    EXPECT_REL_NEAR(flat, 2 * Vt / (1.5 * 0.01), 1e-14);
    EXPECT_REL_NEAR(ResTime(10, 2, 1.0, 1.5, Vt), flat * std::cos(1.0), 1e-14);
    EXPECT_NEAR(ResTime(10, 2, M_PI / 2, 1.5, Vt), 0.0, 1e-15 * flat);
    EXPECT_LT(ResTime(10, 2, 2.0, 1.5, Vt), 0.0);
}

} // namespace
