// Empirical penetration of a flow splitter (wye).

#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <cmath>

namespace LodoMath {

namespace {

// The correlation's constants are single-precision values; they enter the
// double-precision arithmetic with their float rounding.
constexpr float A = -2.635f;
constexpr float b = 2.623f;
constexpr float c = 0.4573f;
constexpr float D = 1.68f;
constexpr float e = 2.291f;
constexpr float F = 56.45f;
constexpr float gs = 3.87f; // the correlation's own g, not gravity
constexpr float h = -2.288f;

} // namespace

namespace Kernels {

double SplitR(const AirState& air, const ParticleState& p, double V, double Din, double Theta) {
    const double Stk = StkNo(air, p, V, Din);
    const double D1 = 1 + std::pow(Stk / double(c), double(D));
    const double D2 = 1 + std::pow(Theta / double(F), double(gs));
    const double LnP = double(A) + double(b) / D1 + double(e) / D2 + double(h) / (D1 * D2);
    return std::exp(LnP);
}

} // namespace Kernels

double SplitR(double T, double P, double Dp, double V, double Din, double Theta) {
    const Kernels::AirState air = Kernels::MakeAir(T, P);
    return Kernels::SplitR(air, Kernels::MakeParticle(air, Dp), V, Din, Theta);
}

} // namespace LodoMath
