// Conversion between aerodynamic and volume-equivalent diameters, and the mobility
// diffusion coefficient of a non-spherical particle.

#include "physics/ParticleProperties.h"

#include "physics/LodoMath.h"

#include <cmath>
#include <limits>

namespace LodoMath {

namespace Kernels {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

bool PositiveFinite(double v) {
    return std::isfinite(v) && v > 0;
}

// x^2 Cc(x) with the program's slip correction.  [um2]
double SlipArea(const AirState& air, double x) {
    return x * x * Kernels::MakeParticle(air, x).Cc;
}

// 3 pi of the Stokes-Einstein diffusion coefficient, as DiffCoeff writes it.
constexpr double ThreePi = 9.42477796076938;

} // namespace

double SolveSlipSize(const AirState& air, double target) {
    if (!PositiveFinite(target))
        return NaN;
    // x^2 Cc(x) = x^2 + M x (2.34 + 1.05 e), e = exp(-0.39 x/M), rises with x and lies
    // between x^2 and x^2 + 3.39 M x: that brackets the root.
    const double M = air.lambda;
    double lo = (-3.39 * M + std::sqrt(3.39 * M * (3.39 * M) + 4 * target)) / 2;
    double hi = std::sqrt(target);
    double x = lo;
    for (int pass = 0; pass < 200; ++pass) {
        const double f = SlipArea(air, x) - target;
        if (f == 0)
            return x;
        (f < 0 ? lo : hi) = x;
        const double e = std::exp(-0.39 * x / M);
        const double slope = 2 * x + M * (2.34 + 1.05 * e) - 0.4095 * x * e;
        double next = x - f / slope;
        if (!(next > lo && next < hi))
            next = (lo + hi) / 2;
        if (std::fabs(next - x) <= 1e-15 * x || hi - lo <= 1e-15 * hi)
            return next;
        x = next;
    }
    return x;
}

double AerodynamicDiameter(const AirState& air, double Dve, double RhoPart, double Chi) {
    if (!PositiveFinite(Dve) || !PositiveFinite(RhoPart) || !PositiveFinite(Chi))
        return NaN;
    if (RhoPart / Chi == Rho0)
        return Dve;
    return SolveSlipSize(air, RhoPart / (Chi * Rho0) * SlipArea(air, Dve));
}

double VolumeEquivalentDiameter(const AirState& air, double Da, double RhoPart, double Chi) {
    if (!PositiveFinite(Da) || !PositiveFinite(RhoPart) || !PositiveFinite(Chi))
        return NaN;
    if (RhoPart / Chi == Rho0)
        return Da;
    return SolveSlipSize(air, Chi * Rho0 / RhoPart * SlipArea(air, Da));
}

double DiffCoeffVe(const AirState& air, const ParticleState& ve, double Chi) {
    return k * air.Tk * ve.Cc / (ThreePi * air.mu * Chi * ve.d);
}

ParticleDiameters DiametersOf(const AirState& air, double Dp, const ParticleProperties& pp) {
    if (pp.SameDiameters())
        return {Dp, Dp};
    if (pp.Sizes == SizeType::Physical)
        return {AerodynamicDiameter(air, Dp, pp.Density, pp.ShapeFactor), Dp};
    return {Dp, VolumeEquivalentDiameter(air, Dp, pp.Density, pp.ShapeFactor)};
}

ParticleState MakeParticle(const AirState& air, double Dp, const ParticleProperties& pp) {
    if (pp.Sizes == SizeType::Aerodynamic || pp.SameDiameters())
        return Kernels::MakeParticle(air, Dp);
    return Kernels::MakeParticle(air, AerodynamicDiameter(air, Dp, pp.Density, pp.ShapeFactor));
}

SizeState MakeSize(const AirState& air, double Dp, const ParticleProperties& pp) {
    if (pp.IsUnitDensitySphere())
        return Kernels::MakeSize(air, Dp);
    const ParticleDiameters d = DiametersOf(air, Dp, pp);
    SizeState s = Kernels::MakeSize(air, d.Da);
    s.Dc = DiffCoeffVe(air, Kernels::MakeParticle(air, d.Dve), pp.ShapeFactor);
    s.ScCbrt = std::pow(air.mu / (air.rho_a * s.Dc), 1.0 / 3); // SchmidtNo^(1/3)
    return s;
}

} // namespace Kernels

double AerodynamicDiameter(double Dve, double RhoPart, double Chi, double T, double P) {
    return Kernels::AerodynamicDiameter(Kernels::MakeAir(T, P), Dve, RhoPart, Chi);
}

double VolumeEquivalentDiameter(double Da, double RhoPart, double Chi, double T, double P) {
    return Kernels::VolumeEquivalentDiameter(Kernels::MakeAir(T, P), Da, RhoPart, Chi);
}

double DiffCoeffVe(double T, double P, double Dve, double Chi) {
    const Kernels::AirState air = Kernels::MakeAir(T, P);
    return Kernels::DiffCoeffVe(air, Kernels::MakeParticle(air, Dve), Chi);
}

} // namespace LodoMath
