#pragma once

// Thermophoretic loss in a line whose wall is colder than the gas it carries.
//
// The gas cools toward the wall temperature along the tube as any fluid in a tube
// with a wall at uniform temperature (Incropera & DeWitt, Fundamentals of Heat and
// Mass Transfer, section 8.3):
//   (Tw - Tout) / (Tw - Tin) = exp(-4 Nu (L/D) / (Re Pr)),
// with the mean Nusselt number of the tube: laminar flow Hausen's thermal-entrance
// form of the fully developed 3.66, turbulent flow Gnielinski's correlation. The
// particles drift toward the cold wall at Kth nu |grad T| / T, and Romay et al. (1998,
// J. Aerosol Sci. 29:943) show that the penetration of a tube then follows from the
// temperatures alone:
//   P = (Tout / Tin)^(Pr Kth)   (kelvin),
// with Kth the thermophoretic coefficient of Talbot et al. (1980, J. Fluid Mech.
// 101:737). A wall at or above the gas temperature takes nothing: P = 1.
//
// Gas properties are those of air at the inlet temperature. Units as in LodoMath.h:
// T [degC], P [kPa], Dp [um], D [mm], L [m], V [m/s]; conductivities [W/(m K)].

#include "physics/LodoKernels.h"
#include "physics/ParticleProperties.h"

namespace LodoMath {

/// Thermal conductivity of air, Sutherland's form kg = 0.0241 (Tk/273)^1.5 (273 + 194)/(Tk + 194)
/// (White, Viscous Fluid Flow, Table 1-3; within 2 % from 160 to 2000 K).  [W/(m K)]
double AirThermalCond(double T /*[degC]*/);
/// Isobaric specific heat of air as an ideal gas,
/// cp = (28.11 + 0.1967e-2 Tk + 0.4802e-5 Tk^2 - 1.966e-9 Tk^3) / MW [kJ/(kg K)]
/// (Cengel & Boles, Thermodynamics, Table A-2c; 273 to 1800 K, within 0.72 %).  [J/(kg K)]
double AirCp(double T /*[degC]*/);
/// Prandtl number of air Pr = mu cp / kg.  [-]
double PrandtlNo(double T /*[degC]*/);

/// Mean Nusselt number of laminar flow over a thermal entrance length with the wall at
/// uniform temperature (Hausen 1943): Nu = 3.66 + 0.0668 Gz / (1 + 0.04 Gz^(2/3)),
/// Gz = (D/L) Re Pr; 3.66, the fully developed value, for a long tube.  [-]
double NuLaminar(double Re, double Pr, double LoverD);
/// Gnielinski (1976, Int. Chem. Eng. 16:359) for turbulent flow:
/// Nu = (f/8)(Re - 1000) Pr / (1 + 12.7 (f/8)^(1/2) (Pr^(2/3) - 1)),
/// f = (0.790 ln Re - 1.64)^-2 (Petukhov). Stated for 3000 <= Re <= 5e6, 0.5 <= Pr <= 2000.  [-]
double NuTurbulent(double Re, double Pr);

/// Thermophoretic coefficient of Talbot et al. (1980):
/// Kth = 2 Cs (kg/kp + Ct Kn) Cc / ((1 + 3 Cm Kn)(1 + 2 kg/kp + 2 Ct Kn)),
/// Cs = 1.17, Ct = 2.18, Cm = 1.14, Kn = 2 lambda/d, Cc = SlipCorr(Dp, T, P); Dp the
/// volume-equivalent diameter, kp the particle's thermal conductivity.  [-]
double ThermophoreticCoeff(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/,
                           double kp /*[W/(m K)]*/);

/// Gas temperature leaving a straight tube of wall temperature Tw:
/// Tw + (T - Tw) exp(-4 Nu (L/D) / (Re Pr)), Nu by the regime rule of the tube models
/// (laminar up to Re 2100 and at exactly 4000, Gnielinski above 4000, in between the
/// larger Nu, so the colder gas).  [degC]
double TubeOutletGasTemp(double T /*[degC]*/, double P /*[kPa]*/, double V /*[m/s]*/,
                         double D /*[mm]*/, double L /*[m]*/, double Tw /*[degC]*/);

/// Thermophoretic penetration of a straight tube (Romay et al. 1998):
/// (Tout/Tin)^(Pr Kth) in kelvin with Tout = TubeOutletGasTemp; 1 when the wall is not
/// colder than the gas. Dp is the volume-equivalent diameter.  [-]
double TubeThermoTrans(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/,
                       double V /*[m/s]*/, double D /*[mm]*/, double L /*[m]*/,
                       double Tw /*[degC]*/, double kp /*[W/(m K)]*/);

namespace Kernels {

/// A tube's size-independent thermophoresis: the gas it cools.
struct ThermoState {
    double Tw;      // wall temperature [degC]
    double Pr;      // Prandtl number of the gas at the inlet [-]
    double kg;      // thermal conductivity of the gas at the inlet [W/(m K)]
    double NuL;     // laminar mean Nusselt number [-]
    double NuT;     // turbulent mean Nusselt number (Gnielinski) [-]
    double Nu;      // the one the regime rule takes [-]
    double Tout;    // outlet gas temperature [degC]
    double Ratio;   // Tout/Tin in kelvin, held at 1 when the wall is not colder [-]
    bool Turbulent; // Nu is Gnielinski's
};
ThermoState MakeThermo(const AirState& air, const FlowState& f, double L /*[m]*/,
                       double Tw /*[degC]*/);
/// Kth of a particle of volume-equivalent state ve (its Dp and slip correction).
double ThermoCoeff(const AirState& air, const ParticleState& ve, double kp /*[W/(m K)]*/);
/// (Tout/Tin)^(Pr Kth), 1 when the wall is not colder than the gas.  [-]
double ThermoTrans(const ThermoState& th, double Kth);
/// Kth of the particle whose entered size is Dp: at its volume-equivalent diameter,
/// with its thermal conductivity.
double ThermoCoeffAt(const AirState& air, double Dp /*[um]*/, const ParticleProperties& pp);
/// The thermophoretic transmission of the particle whose entered size is Dp.  [-]
double ThermoTransAt(const AirState& air, const ThermoState& th, double Dp /*[um]*/,
                     const ParticleProperties& pp);

} // namespace Kernels

} // namespace LodoMath
