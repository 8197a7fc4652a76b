#pragma once

// Where the settling velocity changes branch: the Stokes velocity with slip below a
// particle Reynolds number of 1, the drag iteration from 1. The two differ there, so
// every settling result jumps across that particle size; the cut size search and the
// model-limit findings need to know where it lies.
namespace Analysis {

// The particle Reynolds number of the Stokes settling velocity of Dp [um] in air at
// T [degC] and P [kPa], as the settling velocity tests it against 1.  [-]
double StokesParticleReynolds(double T, double P, double Dp);

// The particle size [um] at which that number reaches 1 (the smallest size that takes
// the drag iteration, to 1e-12 relative), searched from 0.001 to 1000 um; NaN when it
// lies outside or the air is no number.
double SettlingSwitchSize(double T, double P);

} // namespace Analysis
