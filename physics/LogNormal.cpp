// Log-normal size-distribution weights.

#include "physics/LodoMath.h"

#include <cmath>
#include <numbers>

namespace LodoMath {

using std::numbers::pi;

double LogNormalF(double Dp, double Dpm, double Sigma) {
    const double lnSigma = std::log(Sigma);
    const double Denom = std::sqrt(2 * pi) * Dp * lnSigma;
    const double dev = std::log(Dp) - std::log(Dpm);
    const double Numer = std::exp(-0.5 * (dev * dev) / (lnSigma * lnSigma));
    return Numer / Denom;
}

double LogNormalCDF(double Dp, double Dpm, double Sigma) {
    const double Numer = std::log(Dp) - std::log(Dpm);
    const double Denom = std::sqrt(2.0) * std::log(Sigma);
    const double V1 = Numer / Denom;
    const double V1sq = V1 * V1;
    const double V2 = 2 * V1 * (1 + V1sq * V1sq);
    // Closed-form erf approximation: every mass weight of the system is built on it.
    const double erf = (2 / pi) * std::atan(V2);
    return (1 + erf) / 2;
}

}  // namespace LodoMath
