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
