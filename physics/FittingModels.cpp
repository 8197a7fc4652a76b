// Inertial penetration of bends, conical contractions and conical expansions.

#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace LodoMath {

using std::numbers::pi;

namespace {
constexpr double EqualAreaTolerance = 1e-12; // relative; far below any entered difference
}

namespace Kernels {

double BendTrans(const AirState& air, const ParticleState& p, const FlowState& f, double Ang) {
    const double Stk = StkNo(air, p, f.V, f.D);
    const double phi = pi * Ang / 180;
    // Transitional flow, and turbulent flow with small Stokes numbers, take the laminar model.
    if (BendTurbulent(f.Re, Stk))
        return std::exp(-2.823 * Stk * phi);
    const double T1 = Stk / 0.171;
    const double E1 = 2.242 + 0.452 * T1;
    return std::pow(1 + std::pow(T1, E1), -2 * phi / pi);
}

// Both cone models take the velocity of the wider end with the diameter of the narrower.
ConeState MakeContraction(double Din, double Dco, double Q, double Ang) {
    ConeState c{};
    c.Din = Din;
    c.Dco = Dco;
    c.Q = Q;
    c.Ang = Ang;
    const double Ai = TArea(0.001 * Din);
    const double Ao = TArea(0.001 * Dco);
    c.Vc = Vel(Din, Q);
    c.Dn = Dco;
    c.AreaTerm = 1 - Ao / Ai;
    c.AngTerm = 3.14 * std::exp(-0.0185 * Ang); // 3.14 as fitted, not pi
    c.LossFactor = 0.0;
    return c;
}

ConeState MakeExpansion(double Din, double Dco, double Q, double Ang) {
    ConeState c{};
    c.Din = Din;
    c.Dco = Dco;
    c.Q = Q;
    c.Ang = Ang;
    const double Ai = TArea(0.001 * Din);
    const double Ao = TArea(0.001 * Dco);
    c.Vc = Vel(Dco, Q);
    c.Dn = Din;
    c.AreaTerm = 1 - Ai / Ao;
    // Equal diameters that a unit conversion left an ulp apart are equal: the fit takes
    // the logarithm of this term, and an outlet a rounding step narrower made it NaN.
    if (c.AreaTerm < 0 && c.AreaTerm > -EqualAreaTolerance)
        c.AreaTerm = 0;
    c.AngTerm = std::log(Ang / 12.519) / 2.7825;
    c.LossFactor = 1.1358 * c.AreaTerm * c.AreaTerm;
    return c;
}

BendTerms BendTermsOf(const AirState& air, const ParticleState& p, const FlowState& f, double Ang,
                      double Rb) {
    BendTerms t{};
    t.Re = f.Re;
    t.Stk = StkNo(air, p, f.V, f.D);
    t.CurvatureRatio = CurvatureRatio(Rb, f.D);
    t.Turbulent = BendTurbulent(f.Re, t.Stk);
    t.Trans = BendTrans(air, p, f, Ang);
    return t;
}

ConeTerms ContTermsOf(const AirState& air, const ParticleState& p, const ConeState& c) {
    ConeTerms t{};
    t.Stk = StkNo(air, p, c.Vc, c.Dn);
    t.AreaTerm = c.AreaTerm;
    t.HalfAngle = c.Ang;
    t.Px = c.AreaTerm * t.Stk;
    t.Gr = std::fabs(t.Px / c.AngTerm);
    t.b1 = t.b2 = std::numeric_limits<double>::quiet_NaN();
    // The limit of the fit as Gr -> 0; the power below would divide by zero.
    if (t.Gr == 0) {
        t.Trans = 1.0;
        return t;
    }
    const double WL = 1 / (1 + std::pow(t.Gr, -1.24));
    t.Trans = 1 - WL;
    return t;
}

double ContTrans(const AirState& air, const ParticleState& p, const ConeState& c) {
    return ContTermsOf(air, p, c).Trans;
}

ConeTerms ExpTermsOf(const AirState& air, const ParticleState& p, const ConeState& c) {
    ConeTerms t{};
    t.Stk = StkNo(air, p, c.Vc, c.Dn);
    t.AreaTerm = c.AreaTerm;
    t.HalfAngle = c.Ang;
    t.Px = t.Stk * c.AreaTerm;
    t.Gr = std::numeric_limits<double>::quiet_NaN();
    t.b1 = std::log(t.Px / 0.5518) / 1.9661;
    t.b2 = c.AngTerm;
    // A zero angle or equal diameters give ln 0 = -inf, exp(-inf) = 0: penetration 1.
    const double n = 1 - c.LossFactor * std::exp(-0.5 * (t.b1 * t.b1 + t.b2 * t.b2));
    // The fit overshoots for area ratios above about 16: no penetration, not a negative one.
    t.Trans = n < 0 ? 0.0 : n;
    return t;
}

double ExpTrans(const AirState& air, const ParticleState& p, const ConeState& c) {
    return ExpTermsOf(air, p, c).Trans;
}

} // namespace Kernels

using namespace Kernels;

double BendTrans(double T, double Dp, double V, double D, double P, double Ang, double /*Q*/,
                 double /*RC*/) {
    const AirState air = MakeAir(T, P);
    return Kernels::BendTrans(air, MakeParticle(air, Dp), MakeFlow(air, V, D), Ang);
}

double ContTrans(double T, double P, double Dp, double Din, double Dco, double Q, double Ang) {
    const AirState air = MakeAir(T, P);
    return Kernels::ContTrans(air, MakeParticle(air, Dp), MakeContraction(Din, Dco, Q, Ang));
}

double ExpTrans(double T, double P, double Dp, double Din, double Dco, double Q, double Ang) {
    const AirState air = MakeAir(T, P);
    return Kernels::ExpTrans(air, MakeParticle(air, Dp), MakeExpansion(Din, Dco, Q, Ang));
}

} // namespace LodoMath
