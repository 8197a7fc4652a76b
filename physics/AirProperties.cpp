// Air properties, particle mechanics and the dimensionless groups built on them.

#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <numbers>

namespace LodoMath {

using std::numbers::pi;

namespace Kernels {

namespace {

double Density(double Tk, double P) {
    return (1000.0 * P) / ((Ru / MW) * Tk);
}

double Viscosity(double Tk) {
    return Vis * std::pow(Tk / Tr, 1.5) * (Tr + S) / (Tk + S);
}

// 3 pi of the Stokes-Einstein diffusion coefficient, as the coefficient has always
// been computed (the decimal, not 3 * pi).
constexpr double ThreePi = 9.42477796076938;

bool FiniteNonNegative(double v) {
    return std::isfinite(v) && v >= 0.0;
}

} // namespace

AirState MakeAir(double T, double P) {
    AirState a{};
    a.T = T;
    a.P = P;
    a.Tk = T + TConv;
    a.rho_a = Density(a.Tk, P);
    a.mu = Viscosity(a.Tk);
    a.lambda = std::sqrt(pi / 8) * (a.mu / MFPc) * (1 / std::sqrt(a.rho_a * 1000 * P)) * 1e6;
    return a;
}

ParticleState MakeParticle(const AirState& air, double Dp) {
    ParticleState p{};
    p.Dp = Dp;
    p.d = Dp / 1e6;
    const double M = air.lambda / 1e6;
    p.Cc = 1 + (M / p.d) * (2.34 + 1.05 * std::exp(-0.39 * p.d / M));
    return p;
}

SizeState MakeSize(const AirState& air, double Dp) {
    SizeState s{};
    s.p = MakeParticle(air, Dp);
    s.Dc = DiffCoeff(air, s.p);
    s.ScCbrt = std::pow(air.mu / (air.rho_a * s.Dc), 1.0 / 3); // SchmidtNo^(1/3)
    s.Vt = SettleVel(air, s.p);
    return s;
}

double ReynoldsNo(const AirState& air, double V, double D) {
    return air.rho_a * V * (0.001 * D) / air.mu;
}

FlowState MakeFlow(const AirState& air, double V, double D) {
    FlowState f{};
    f.V = V;
    f.D = D;
    f.Re = ReynoldsNo(air, V, D);
    f.Re875 = std::pow(f.Re, 0.875);
    f.Re75 = std::pow(f.Re, 0.75);
    f.ReM8 = std::pow(f.Re, -1.0 / 8);
    return f;
}

double DiffCoeff(const AirState& air, const ParticleState& p) {
    return k * air.Tk * p.Cc / (ThreePi * air.mu * p.d);
}

double DiffTime(const AirState& air, const ParticleState& p, double L, double Q) {
    return DiffTimeOf(DiffCoeff(air, p), L, Q / 60000);
}

double ShLow(const AirState& air, const ParticleState& p, double L, double Q) {
    return ShLowOf(DiffTime(air, p, L, Q));
}

double SchmidtNo(const AirState& air, const ParticleState& p) {
    return air.mu / (air.rho_a * DiffCoeff(air, p));
}

double ShHigh(const AirState& air, const ParticleState& p, const FlowState& f) {
    return ShHighOf(f.Re875, std::pow(SchmidtNo(air, p), 1.0 / 3));
}

double StkNo(const AirState& air, const ParticleState& p, double V, double D) {
    return p.d * p.d * p.Cc * RhoP * V / (9 * air.mu * (0.001 * D));
}

double RelaxNo(const AirState& air, const ParticleState& p, const FlowState& f) {
    return 0.0395 * StkNo(air, p, f.V, f.D) * f.Re75;
}

double VPlus(const AirState& air, const ParticleState& p, const FlowState& f) {
    const double tau = RelaxNo(air, p, f);
    if (tau < 0.3)
        return 0.0;
    if (tau > 12.9)
        return 0.1;
    return 0.0006 * tau * tau + 2e-8 * f.Re; // NaN tau stays NaN
}

double StokesSettleVel(const AirState& air, const ParticleState& p) {
    return RhoP * (p.d * p.d) * g * p.Cc / (18 * air.mu);
}

DragResult SettleDrag(const AirState& air, const ParticleState& p, double VtsL) {
    const double ReL = ReynoldsNo(air, VtsL, p.Dp / 1000);
    const double CD = (24 / ReL) * (1 + 0.15 * std::pow(ReL, 0.687));
    // The slip correction does not enter the drag-law velocity.
    const double num = 4 * RhoP * p.d * g;
    double Diff = 1;
    int Count = 1;
    double CDa = CD;
    double Vold = VtsL;
    double VtsA = std::sqrt(num / (3 * CDa * air.rho_a));
    DragResult r{};
    r.converged = true;
    while (Diff >= 0.0001) {
        VtsA = std::sqrt(num / (3 * CDa * air.rho_a));
        const double ReA = ReynoldsNo(air, VtsA, p.Dp / 1000);
        CDa = (24 / ReA) * (1 + 0.15 * std::pow(ReA, 0.687));
        Diff = std::fabs((Vold - VtsA) / VtsA);
        ++Count;
        if (Count > 100) {
            r.converged = false;
            break;
        }
        Vold = VtsA;
    }
    r.Vt = VtsA;
    r.passes = Count - 1;
    // A NaN step ends the loop as if it had converged; it has not.
    if (!FiniteNonNegative(VtsA))
        r.converged = false;
    return r;
}

double SettleVel(const AirState& air, const ParticleState& p) {
    const double VtsL = StokesSettleVel(air, p);
    const double ReL = ReynoldsNo(air, VtsL, p.Dp / 1000);
    // Below a particle Reynolds number of 1 the drag iteration's outcome is unused.
    if (!(ReL < 1)) {
        const DragResult drag = SettleDrag(air, p, VtsL);
        if (drag.converged)
            return drag.Vt;
    }
    return FiniteNonNegative(VtsL) ? VtsL : 0.0;
}

} // namespace Kernels

using namespace Kernels;

double AirDensity(double T, double P) {
    return Density(T + TConv, P);
}

double AirVis(double T) {
    return Viscosity(T + TConv);
}

double AirMFP(double T, double P) {
    return MakeAir(T, P).lambda;
}

double TArea(double D) {
    return pi * ((D / 2) * (D / 2));
}

double Vel(double D, double Q) {
    const double R = 0.001 * D / 2;
    const double A = pi * (R * R);
    return (Q / 60000) / A;
}

double ReynoldsNo(double V, double D, double T, double P) {
    return Kernels::ReynoldsNo(MakeAir(T, P), V, D);
}

double SlipCorr(double Dp, double T, double P) {
    return MakeParticle(MakeAir(T, P), Dp).Cc;
}

double DiffCoeff(double T, double P, double Dp) {
    const AirState air = MakeAir(T, P);
    return Kernels::DiffCoeff(air, MakeParticle(air, Dp));
}

double DiffTime(double T, double P, double Dp, double L, double Q) {
    const AirState air = MakeAir(T, P);
    return Kernels::DiffTime(air, MakeParticle(air, Dp), L, Q);
}

double ShLow(double T, double P, double Dp, double L, double Q) {
    const AirState air = MakeAir(T, P);
    return Kernels::ShLow(air, MakeParticle(air, Dp), L, Q);
}

double ShHigh(double T, double P, double Dp, double V, double D) {
    const AirState air = MakeAir(T, P);
    return Kernels::ShHigh(air, MakeParticle(air, Dp), MakeFlow(air, V, D));
}

double StkNo(double T, double P, double Dp, double V, double D) {
    const AirState air = MakeAir(T, P);
    return Kernels::StkNo(air, MakeParticle(air, Dp), V, D);
}

double SchmidtNo(double T, double P, double Dp) {
    const AirState air = MakeAir(T, P);
    return Kernels::SchmidtNo(air, MakeParticle(air, Dp));
}

double RelaxNo(double T, double P, double Dp, double V, double D) {
    const AirState air = MakeAir(T, P);
    return Kernels::RelaxNo(air, MakeParticle(air, Dp), MakeFlow(air, V, D));
}

double VPlus(double T, double P, double Dp, double V, double D) {
    const AirState air = MakeAir(T, P);
    return Kernels::VPlus(air, MakeParticle(air, Dp), MakeFlow(air, V, D));
}

double SettleVel(double T, double Dp, double P, double /*L*/, double /*V*/, double /*D*/,
                 double /*Theta*/) {
    const AirState air = MakeAir(T, P);
    return Kernels::SettleVel(air, MakeParticle(air, Dp));
}

double ResTime(double D, double L, double Theta, double V, double Vt) {
    return std::cos(Theta) * (L / V) * (Vt / (D / 1000));
}

} // namespace LodoMath
