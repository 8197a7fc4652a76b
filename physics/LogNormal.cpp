// Log-normal size-distribution weights.

#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <numbers>

namespace LodoMath {

using std::numbers::pi;

namespace Kernels {

LogNormalState MakeLogNormal(double Dpm, double Sigma) {
    LogNormalState ln{};
    ln.Dpm = Dpm;
    ln.Sigma = Sigma;
    ln.lnDpm = std::log(Dpm);
    ln.lnSigma = std::log(Sigma);
    ln.CdfDenom = std::sqrt(2.0) * ln.lnSigma;
    return ln;
}

double LogNormalF(const LogNormalState& ln, double Dp) {
    const double Denom = std::sqrt(2 * pi) * Dp * ln.lnSigma;
    const double dev = std::log(Dp) - ln.lnDpm;
    const double Numer = std::exp(-0.5 * (dev * dev) / (ln.lnSigma * ln.lnSigma));
    return Numer / Denom;
}

double LogNormalCDF(const LogNormalState& ln, double Dp) {
    const double Numer = std::log(Dp) - ln.lnDpm;
    const double V1 = Numer / ln.CdfDenom;
    const double V1sq = V1 * V1;
    const double V2 = 2 * V1 * (1 + V1sq * V1sq);
    // Closed-form erf approximation: every mass weight of the system is built on it.
    const double erf = (2 / pi) * std::atan(V2);
    return (1 + erf) / 2;
}

} // namespace Kernels

double LogNormalF(double Dp, double Dpm, double Sigma) {
    return Kernels::LogNormalF(Kernels::MakeLogNormal(Dpm, Sigma), Dp);
}

double LogNormalCDF(double Dp, double Dpm, double Sigma) {
    return Kernels::LogNormalCDF(Kernels::MakeLogNormal(Dpm, Sigma), Dp);
}

} // namespace LodoMath
