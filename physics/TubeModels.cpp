// Penetration of a straight tube against diffusion, settling and turbulent inertial
// deposition.

#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace LodoMath {

using std::numbers::pi;

namespace Kernels {

namespace {

enum class Regime { Laminar, Transition, Turbulent };

// Re exactly 4000 falls through to laminar, as does Re exactly 2100.
Regime RegimeOf(double Re) {
    if (ReMin < Re && Re < ReMax)
        return Regime::Transition;
    if (Re > ReMax)
        return Regime::Turbulent;
    return Regime::Laminar;
}

// Applies the regime rule, evaluating only the values the result needs.
template <class Laminar, class Turbulent> double ByRegime(double Re, Laminar nl, Turbulent nh) {
    switch (RegimeOf(Re)) {
    case Regime::Transition:
        return std::min(nl(), nh());
    case Regime::Turbulent:
        return nh();
    case Regime::Laminar:
        break;
    }
    return nl();
}

// The settling groups of the residence time Tt: laminar kappa before its clamp, and
// the turbulent exponent.
double SedKappa(double Tt) {
    return 0.75 * Tt;
}
double SedZ(double Tt) {
    return 4 * Tt / pi;
}

double ResidenceTime(const SizeState& s, const TubeState& t) {
    return t.SedFactor * (s.Vt / t.DmSed);
}

} // namespace

TubeState MakeTube(const AirState& air, double V, double D, double L, double Q, double Theta) {
    TubeState t{};
    t.flow = MakeFlow(air, V, D);
    t.L = L;
    t.Q = Q;
    t.Theta = Theta;
    t.Qm = Q / 60000;
    t.SedFactor = std::cos(Theta) * (L / V);
    t.DmSed = D / 1000;
    t.InertFactor = -pi * (0.001 * D) * L;
    return t;
}

double TubeDiffTran(const AirState& /*air*/, const SizeState& s, const TubeState& t) {
    const double xi = DiffTimeOf(s.Dc, t.L, t.Qm);
    return ByRegime(
        t.flow.Re,
        [&] {
            // A zero-length tube: xi ShL -> 0 although ShL itself diverges.
            if (xi == 0)
                return 1.0;
            return std::exp(-xi * ShLowOf(xi));
        },
        [&] { return std::exp(-xi * ShHighOf(t.flow.Re875, s.ScCbrt)); });
}

double TubeSedTrans(const AirState& /*air*/, const SizeState& s, const TubeState& t) {
    const double Tt = ResidenceTime(s, t);
    const double n = ByRegime(
        t.flow.Re,
        [&] {
            const double K1 = SedKappa(Tt);
            if (K1 >= 1)
                return 0.0; // kappa clamped to 1: everything settles
            // Settling away from the lower wall (a tube tilted past the vertical): no loss.
            if (K1 < 0)
                return 1.0;
            const double kappa = K1;
            const double X1 = 2 * kappa;
            const double X2 = std::pow(kappa, 0.3333);
            // The square root is the correctly rounded power 0.5, and cheaper.
            const double X3 = std::sqrt(1 - std::pow(kappa, 2.0 / 3));
            return 1 - (2 / pi) * (X1 * X3 - X2 * X3 + std::asin(X2));
        },
        [&] { return std::exp(-SedZ(Tt)); });
    if (!(n >= 0))
        return 0.0; // NaN counts as no penetration
    return n > 1 ? 1.0 : n;
}

double TubeInertTrans(const AirState& air, const SizeState& s, const TubeState& t) {
    return ByRegime(
        t.flow.Re, [] { return 1.0; },
        [&] {
            const double Vp = VPlus(air, s.p, t.flow);
            return std::exp(t.InertFactor * DepositionVel(t.flow, Vp) / t.Qm);
        });
}

TubeTerms TubeTermsOf(const AirState& air, const SizeState& s, const TubeState& t) {
    TubeTerms r{};
    r.Re = t.flow.Re;
    r.Vt = s.Vt;
    r.Tt = ResidenceTime(s, t);
    r.Z = SedZ(r.Tt);
    const double K1 = SedKappa(r.Tt);
    r.K = K1 > 1 ? 1.0 : K1; // NaN stays NaN
    r.ST = TubeSedTrans(air, s, t);
    r.Dc = s.Dc;
    r.xi = DiffTimeOf(s.Dc, t.L, t.Qm);
    r.ShL = ShLowOf(r.xi);
    r.ShH = ShHighOf(t.flow.Re875, s.ScCbrt);
    r.Sc = SchmidtNo(air, s.p);
    r.DT = TubeDiffTran(air, s, t);
    r.Stk = StkNo(air, s.p, t.flow.V, t.flow.D);
    r.TauPlus = RelaxNo(air, s.p, t.flow);
    r.VPlus = VPlus(air, s.p, t.flow);
    r.Vd = DepositionVel(t.flow, r.VPlus);
    r.IT = TubeInertTrans(air, s, t);
    return r;
}

} // namespace Kernels

using namespace Kernels;

double TubeDiffTran(double T, double Dp, double V, double D, double L, double Q, double P) {
    const AirState air = MakeAir(T, P);
    return Kernels::TubeDiffTran(air, MakeSize(air, Dp), MakeTube(air, V, D, L, Q, 0.0));
}

double TubeSedTrans(double T, double Dp, double P, double L, double V, double D, double Theta) {
    const AirState air = MakeAir(T, P);
    // The settling model takes no flow rate: only V enters.
    return Kernels::TubeSedTrans(air, MakeSize(air, Dp), MakeTube(air, V, D, L, 0.0, Theta));
}

double TubeInertTrans(double T, double Dp, double V, double D, double P, double L, double Q) {
    const AirState air = MakeAir(T, P);
    return Kernels::TubeInertTrans(air, MakeSize(air, Dp), MakeTube(air, V, D, L, Q, 0.0));
}

} // namespace LodoMath
