// Aspiration and wall loss of a plain nozzle and of the shrouded probes.

#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <limits>

namespace LodoMath {

namespace Kernels {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Aspiration coefficient of a thin-walled inlet: 1.05 Stk / (1 + 1.05 Stk).
double AspAlpha(double Stk) {
    return 1.05 * Stk / (1 + 1.05 * Stk);
}

} // namespace

NozzleAspTerms NozzleAspTermsOf(const AirState& air, const ParticleState& p, double Din, double Q,
                                double Uo) {
    NozzleAspTerms t{};
    t.Vi = Vel(Din, Q);
    t.Stk = StkNo(air, p, Uo, Din);
    t.R = Uo / t.Vi;
    t.Alpha = AspAlpha(t.Stk);
    t.Asp = 1 + (t.R - 1) * t.Alpha;
    return t;
}

double NozzleAsp(const AirState& air, const ParticleState& p, double Din, double Q, double Uo) {
    return NozzleAspTermsOf(air, p, Din, Q, Uo).Asp;
}

NozWallTerms NozWallTermsOf(const AirState& air, const ParticleState& p, double Din, double L,
                            double Q) {
    NozWallTerms t{};
    const double Dim = 0.001 * Din;
    const double Lm = 0.001 * L;
    t.Vi = Vel(Din, Q);
    t.Rei = ReynoldsNo(air, t.Vi, Din);
    t.Stkp = StkNo(air, p, t.Vi, Din);
    t.C1 = 3.08 * std::sqrt(air.rho_a * air.mu) / (p.d * RhoP);
    t.kref = 4 * t.Vi / (Dim / 2);
    t.TauN = 1 / (t.C1 * std::sqrt(t.kref));
    t.PL = t.TauN * t.Vi / (Dim / 2);
    t.Rz = 2 * t.Stkp / std::sqrt(t.PL);
    t.Fr = 2 * (t.Vi * t.Vi) / (g * Dim);
    const double Trm1 = 1 + 2 * Lm / (Dim * t.Fr);
    t.X = 1.769 * std::pow(Trm1, -9.19) * std::pow(t.Rz, 0.559) * std::pow(t.Rei, -0.216);
    t.WL = t.X > 1 ? 1.0 : t.X; // NaN stays NaN
    return t;
}

double NozWallLoss(const AirState& air, const ParticleState& p, double Din, double L, double Q) {
    return NozWallTermsOf(air, p, Din, L, Q).WL;
}

ShroudAspTerms ShroudAspTermsOf(const ProbeData* probe, const AirState& air, const ParticleState& p,
                                double Q, double Uo) {
    if (probe == nullptr)
        return ShroudAspTerms{NaN, NaN, NaN, NaN, NaN, NaN, NaN, NaN, NaN,
                              NaN, NaN, NaN, NaN, NaN, NaN, NaN, NaN, NaN};
    const double ShD = probe->PDsh;
    const double ShB = probe->PDb;
    const double Dpr = probe->PDi;
    const double Qa = Q / 60000;
    ShroudAspTerms t{};
    t.Ash = TArea(ShD);
    t.Abd = TArea(ShB);
    t.Agp = t.Ash - t.Abd;
    t.Ai = TArea(Dpr);
    t.Qsh = ShrVel(t.Agp, t.Ash, Q, Uo);
    t.Ush = t.Qsh / t.Ash;
    t.Rs = Uo / t.Ush;
    t.Usc = t.Ush * (1 + 1.45 * (1 - (1 + std::log(t.Rs)) / t.Rs));
    t.Upr = Qa / t.Ai;
    t.Rpr = t.Usc / t.Upr;
    t.Stks = StkNo(air, p, Uo, ShD * 1000);
    t.Stkpr = StkNo(air, p, t.Usc, Dpr * 1000);
    t.F = 1 - 0.861 * (t.Rs - 1) * t.Stks / (1 + (2.34 + 0.939 * (t.Rs - 1)) * t.Stks);
    t.AlphaS = AspAlpha(t.Stks);
    t.AlphaP = AspAlpha(t.Stkpr);
    t.AspS = 1 + (t.Rs - 1) * t.AlphaS;
    t.AspP = 1 + (t.Rpr - 1) * t.AlphaP;
    t.Asp = t.AspP * t.AspS * t.F;
    return t;
}

double ShroudAsp(const ProbeData* probe, const AirState& air, const ParticleState& p, double Q,
                 double Uo) {
    return ShroudAspTermsOf(probe, air, p, Q, Uo).Asp;
}

ShroudWallTerms ShroudWallTermsOf(const ProbeData* probe, const AirState& air,
                                  const ParticleState& p, double Q, double Uo) {
    if (probe == nullptr)
        return ShroudWallTerms{NaN, NaN, NaN, NaN, NaN, NaN};
    const double Lpr = probe->PL;
    const double Dpr = probe->PDi;
    const double ShD = probe->PDsh;
    const double ShB = probe->PDb;
    const double Qa = Q / 60000;
    const double Ai = TArea(Dpr);
    const double Ash = TArea(ShD);
    const double Abd = TArea(ShB);
    const double Agp = Ash - Abd;
    const double Qsh = ShrVel(Agp, Ash, Q, Uo);
    ShroudWallTerms t{};
    t.Lw = Lpr / Dpr;
    t.Upr = Qa / Ai;
    t.Ush = Qsh / Ash;
    t.Fr = (t.Upr * t.Upr) / (g * Dpr); // no factor 2 here, unlike the nozzle
    t.Stkp = StkNo(air, p, t.Upr, Dpr * 1000);
    t.WL = 0.496 * std::pow(1 + t.Lw / t.Fr, 0.194) * std::pow(t.Stkp, 0.613) *
           std::pow(t.Ush / t.Upr, 1.191);
    return t;
}

double ShroudWallLoss(const ProbeData* probe, const AirState& air, const ParticleState& p, double Q,
                      double Uo) {
    return ShroudWallTermsOf(probe, air, p, Q, Uo).WL;
}

} // namespace Kernels

using namespace Kernels;

double NozzleAsp(double T, double P, double Dp, double Din, double /*Dco*/, double Q, double Uo) {
    const AirState air = MakeAir(T, P);
    return Kernels::NozzleAsp(air, MakeParticle(air, Dp), Din, Q, Uo);
}

double NozWallLoss(double T, double P, double Dp, double Din, double /*Dco*/, double L, double Q,
                   double /*Ang*/) {
    const AirState air = MakeAir(T, P);
    return Kernels::NozWallLoss(air, MakeParticle(air, Dp), Din, L, Q);
}

double ShroudAsp(std::string_view Nam, double T, double P, double Dp, double Q, double Uo) {
    const AirState air = MakeAir(T, P);
    return Kernels::ShroudAsp(FindProbe(Nam), air, MakeParticle(air, Dp), Q, Uo);
}

double ShroudWallLoss(std::string_view Nam, double T, double P, double Dp, double Q, double Uo) {
    const AirState air = MakeAir(T, P);
    return Kernels::ShroudWallLoss(FindProbe(Nam), air, MakeParticle(air, Dp), Q, Uo);
}

double ShrVel(double Agp, double Ash, double Q, double Uo) {
    const double Qa = Q / 60000;
    if (Uo < Qa / Ash)
        return Qa;
    if (Uo > (Uo * Agp + Qa) / Ash)
        return Uo * Agp + Qa;
    return Uo * Ash;
}

} // namespace LodoMath
