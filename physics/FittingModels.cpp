// Inertial penetration of bends, conical contractions and conical expansions.

#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <numbers>

namespace LodoMath {

using std::numbers::pi;

namespace Kernels {

double BendTrans(const AirState& air, const ParticleState& p, const FlowState& f, double Ang) {
    const double Stk = StkNo(air, p, f.V, f.D);
    const double phi = pi * Ang / 180;
    // Transitional flow, and turbulent flow with small Stokes numbers, take the laminar model.
    if (f.Re > ReMax && Stk > 0.1)
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
    c.AngTerm = std::log(Ang / 12.519) / 2.7825;
    c.LossFactor = 1.1358 * c.AreaTerm * c.AreaTerm;
    return c;
}

double ContTrans(const AirState& air, const ParticleState& p, const ConeState& c) {
    const double Stki = StkNo(air, p, c.Vc, c.Dn);
    const double Px = c.AreaTerm * Stki;
    const double Gr = std::fabs(Px / c.AngTerm);
    // The limit of the fit as Gr -> 0; the power below would divide by zero.
    if (Gr == 0)
        return 1.0;
    const double WL = 1 / (1 + std::pow(Gr, -1.24));
    return 1 - WL;
}

double ExpTrans(const AirState& air, const ParticleState& p, const ConeState& c) {
    const double Stki = StkNo(air, p, c.Vc, c.Dn);
    const double b1 = std::log(Stki * c.AreaTerm / 0.5518) / 1.9661;
    const double b2 = c.AngTerm;
    // A zero angle or equal diameters give ln 0 = -inf, exp(-inf) = 0: penetration 1.
    const double n = 1 - c.LossFactor * std::exp(-0.5 * (b1 * b1 + b2 * b2));
    // The fit overshoots for area ratios above about 16: no penetration, not a negative one.
    return n < 0 ? 0.0 : n;
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
