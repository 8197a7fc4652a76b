#include "analysis/SettlingSwitch.h"

#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <limits>

namespace Analysis {

double StokesParticleReynolds(double T, double P, double Dp) {
    namespace K = LodoMath::Kernels;
    const K::AirState air = K::MakeAir(T, P);
    const K::ParticleState p = K::MakeParticle(air, Dp);
    return K::ReynoldsNo(air, K::StokesSettleVel(air, p), Dp / 1000);
}

double SettlingSwitchSize(double T, double P) {
    constexpr double Lo = 0.001, Hi = 1000.0; // [um]
    const auto below = [&](double d) { return StokesParticleReynolds(T, P, d) < 1; };
    // The number grows with the size (as d^3 Cc): one crossing at most.
    if (!below(Lo) || below(Hi))
        return std::numeric_limits<double>::quiet_NaN();
    double lo = Lo, hi = Hi;
    while (hi / lo - 1 > 1e-12) {
        const double mid = std::sqrt(lo * hi);
        (below(mid) ? lo : hi) = mid;
    }
    return hi;
}

} // namespace Analysis
