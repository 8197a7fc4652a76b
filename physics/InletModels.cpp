// Aspiration and wall loss of a plain nozzle and of the shrouded probes.

#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <limits>

namespace LodoMath {

namespace Kernels {

double NozzleAsp(const AirState& air, const ParticleState& p, double Din, double Q, double Uo) {
    const double Vi = Vel(Din, Q);
    const double Stk = StkNo(air, p, Uo, Din);
    const double R = Uo / Vi;
    const double alpha = 1.05 * Stk / (1 + 1.05 * Stk);
    return 1 + (R - 1) * alpha;
}

double NozWallLoss(const AirState& air, const ParticleState& p, double Din, double L, double Q) {
    const double Dim = 0.001 * Din;
    const double Lm = 0.001 * L;
    const double Vi = Vel(Din, Q);
    const double Rei = ReynoldsNo(air, Vi, Din);
    const double Stkp = StkNo(air, p, Vi, Din);
    const double C1 = 3.08 * std::sqrt(air.rho_a * air.mu) / (p.d * RhoP);
    const double kref = 4 * Vi / (Dim / 2);
    const double Taud = 1 / (C1 * std::sqrt(kref));
    const double PL = Taud * Vi / (Dim / 2);
    const double Rz = 2 * Stkp / std::sqrt(PL);
    const double Fr = 2 * (Vi * Vi) / (g * Dim);
    const double Trm1 = 1 + 2 * Lm / (Dim * Fr);
    const double X = 1.769 * std::pow(Trm1, -9.19) * std::pow(Rz, 0.559) * std::pow(Rei, -0.216);
    return X > 1 ? 1.0 : X; // NaN stays NaN
}

double ShroudAsp(const ProbeData* probe, const AirState& air, const ParticleState& p, double Q,
                 double Uo) {
    if (probe == nullptr)
        return std::numeric_limits<double>::quiet_NaN();
    const double ShD = probe->PDsh;
    const double ShB = probe->PDb;
    const double Dpr = probe->PDi;
    const double Qa = Q / 60000;
    const double Ash = TArea(ShD);
    const double Abd = TArea(ShB);
    const double Agp = Ash - Abd;
    const double Ai = TArea(Dpr);
    const double Qsh = ShrVel(Agp, Ash, Q, Uo);
    const double Ush = Qsh / Ash;
    const double Rs = Uo / Ush;
    const double Usc = Ush * (1 + 1.45 * (1 - (1 + std::log(Rs)) / Rs));
    const double Upr = Qa / Ai;
    const double Rpr = Usc / Upr;
    const double Stks = StkNo(air, p, Uo, ShD * 1000);
    const double Stkpr = StkNo(air, p, Usc, Dpr * 1000);
    const double F = 1 - 0.861 * (Rs - 1) * Stks / (1 + (2.34 + 0.939 * (Rs - 1)) * Stks);
    const double alphaS = 1.05 * Stks / (1 + 1.05 * Stks);
    const double alphaP = 1.05 * Stkpr / (1 + 1.05 * Stkpr);
    const double AspS = 1 + (Rs - 1) * alphaS;
    const double AspP = 1 + (Rpr - 1) * alphaP;
    return AspP * AspS * F;
}

double ShroudWallLoss(const ProbeData* probe, const AirState& air, const ParticleState& p, double Q,
                      double Uo) {
    if (probe == nullptr)
        return std::numeric_limits<double>::quiet_NaN();
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
    const double L = Lpr / Dpr;
    const double Upr = Qa / Ai;
    const double Ush = Qsh / Ash;
    const double Fr = (Upr * Upr) / (g * Dpr); // no factor 2 here, unlike the nozzle
    const double Stkp = StkNo(air, p, Upr, Dpr * 1000);
    return 0.496 * std::pow(1 + L / Fr, 0.194) * std::pow(Stkp, 0.613) * std::pow(Ush / Upr, 1.191);
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
