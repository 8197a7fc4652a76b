#pragma once

// Aerosol physics of sampling lines: air properties, particle mechanics, the
// transport models of tubes, fittings and inlets, log-normal weighting and the
// flow-split correlation. Every routine is a pure function of its arguments.
//
// Working units: T [degC], P [kPa, absolute], Dp [um, aerodynamic, unit density],
// D/Din/Dco [mm], Q [L/min], V/Uo/Vt [m/s], tube L [m] (nozzle L [mm]),
// tube Theta [rad] (SplitR: [deg]), fitting angles [deg].
// Argument orders differ from routine to routine on purpose: callers rely on them.
//
// Floating point is plain IEEE: nothing traps and no routine touches the
// floating-point environment. Inputs are not validated; out-of-range inputs give
// infinities or NaN, except where a routine documents a guarded result.
//
// In the formulas: Tk = T + TConv [K], d = Dp/1e6 [m], Dm = 0.001 D [m],
// Qm = Q/60000 [m3/s], rho = AirDensity(T, P), mu = AirVis(T),
// Cc = SlipCorr(Dp, T, P), Re = ReynoldsNo(V, D, T, P).
//
// LodoKernels.h holds the same formulas on precomputed air and particle states
// for callers that evaluate many sizes; these routines are built on them.

#include <string_view>

