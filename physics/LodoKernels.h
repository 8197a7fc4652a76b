#pragma once

// The formulas of LodoMath on precomputed states, for callers that evaluate the
// same component at many particle sizes. What does not change within a component
// (air properties, flow, geometry) or within a size (slip correction, diffusion
// coefficient, settling velocity) is computed once. The public routines of LodoMath
// build these states and call these kernels, so both paths give bit-identical
// results: same expressions, same order.
//
// Typical use for a line at one temperature and pressure:
//   air = MakeAir(T, P); sizes[i] = MakeSize(air, Dp[i]);   // once per line
//   tube = MakeTube(air, Vel(D, Q), D, L, Q, Theta);        // once per tube
//   TubeDiffTran(air, sizes[i], tube) ... per size          // == LodoMath::TubeDiffTran
// A state is only valid with the air it was made from.
//
// Units as in LodoMath.h.

#include "physics/LodoMath.h"

#include <cmath>
#include <numbers>

namespace LodoMath::Kernels {

/// Air at one temperature and pressure.
struct AirState {
    double T;      // [degC]
    double P;      // [kPa]
    double Tk;     // T + TConv [K]
    double rho_a;  // AirDensity(T, P) [kg/m3]
    double mu;     // AirVis(T) [Pa s]
    double lambda; // AirMFP(T, P) [um]
};
AirState MakeAir(double T /*[degC]*/, double P /*[kPa]*/);

/// One particle size in one air state.
struct ParticleState {
    double Dp; // [um]
    double d;  // Dp/1e6 [m]
    double Cc; // SlipCorr(Dp, T, P) [-]
};
ParticleState MakeParticle(const AirState& air, double Dp /*[um]*/);

/// Everything about one particle size in one air that no component geometry enters:
/// the tube models' per-size work. A line at uniform T and P can build it once per
/// size and reuse it in every tube.
struct SizeState {
    ParticleState p;
    double Dc;     // DiffCoeff [m2/s]
    double ScCbrt; // SchmidtNo^(1/3) [-]
    double Vt;     // SettleVel [m/s]
};
SizeState MakeSize(const AirState& air, double Dp /*[um]*/);

/// Mean flow in one tube.
struct FlowState {
    double V;     // mean velocity [m/s]
    double D;     // diameter [mm]
    double Re;    // ReynoldsNo(V, D, T, P)
    double Re875; // Re^0.875 (turbulent Sherwood number)
    double Re75;  // Re^0.75 (relaxation time)
    double ReM8;  // Re^(-1/8) (friction velocity)
};
FlowState MakeFlow(const AirState& air, double V /*[m/s]*/, double D /*[mm]*/);

/// A straight tube: flow plus the size-independent factors of its three models.
struct TubeState {
    FlowState flow;
    double L;           // [m]
    double Q;           // [L/min]
    double Theta;       // [rad]
    double Qm;          // Q/60000 [m3/s]
    double SedFactor;   // cos(Theta) (L/V), leading factor of ResTime
    double DmSed;       // D/1000 [m], as ResTime divides by it
    double InertFactor; // -pi (0.001 D) L, leading factor of the inertial exponent
};
TubeState MakeTube(const AirState& air, double V /*[m/s]*/, double D /*[mm]*/, double L /*[m]*/,
                   double Q /*[L/min]*/, double Theta /*[rad]*/);

/// A cone (contraction or expansion): its size-independent factors.
struct ConeState {
    double Din, Dco, Q, Ang; // [mm], [mm], [L/min], [deg]
    double Vc;               // velocity of the wider end [m/s]: Vel(Din, Q) or Vel(Dco, Q)
    double Dn;               // diameter of the narrower end [mm]: Dco or Din
    double AreaTerm;         // contraction: 1 - Ao/Ai; expansion: R = 1 - Ai/Ao
    double AngTerm;          // contraction: De = 3.14 exp(-0.0185 Ang); expansion: b2
    double LossFactor;       // expansion: 1.1358 R^2
};
ConeState MakeContraction(double Din, double Dco, double Q, double Ang);
ConeState MakeExpansion(double Din, double Dco, double Q, double Ang);

// Particle and flow groups.
double ReynoldsNo(const AirState& air, double V /*[m/s]*/, double D /*[mm]*/);
double DiffCoeff(const AirState& air, const ParticleState& p);
double DiffTime(const AirState& air, const ParticleState& p, double L /*[m]*/, double Q);
double ShLow(const AirState& air, const ParticleState& p, double L /*[m]*/, double Q);
double SchmidtNo(const AirState& air, const ParticleState& p);
double ShHigh(const AirState& air, const ParticleState& p, const FlowState& f);
double StkNo(const AirState& air, const ParticleState& p, double V /*[m/s]*/, double D /*[mm]*/);
double RelaxNo(const AirState& air, const ParticleState& p, const FlowState& f);
double VPlus(const AirState& air, const ParticleState& p, const FlowState& f);
/// Stokes settling velocity with slip VtsL = RhoP d^2 g Cc / (18 mu).  [m/s]
double StokesSettleVel(const AirState& air, const ParticleState& p);
/// Outcome of the Schiller-Naumann drag iteration started from the Stokes velocity VtsL.
struct DragResult {
    double Vt;      // last drag-law velocity [m/s]
    int passes;     // passes made, at most 100
    bool converged; // relative change fell below 1e-4 with a finite, non-negative Vt
};
DragResult SettleDrag(const AirState& air, const ParticleState& p, double VtsL /*[m/s]*/);
/// Terminal settling velocity; the drag iteration runs only where its outcome is used
/// (particle Reynolds number of the Stokes velocity not below 1).  [m/s]
double SettleVel(const AirState& air, const ParticleState& p);

// Correlations shared by the transport models and the routines of LodoMath.

/// Diffusion parameter xi = pi Dc L / Qm, the DiffTime of a tube.  [-]
inline double DiffTimeOf(double Dc /*[m2/s]*/, double L /*[m]*/, double Qm /*[m3/s]*/) {
    return std::numbers::pi * Dc * L / Qm;
}
/// Laminar Sherwood number ShL = 3.66 + 0.2672 / (xi + 0.10079 xi^(1/3)), xi = DiffTime.
inline double ShLowOf(double xi) {
    return 3.66 + 0.2672 / (xi + 0.10079 * std::pow(xi, 1.0 / 3));
}
/// Turbulent Sherwood number ShH = 0.0118 Re^0.875 Sc^(1/3).
inline double ShHighOf(double Re875 /*Re^0.875*/, double ScCbrt /*Sc^(1/3)*/) {
    return 0.0118 * Re875 * ScCbrt;
}
/// Turbulent deposition velocity Vd = Re^(-1/8) V+ V / 5.03, the friction velocity of
/// the Blasius friction factor.  [m/s]
inline double DepositionVel(const FlowState& f, double Vp /*V+ [-]*/) {
    return f.ReM8 * Vp * f.V / 5.03;
}
/// Bend curvature ratio: radius of curvature over the tube radius.  [-]
inline double CurvatureRatio(double Rb /*[m]*/, double D /*[mm]*/) {
    return Rb / (0.001 * D / 2);
}
/// The bend takes its turbulent model only for Re > ReMax and Stk > 0.1.
inline bool BendTurbulent(double Re, double Stk) {
    return Re > ReMax && Stk > 0.1;
}

// Transport models; each evaluates only the regime values its result needs.
double TubeDiffTran(const AirState& air, const SizeState& s, const TubeState& t);
double TubeSedTrans(const AirState& air, const SizeState& s, const TubeState& t);
double TubeInertTrans(const AirState& air, const SizeState& s, const TubeState& t);
double BendTrans(const AirState& air, const ParticleState& p, const FlowState& f,
                 double Ang /*[deg]*/);
double ContTrans(const AirState& air, const ParticleState& p, const ConeState& c);
double ExpTrans(const AirState& air, const ParticleState& p, const ConeState& c);
double NozzleAsp(const AirState& air, const ParticleState& p, double Din /*[mm]*/,
                 double Q /*[L/min]*/, double Uo /*[m/s]*/);
double NozWallLoss(const AirState& air, const ParticleState& p, double Din /*[mm]*/,
                   double L /*[mm]*/, double Q /*[L/min]*/);
/// probe may be nullptr (unknown model): NaN.
double ShroudAsp(const ProbeData* probe, const AirState& air, const ParticleState& p,
                 double Q /*[L/min]*/, double Uo /*[m/s]*/);
double ShroudWallLoss(const ProbeData* probe, const AirState& air, const ParticleState& p,
                      double Q /*[L/min]*/, double Uo /*[m/s]*/);
double SplitR(const AirState& air, const ParticleState& p, double V /*[m/s]*/, double Din /*[mm]*/,
              double Theta /*[deg]*/);

// The intermediate terms of the transport models at one particle size: what the
// transmission is built from, returned whole so that the intermediate-values panels
// and the model-limit checks read the very values the transmission used. Each
// transport routine above is the last field of its terms, computed the same way.

/// A straight tube's three mechanisms at one size; every regime's values are
/// computed, whichever the regime rule picks.
struct TubeTerms {
    double Re; // tube Reynolds number [-]
    // Settling.
    double Vt; // terminal settling velocity SettleVel [m/s]
    double Tt; // ResTime cos(Theta) (L/V) Vt/Dm [-]
    double Z;  // turbulent settling parameter 4 Tt/pi [-]
    double K;  // laminar settling parameter 0.75 Tt, held at 1 [-]
    double ST; // TubeSedTrans [-]
    // Diffusion.
    double Dc;  // DiffCoeff [m2/s]
    double xi;  // DiffTime pi Dc L/Qm [-]
    double ShL; // laminar Sherwood number ShLow [-]
    double ShH; // turbulent Sherwood number ShHigh [-]
    double Sc;  // SchmidtNo [-]
    double DT;  // TubeDiffTran [-]
    // Turbulent inertial deposition.
    double Stk;     // StkNo on the mean velocity and the tube diameter [-]
    double TauPlus; // RelaxNo [-]
    double VPlus;   // dimensionless deposition velocity [-]
    double Vd;      // deposition velocity Re^(-1/8) V+ V / 5.03 [m/s]
    double IT;      // TubeInertTrans [-]
};
TubeTerms TubeTermsOf(const AirState& air, const SizeState& s, const TubeState& t);

/// A bend at one size.
struct BendTerms {
    double Re;             // [-]
    double Stk;            // StkNo on the mean velocity and the tube diameter [-]
    double CurvatureRatio; // bend radius / tube radius [-]
    bool Turbulent;        // the turbulent model was taken (Re > ReMax and Stk > 0.1)
    double Trans;          // BendTrans [-]
};
BendTerms BendTermsOf(const AirState& air, const ParticleState& p, const FlowState& f,
                      double Ang /*[deg]*/, double Rb /*[m]*/);

/// A contraction or an expansion at one size.
struct ConeTerms {
    double Stk;       // StkNo on the wider end's velocity and the narrower diameter [-]
    double AreaTerm;  // contraction 1 - Ao/Ai; expansion 1 - Ai/Ao [-]
    double HalfAngle; // [deg]
    double Px;        // AreaTerm Stk [-]
    double Gr;        // contraction: |Px / De| [-]; expansion: NaN
    double b1, b2;    // expansion: the two exponents of the fit; contraction: NaN
    double Trans;     // ContTrans or ExpTrans [-]
};
ConeTerms ContTermsOf(const AirState& air, const ParticleState& p, const ConeState& c);
ConeTerms ExpTermsOf(const AirState& air, const ParticleState& p, const ConeState& c);

/// A plain nozzle's aspiration at one size.
struct NozzleAspTerms {
    double Vi;    // inlet velocity Vel(Din, Q) [m/s]
    double Stk;   // StkNo on the free stream Uo and Din [-]
    double R;     // velocity ratio Uo/Vi [-]
    double Alpha; // 1.05 Stk / (1 + 1.05 Stk) [-]
    double Asp;   // NozzleAsp 1 + (R - 1) Alpha [-]
};
NozzleAspTerms NozzleAspTermsOf(const AirState& air, const ParticleState& p, double Din /*[mm]*/,
                                double Q /*[L/min]*/, double Uo /*[m/s]*/);

/// A plain nozzle's wall loss at one size.
struct NozWallTerms {
    double Vi;   // inlet velocity [m/s]
    double Rei;  // inlet Reynolds number [-]
    double Stkp; // StkNo on Vi and Din [-]
    double C1;   // 3.08 sqrt(rho mu) / (d RhoP)
    double kref; // 4 Vi / r [1/s]
    double TauN; // 1 / (C1 sqrt(kref))
    double PL;   // TauN Vi / r
    double Rz;   // 2 Stkp / sqrt(PL)
    double Fr;   // Froude number 2 Vi^2 / (g Dm) [-]
    double X;    // the correlation before it is held at 1 [-]
    double WL;   // NozWallLoss [-]
};
NozWallTerms NozWallTermsOf(const AirState& air, const ParticleState& p, double Din /*[mm]*/,
                            double L /*[mm]*/, double Q /*[L/min]*/);

/// A shrouded probe's aspiration at one size; NaN throughout for an unknown model.
struct ShroudAspTerms {
    double Ash, Abd, Agp, Ai; // shroud, body, gap and inner-nozzle areas [m2]
    double Qsh;               // flow through the shroud ShrVel [m3/s]
    double Ush;               // shroud velocity [m/s]
    double Rs;                // shroud velocity ratio Uo/Ush [-]
    double Usc;               // core velocity reaching the inner probe [m/s]
    double Upr;               // inner-nozzle velocity [m/s]
    double Rpr;               // probe velocity ratio Usc/Upr [-]
    double Stks;              // StkNo on Uo and the shroud diameter [-]
    double Stkpr;             // StkNo on Usc and the inner-nozzle diameter [-]
    double AlphaS, AlphaP;    // [-]
    double AspS, AspP;        // aspiration ratios of shroud and inner probe [-]
    double F;                 // correlation function [-]
    double Asp;               // ShroudAsp AspP AspS F [-]
};
ShroudAspTerms ShroudAspTermsOf(const ProbeData* probe, const AirState& air, const ParticleState& p,
                                double Q /*[L/min]*/, double Uo /*[m/s]*/);

/// A shrouded probe's wall loss at one size; NaN throughout for an unknown model.
struct ShroudWallTerms {
    double Lw;   // normalised length PL/PDi [-]
    double Upr;  // inner-nozzle velocity [m/s]
    double Ush;  // shroud velocity [m/s]
    double Fr;   // Froude number Upr^2 / (g PDi) [-]
    double Stkp; // StkNo on Upr and the inner-nozzle diameter [-]
    double WL;   // ShroudWallLoss [-]
};
ShroudWallTerms ShroudWallTermsOf(const ProbeData* probe, const AirState& air,
                                  const ParticleState& p, double Q /*[L/min]*/,
                                  double Uo /*[m/s]*/);

/// A log-normal distribution's size-independent logarithms.
struct LogNormalState {
    double Dpm, Sigma;
    double lnDpm;    // ln Dpm
    double lnSigma;  // ln Sigma
    double CdfDenom; // sqrt(2) ln Sigma
};
LogNormalState MakeLogNormal(double Dpm, double Sigma);
double LogNormalF(const LogNormalState& ln, double Dp);
double LogNormalCDF(const LogNormalState& ln, double Dp);

} // namespace LodoMath::Kernels
