#pragma once

// Aerosol physics of sampling lines: air properties, particle mechanics, the
// transport models of tubes, fittings and inlets, log-normal weighting and the
// flow-split correlation. Every routine is a pure function of its arguments.
//
// Working units: T [degC], P [kPa, absolute], Dp [um, aerodynamic],
// D/Din/Dco [mm], Q [L/min], V/Uo/Vt [m/s], tube L [m] (nozzle L [mm]),
// Theta [rad] (SplitR: [deg]), fitting angles [deg].
// Argument orders differ from routine to routine on purpose: callers rely on them.

#include <string_view>

namespace LodoMath {

inline constexpr double k = 1.3807e-23;    // Boltzmann constant [J/K]
inline constexpr double g = 9.807;         // gravitational acceleration [m/s2]
inline constexpr double Vis = 1.716e-05;   // reference viscosity of air [Pa s]
inline constexpr double Tr = 273.11;       // reference temperature of Vis [K]
inline constexpr double S = 110.56;        // Sutherland constant of air [K]
inline constexpr double MFPc = 0.4987445;  // mean-free-path coefficient
inline constexpr double RhoP = 1000.0;     // particle density [kg/m3]
inline constexpr double TConv = 273.15;    // degC to K
inline constexpr double ReMax = 4000.0;    // above: turbulent
inline constexpr double ReMin = 2100.0;    // at or below: laminar
inline constexpr double Ru = 8314.471;     // universal gas constant [J/(kmol K)]
inline constexpr double MW = 28.962;       // molar mass of air [kg/kmol]

// ---- Air and particle properties ----
double AirDensity(double T, double P);                       // [kg/m3]
double AirVis(double T);                                     // [Pa s]
double AirMFP(double T, double P);                           // [um]
double TArea(double D);                                      // [unit of D squared]
double Vel(double D, double Q);                              // [m/s]
double ReynoldsNo(double V, double D, double T, double P);   // [-]
double SlipCorr(double Dp, double T, double P);              // [-]
double DiffCoeff(double T, double P, double Dp);             // [m2/s]
double DiffTime(double T, double P, double Dp, double L, double Q);
double ShLow(double T, double P, double Dp, double L, double Q);
double ShHigh(double T, double P, double Dp, double V, double D);
double StkNo(double T, double P, double Dp, double V, double D);
double SchmidtNo(double T, double P, double Dp);
double RelaxNo(double T, double P, double Dp, double V, double D);
double VPlus(double T, double P, double Dp, double V, double D);
double SettleVel(double T, double Dp, double P, double L, double V, double D,
                 double Theta);                              // [m/s]
double ResTime(double D, double L, double Theta, double V, double Vt);

// ---- Straight tubes ----
double TubeDiffTran(double T, double Dp, double V, double D, double L, double Q, double P);
double TubeSedTrans(double T, double Dp, double P, double L, double V, double D,
                    double Theta);
double TubeInertTrans(double T, double Dp, double V, double D, double P, double L, double Q);

// ---- Fittings (angles in degrees) ----
double BendTrans(double T, double Dp, double V, double D, double P, double Ang, double Q,
                 double RC);
double ContTrans(double T, double P, double Dp, double Din, double Dco, double Q, double Ang);
double ExpTrans(double T, double P, double Dp, double Din, double Dco, double Q, double Ang);

// ---- Inlets and the shrouded-probe catalogue ----
struct ProbeData {
    int Pn;               // model number
    std::string_view Pr;  // model name, the lookup key
    double PDsh;          // shroud inner diameter [m]
    double PDb;           // probe body diameter [m]
    double PDi;           // nozzle inlet diameter [m]
    double PDo;           // probe outlet diameter [m]
    double PL;            // nozzle length [m]
};
inline constexpr int ProbeCount = 6;
extern const ProbeData PType[ProbeCount];  // catalogue order, models 1..6

// The catalogue entry named Nam (exact, case-sensitive), or nullptr.
const ProbeData* FindProbe(std::string_view Nam);

double NozzleAsp(double T, double P, double Dp, double Din, double Dco, double Q, double Uo);
double NozWallLoss(double T, double P, double Dp, double Din, double Dco, double L, double Q,
                   double Ang);
double ShroudAsp(std::string_view Nam, double T, double P, double Dp, double Q, double Uo);
double ShroudWallLoss(std::string_view Nam, double T, double P, double Dp, double Q, double Uo);
double ShrVel(double Agp, double Ash, double Q, double Uo);  // [m3/s]
// Catalogue dimensions in mm; NaN for a name not in the catalogue.
double ShroudD1(std::string_view Nam);  // nozzle inlet diameter
double ShroudD2(std::string_view Nam);  // probe outlet diameter
double ShroudD3(std::string_view Nam);  // shroud diameter
double ShroudD4(std::string_view Nam);  // body diameter
double ShroudD5(std::string_view Nam);  // nozzle length

// ---- Log-normal functions and flow split ----
double LogNormalF(double Dp, double Dpm, double Sigma);
double LogNormalCDF(double Dp, double Dpm, double Sigma);
double SplitR(double T, double P, double Dp, double V, double Din, double Theta);

}  // namespace LodoMath
