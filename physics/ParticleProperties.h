#pragma once

// Real particles: density, shape and the two diameters that follow from them.
//
// The transport models take one size, the aerodynamic diameter da (the unit-density
// sphere with the same settling velocity). That is the right size for everything
// inertia decides: settling, inertial deposition in tubes, bends and fittings,
// aspiration and inlet wall loss. Diffusion follows the particle's mobility instead,
// which belongs to its volume-equivalent diameter dve and its dynamic shape factor
// chi. The two are tied by equal settling velocity in the slip regime:
//   Rho0 da^2 Cc(da) = RhoPart dve^2 Cc(dve) / chi,   Rho0 = 1000 kg/m3,
// with the program's own slip correction SlipCorr (Hinds 1999, Aerosol Technology,
// eqs. 3.27 and 3.29).
//
// Units as in LodoMath.h: T [degC], P [kPa], diameters [um].

#include "physics/LodoKernels.h"

namespace LodoMath {

/// Density of the sphere that defines the aerodynamic diameter.  [kg/m3]
inline constexpr double Rho0 = 1000.0;

/// Thermal conductivity of a particle when nothing better is known.  [W/(m K)]
/// Soda-lime glass at 300 K, 1.4 W/(m K) (Incropera & DeWitt, Fundamentals of Heat
/// and Mass Transfer, Table A.3): the glassy silicate spheres of fly ash, the bulk of
/// the mineral particles in a stack. Soot and organics lie lower (about 0.2), salts
/// higher (sodium chloride about 6.5). The thermophoretic coefficient hardly depends on
/// it below about 0.1 um; at 1 um it moves by about a tenth between 0.2 and 6.5.
inline constexpr double DefaultThermalConductivity = 1.4;

/// Which diameter the entered particle sizes are.
enum class SizeType {
    Aerodynamic, // the aerodynamic diameter (the program's own convention)
    Physical,    // the volume-equivalent diameter
};

/// What the particles are made of and how they are shaped.
struct ParticleProperties {
    double Density = Rho0;                                   // RhoPart [kg/m3]
    double ShapeFactor = 1.0;                                // dynamic shape factor chi [-]
    SizeType Sizes = SizeType::Aerodynamic;                  // what the entered sizes are
    double ThermalConductivity = DefaultThermalConductivity; // kp [W/(m K)]
    bool operator==(const ParticleProperties&) const = default;

    /// Unit-density spheres: every mechanism sees the entered size as it always has.
    bool IsUnitDensitySphere() const { return Density == Rho0 && ShapeFactor == 1.0; }
    /// da and dve are the same size: the sizes need no conversion.
    bool SameDiameters() const { return Density / ShapeFactor == Rho0; }
};

/// The aerodynamic diameter da of a particle of volume-equivalent diameter Dve: the
/// root of Rho0 da^2 Cc(da) = RhoPart Dve^2 Cc(Dve) / Chi, to 1e-12 relative. Exactly
/// Dve when RhoPart/Chi = Rho0. NaN for a size, density or shape factor that is not
/// positive and finite.  [um]
double AerodynamicDiameter(double Dve /*[um]*/, double RhoPart /*[kg/m3]*/, double Chi /*[-]*/,
                           double T /*[degC]*/, double P /*[kPa]*/);
/// The volume-equivalent diameter of a particle of aerodynamic diameter Da, by the
/// same relation.  [um]
double VolumeEquivalentDiameter(double Da /*[um]*/, double RhoPart /*[kg/m3]*/, double Chi /*[-]*/,
                                double T /*[degC]*/, double P /*[kPa]*/);
/// Stokes-Einstein with the mobility of a non-spherical particle:
/// D = k Tk Cc(dve) / (3 pi mu Chi dve). With Chi = 1 it is DiffCoeff(T, P, Dve).  [m2/s]
double DiffCoeffVe(double T /*[degC]*/, double P /*[kPa]*/, double Dve /*[um]*/,
                   double Chi /*[-]*/);

namespace Kernels {

/// The size whose ParticleState is the state for Cc in the relation: the root x of
/// Rho0 x^2 Cc(x) = target in the given air, Newton's method held inside a bracket.  [um]
double SolveSlipSize(const AirState& air, double target /*Rho0 x^2 Cc(x) [kg/m3 um2]*/);
double AerodynamicDiameter(const AirState& air, double Dve /*[um]*/, double RhoPart, double Chi);
double VolumeEquivalentDiameter(const AirState& air, double Da /*[um]*/, double RhoPart,
                                double Chi);
double DiffCoeffVe(const AirState& air, const ParticleState& ve, double Chi);

/// Both diameters of the particle whose entered size is Dp.
struct ParticleDiameters {
    double Da;  // aerodynamic [um]
    double Dve; // volume-equivalent [um]
};
ParticleDiameters DiametersOf(const AirState& air, double Dp /*[um]*/,
                              const ParticleProperties& pp);

/// The aerodynamic particle state of the entered size Dp: what settling, inertial
/// deposition, fittings and inlets take. For aerodynamic sizes it is MakeParticle(air, Dp).
ParticleState MakeParticle(const AirState& air, double Dp /*[um]*/, const ParticleProperties& pp);

/// The tube models' per-size state of the entered size Dp: settling velocity of the
/// aerodynamic diameter, diffusion coefficient of the volume-equivalent one. For
/// unit-density spheres it is MakeSize(air, Dp).
SizeState MakeSize(const AirState& air, double Dp /*[um]*/, const ParticleProperties& pp);

} // namespace Kernels

} // namespace LodoMath
