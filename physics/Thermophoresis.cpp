// Heat transfer of air in a tube and thermophoretic deposition from it.

#include "physics/Thermophoresis.h"

#include "physics/LodoMath.h"

#include <algorithm>
#include <cmath>

namespace LodoMath {

double AirThermalCond(double T) {
    const double Tk = T + TConv;
    return 0.0241 * std::pow(Tk / 273.0, 1.5) * (273.0 + 194.0) / (Tk + 194.0);
}

double AirCp(double T) {
    const double Tk = T + TConv;
    const double molar = 28.11 + 0.1967e-2 * Tk + 0.4802e-5 * Tk * Tk - 1.966e-9 * Tk * Tk * Tk;
    return 1000.0 * molar / MW;
}

double PrandtlNo(double T) {
    return AirVis(T) * AirCp(T) / AirThermalCond(T);
}

double NuLaminar(double Re, double Pr, double LoverD) {
    const double Gz = Re * Pr / LoverD;
    // A long tube is fully developed; Gz = 0 would make 0/0 of the entrance term.
    if (Gz == 0)
        return 3.66;
    return 3.66 + 0.0668 * Gz / (1 + 0.04 * std::pow(Gz, 2.0 / 3));
}

double NuTurbulent(double Re, double Pr) {
    const double f = std::pow(0.790 * std::log(Re) - 1.64, -2.0);
    return (f / 8) * (Re - 1000) * Pr / (1 + 12.7 * std::sqrt(f / 8) * (std::pow(Pr, 2.0 / 3) - 1));
}

namespace Kernels {

ThermoState MakeThermo(const AirState& air, const FlowState& f, double L, double Tw) {
    ThermoState th{};
    th.Tw = Tw;
    th.kg = AirThermalCond(air.T);
    th.Pr = air.mu * AirCp(air.T) / th.kg;
    const double LoverD = L / (0.001 * f.D);
    th.NuL = NuLaminar(f.Re, th.Pr, LoverD);
    th.NuT = NuTurbulent(f.Re, th.Pr);
    // The tube models' regime rule; in transition the larger Nu, which cools more.
    if (f.Re > ReMin && f.Re < ReMax) {
        th.Turbulent = th.NuT > th.NuL;
        th.Nu = th.Turbulent ? th.NuT : th.NuL;
    } else {
        th.Turbulent = f.Re > ReMax;
        th.Nu = th.Turbulent ? th.NuT : th.NuL;
    }
    // A tube of no length changes nothing (its Nusselt number is unbounded).
    const double exponent = LoverD == 0 ? 0.0 : -4 * th.Nu * LoverD / (f.Re * th.Pr);
    th.Tout = Tw + (air.T - Tw) * std::exp(exponent);
    const double ratio = (th.Tout + TConv) / air.Tk;
    th.Ratio = std::isnan(ratio) ? ratio : std::min(ratio, 1.0);
    if (!(Tw < air.T) && !std::isnan(Tw) && !std::isnan(air.T))
        th.Ratio = 1.0;
    return th;
}

double ThermoCoeff(const AirState& air, const ParticleState& ve, double kp) {
    constexpr double Cs = 1.17, Ct = 2.18, Cm = 1.14;
    const double Kn = 2 * air.lambda / ve.Dp;
    const double r = AirThermalCond(air.T) / kp;
    return 2 * Cs * (r + Ct * Kn) * ve.Cc / ((1 + 3 * Cm * Kn) * (1 + 2 * r + 2 * Ct * Kn));
}

double ThermoTrans(const ThermoState& th, double Kth) {
    if (th.Ratio == 1.0)
        return 1.0;
    const double p = std::pow(th.Ratio, th.Pr * Kth);
    return std::isnan(p) ? p : std::min(p, 1.0);
}

double ThermoCoeffAt(const AirState& air, double Dp, const ParticleProperties& pp) {
    const double dve = DiametersOf(air, Dp, pp).Dve;
    return ThermoCoeff(air, MakeParticle(air, dve), pp.ThermalConductivity);
}

double ThermoTransAt(const AirState& air, const ThermoState& th, double Dp,
                     const ParticleProperties& pp) {
    // No cooling, no loss, whatever the particle.
    if (th.Ratio == 1.0)
        return 1.0;
    return ThermoTrans(th, ThermoCoeffAt(air, Dp, pp));
}

} // namespace Kernels

double ThermophoreticCoeff(double T, double P, double Dp, double kp) {
    const Kernels::AirState air = Kernels::MakeAir(T, P);
    return Kernels::ThermoCoeff(air, Kernels::MakeParticle(air, Dp), kp);
}

double TubeOutletGasTemp(double T, double P, double V, double D, double L, double Tw) {
    const Kernels::AirState air = Kernels::MakeAir(T, P);
    return Kernels::MakeThermo(air, Kernels::MakeFlow(air, V, D), L, Tw).Tout;
}

double TubeThermoTrans(double T, double P, double Dp, double V, double D, double L, double Tw,
                       double kp) {
    const Kernels::AirState air = Kernels::MakeAir(T, P);
    const Kernels::ThermoState th = Kernels::MakeThermo(air, Kernels::MakeFlow(air, V, D), L, Tw);
    return Kernels::ThermoTrans(th, Kernels::ThermoCoeff(air, Kernels::MakeParticle(air, Dp), kp));
}

} // namespace LodoMath