namespace LodoMath {

inline constexpr double k = 1.3807e-23;   // Boltzmann constant [J/K]
inline constexpr double g = 9.807;        // gravitational acceleration [m/s2]
inline constexpr double Vis = 1.716e-05;  // reference viscosity of air [Pa s]
inline constexpr double Tr = 273.11;      // reference temperature of Vis [K]
inline constexpr double S = 110.56;       // Sutherland constant of air [K]
inline constexpr double MFPc = 0.4987445; // mean-free-path coefficient
inline constexpr double RhoP = 1000.0;    // particle density [kg/m3]
inline constexpr double TConv = 273.15;   // degC to K
inline constexpr double ReMax = 4000.0;   // above: turbulent
inline constexpr double ReMin = 2100.0;   // at or below: laminar
inline constexpr double Ru = 8314.471;    // universal gas constant [J/(kmol K)]
inline constexpr double MW = 28.962;      // molar mass of air [kg/kmol]

// ---- Air and particle properties ----

/// Ideal gas: rho = 1000 P / ((Ru/MW) Tk).  [kg/m3]
double AirDensity(double T /*[degC]*/, double P /*[kPa]*/);
/// Sutherland's law: mu = Vis (Tk/Tr)^1.5 (Tr + S)/(Tk + S).  [Pa s]
double AirVis(double T /*[degC]*/);
/// lambda = sqrt(pi/8) (mu/MFPc) / sqrt(rho 1000 P) * 1e6.  [um]
double AirMFP(double T /*[degC]*/, double P /*[kPa]*/);
/// Circle area pi (D/2)^2.  [unit of D, squared]
double TArea(double D);
/// Mean velocity Qm / (pi (0.001 D/2)^2).  [m/s]
double Vel(double D /*[mm]*/, double Q /*[L/min]*/);
/// Re = rho V Dm / mu. With D = Dp/1000 it is the particle Reynolds number.  [-]
double ReynoldsNo(double V /*[m/s]*/, double D /*[mm]*/, double T /*[degC]*/, double P /*[kPa]*/);
/// Cunningham slip correction, M = lambda/1e6 [m]:
/// Cc = 1 + (M/d)(2.34 + 1.05 exp(-0.39 d/M)).  [-]
double SlipCorr(double Dp /*[um]*/, double T /*[degC]*/, double P /*[kPa]*/);
/// Stokes-Einstein: Dc = k Tk Cc / (3 pi mu d).  [m2/s]
double DiffCoeff(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/);
/// Diffusion deposition parameter xi = pi Dc L / Qm.  [-]
double DiffTime(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/, double L /*[m]*/,
                double Q /*[L/min]*/);
/// Laminar Sherwood number Sh = 3.66 + 0.2672 / (xi + 0.10079 xi^(1/3)).  [-]
double ShLow(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/, double L /*[m]*/,
             double Q /*[L/min]*/);
/// Turbulent Sherwood number Sh = 0.0118 Re^0.875 Sc^(1/3).  [-]
double ShHigh(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/, double V /*[m/s]*/,
              double D /*[mm]*/);
/// Stk = d^2 Cc RhoP V / (9 mu Dm); D is the characteristic diameter of the flow.  [-]
double StkNo(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/, double V /*[m/s]*/,
             double D /*[mm]*/);
/// Sc = mu / (rho Dc).  [-]
double SchmidtNo(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/);
/// Dimensionless relaxation time tau+ = 0.0395 Stk Re^0.75.  [-]
double RelaxNo(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/, double V /*[m/s]*/,
               double D /*[mm]*/);
/// Dimensionless deposition velocity: 0 for tau+ < 0.3,
/// 0.0006 tau+^2 + 2e-8 Re for 0.3 <= tau+ <= 12.9, 0.1 above.  [-]
double VPlus(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/, double V /*[m/s]*/,
             double D /*[mm]*/);
/// Terminal settling velocity: Stokes with slip VtsL = RhoP d^2 g Cc / (18 mu) while the
/// particle Reynolds number of VtsL is below 1, else the Schiller-Naumann drag iteration
/// Vt = sqrt(4 RhoP d g / (3 CD rho)), CD = (24/Re)(1 + 0.15 Re^0.687), to a relative
/// change below 1e-4 in at most 100 passes. An abandoned or non-finite iteration gives
/// VtsL when that is finite and non-negative, else 0: the result is always finite and
/// non-negative. L, V, D and Theta do not enter the result.  [m/s]
double SettleVel(double T /*[degC]*/, double Dp /*[um]*/, double P /*[kPa]*/, double L /*[m]*/,
                 double V /*[m/s]*/, double D /*[mm]*/, double Theta /*[rad]*/);
/// Sedimentation parameter eps = cos(Theta) (L/V) (Vt/(D/1000)); not a time.  [-]
double ResTime(double D /*[mm]*/, double L /*[m]*/, double Theta /*[rad]*/, double V /*[m/s]*/,
               double Vt /*[m/s]*/);

// ---- Straight tubes ----
// Regime rule shared by the three: transition (ReMin < Re < ReMax) takes the smaller of
// the laminar and turbulent values, Re > ReMax the turbulent one, anything else
// (Re <= 2100, and Re exactly 4000) the laminar one.

/// Diffusion: nl = exp(-xi ShLow), nh = exp(-xi ShHigh).  [-]
double TubeDiffTran(double T /*[degC]*/, double Dp /*[um]*/, double V /*[m/s]*/, double D /*[mm]*/,
                    double L /*[m]*/, double Q /*[L/min]*/, double P /*[kPa]*/);
/// Gravitational settling with Tt = ResTime(D, L, Theta, V, SettleVel(...)):
/// nh = exp(-4 Tt/pi); laminar kappa = min(0.75 Tt, 1),
/// nl = 1 - (2/pi)(2 kappa X3 - kappa^0.3333 X3 + asin(kappa^0.3333)), X3 = sqrt(1 - kappa^(2/3)),
/// and nl = 0 once 0.75 Tt >= 1. Always within [0, 1]: a negative Tt (tube tilted past the
/// vertical) counts as no settling, and a NaN result as no penetration.  [-]
double TubeSedTrans(double T /*[degC]*/, double Dp /*[um]*/, double P /*[kPa]*/, double L /*[m]*/,
                    double V /*[m/s]*/, double D /*[mm]*/, double Theta /*[rad]*/);
/// Turbulent inertial deposition: Vdp = Re^(-1/8) V+ V / 5.03,
/// nh = exp(-pi Dm L Vdp / Qm); nl = 1 (no inertial loss in laminar flow).  [-]
double TubeInertTrans(double T /*[degC]*/, double Dp /*[um]*/, double V /*[m/s]*/,
                      double D /*[mm]*/, double P /*[kPa]*/, double L /*[m]*/,
                      double Q /*[L/min]*/);

// ---- Fittings (angles in degrees) ----

/// Bend of angle phi = pi Ang/180 with Stk = StkNo(T, P, Dp, V, D):
/// turbulent (Re > ReMax and Stk > 0.1) exp(-2.823 Stk phi); otherwise
/// (1 + T1^(2.242 + 0.452 T1))^(-2 phi/pi), T1 = Stk/0.171. Q and RC do not enter.  [-]
double BendTrans(double T /*[degC]*/, double Dp /*[um]*/, double V /*[m/s]*/, double D /*[mm]*/,
                 double P /*[kPa]*/, double Ang /*[deg]*/, double Q /*[L/min]*/, double RC /*[m]*/);
/// Conical contraction: Stki = StkNo at Vel(Din, Q) and Dco, Gr = |(1 - Ao/Ai) Stki / De|,
/// De = 3.14 exp(-0.0185 Ang), penetration 1 - 1/(1 + Gr^-1.24); exactly 1 at Gr = 0.  [-]
double ContTrans(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/, double Din /*[mm]*/,
                 double Dco /*[mm]*/, double Q /*[L/min]*/, double Ang /*[deg, half angle]*/);
/// Conical expansion: Stki = StkNo at Vel(Dco, Q) and Din, R = 1 - Ai/Ao,
/// b1 = ln(Stki R/0.5518)/1.9661, b2 = ln(Ang/12.519)/2.7825,
/// penetration 1 - 1.1358 R^2 exp(-(b1^2 + b2^2)/2), not below 0. Exactly 1 for Ang = 0 or
/// Din = Dco; NaN for Dco < Din.  [-]
double ExpTrans(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/, double Din /*[mm]*/,
                double Dco /*[mm]*/, double Q /*[L/min]*/, double Ang /*[deg, half angle]*/);

// ---- Inlets and the shrouded-probe catalogue ----
struct ProbeData {
    int Pn;              // model number
    std::string_view Pr; // model name, the lookup key
    double PDsh;         // shroud inner diameter [m]
    double PDb;          // probe body diameter [m]
    double PDi;          // nozzle inlet diameter [m]
    double PDo;          // probe outlet diameter [m]
    double PL;           // nozzle length [m]
};
inline constexpr int ProbeCount = 6;
extern const ProbeData PType[ProbeCount]; // catalogue order, models 1..6

/// The catalogue entry named Nam (exact, case-sensitive), or nullptr.
const ProbeData* FindProbe(std::string_view Nam);

/// Nozzle aspiration 1 + (Uo/Vi - 1) alpha, alpha = 1.05 Stk/(1 + 1.05 Stk),
/// Vi = Vel(Din, Q), Stk = StkNo(T, P, Dp, Uo, Din). Dco does not enter.  [-]
double NozzleAsp(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/, double Din /*[mm]*/,
                 double Dco /*[mm]*/, double Q /*[L/min]*/, double Uo /*[m/s]*/);
/// Nozzle wall loss X = 1.769 (1 + 2 Lm/(Dim Fr))^-9.19 Rz^0.559 Rei^-0.216, at most 1,
/// with Fr = 2 Vi^2/(g Dim), Rz = 2 Stkp / sqrt(PL) from the turbulent relaxation model.
/// L is the nozzle length in mm; Dco and Ang do not enter.  [-]
double NozWallLoss(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/, double Din /*[mm]*/,
                   double Dco /*[mm]*/, double L /*[mm]*/, double Q /*[L/min]*/,
                   double Ang /*[deg]*/);
/// Shrouded-probe aspiration AspP AspS F from the shroud and nozzle velocity ratios;
/// NaN for a model not in the catalogue.  [-]
double ShroudAsp(std::string_view Nam, double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/,
                 double Q /*[L/min]*/, double Uo /*[m/s]*/);
/// Shrouded-probe wall loss 0.496 (1 + L/Fr)^0.194 Stkp^0.613 (Ush/Upr)^1.191, Fr = Upr^2/(g Dpr),
/// not clamped; NaN for a model not in the catalogue.  [-]
double ShroudWallLoss(std::string_view Nam, double T /*[degC]*/, double P /*[kPa]*/,
                      double Dp /*[um]*/, double Q /*[L/min]*/, double Uo /*[m/s]*/);
/// Flow through the shroud: Qa while Uo < Qa/Ash; Uo Agp + Qa while
/// Uo > (Uo Agp + Qa)/Ash; else Uo Ash.  [m3/s]
double ShrVel(double Agp /*[m2]*/, double Ash /*[m2]*/, double Q /*[L/min]*/, double Uo /*[m/s]*/);
// Catalogue dimensions, field x 1000; NaN for a name not in the catalogue.
double ShroudD1(std::string_view Nam); // nozzle inlet diameter PDi [mm]
double ShroudD2(std::string_view Nam); // probe outlet diameter PDo [mm]
double ShroudD3(std::string_view Nam); // shroud diameter PDsh [mm]
double ShroudD4(std::string_view Nam); // body diameter PDb [mm]
double ShroudD5(std::string_view Nam); // nozzle length PL [mm]

// ---- Log-normal functions and flow split ----

/// Log-normal density exp(-(ln Dp - ln Dpm)^2 / (2 ln^2 Sigma)) / (sqrt(2 pi) Dp ln Sigma).
/// [1/unit of Dp]
double LogNormalF(double Dp, double Dpm, double Sigma);
/// Log-normal cumulative fraction (1 + erf(V1))/2 with the closed-form approximation
/// erf(x) ~ (2/pi) atan(2x(1 + x^4)), V1 = (ln Dp - ln Dpm)/(sqrt(2) ln Sigma).  [-]
double LogNormalCDF(double Dp, double Dpm, double Sigma);
/// Wye penetration exp(A + b/D1 + e/D2 + h/(D1 D2)), D1 = 1 + (Stk/c)^D,
/// D2 = 1 + (Theta/F)^g, Stk = StkNo(T, P, Dp, V, Din); the eight constants are
/// single-precision values.  [-]
double SplitR(double T /*[degC]*/, double P /*[kPa]*/, double Dp /*[um]*/, double V /*[m/s]*/,
              double Din /*[mm]*/, double Theta /*[deg]*/);

} // namespace LodoMath
