#include "analysis/SizeResolvedPenetration.h"

#include "analysis/LineTransmission.h"

#include <algorithm>
#include <cmath>

namespace Analysis {
namespace {

// Base step in ln d: a sixteenth of ln GSD keeps the trapezoid rule on the
// log-normal weight far below 1e-4, and the cap resolves a broad distribution as
// finely. Where the line's penetration changes by more than Refine between two
// nodes (a steep cut-off, or one of the models' jumps in size) the interval is
// halved, down to MinWidth, so that a jump costs no accuracy.
constexpr double StepPerLnGsd = 1.0 / 16;
constexpr double MaxStep = 0.06;
constexpr double Refine = 1e-3;
constexpr double MinWidth = 1e-5;
constexpr double Span = 5; // ln GSD either side of each median

// One integration node: ln d, the aspiration of the line's inlet and the share of
// the aerosol that arrives at each component (index Count(): leaves the line).
struct Node {
    double x = 0, asp = 1;
    std::vector<double> arriving;
};

Node Evaluate(const LineTransmission& eval, double x, std::vector<double>& t) {
    Node n;
    n.x = x;
    eval.At(static_cast<float>(std::exp(x)), t, &n.asp);
    n.arriving.resize(t.size() + 1);
    double cum = 1;
    for (std::size_t i = 0; i < t.size(); ++i) {
        n.arriving[i] = cum;
        cum *= t[i];
    }
    n.arriving[t.size()] = cum;
    return n;
}

bool NeedsRefining(const Node& a, const Node& b) {
    if (b.x - a.x <= 2 * MinWidth)
        return false;
    if (std::fabs(a.asp - b.asp) > Refine)
        return true;
    for (std::size_t i = 0; i < a.arriving.size(); ++i)
        if (std::fabs(a.arriving[i] - b.arriving[i]) > Refine)
            return true;
    return false;
}

// Appends the nodes strictly inside (out[a], b) and then b. Indices, not
// references: the vector grows meanwhile.
void Subdivide(const LineTransmission& eval, std::size_t a, Node b, std::vector<double>& t,
               std::vector<Node>& out) {
    if (NeedsRefining(out[a], b)) {
        Node mid = Evaluate(eval, (out[a].x + b.x) / 2, t);
        Subdivide(eval, a, std::move(mid), t, out);
        Subdivide(eval, out.size() - 1, std::move(b), t, out);
        return;
    }
    out.push_back(std::move(b));
}

// Median of a density g given at the nodes x, linear between them: where its
// trapezoid integral reaches half.
double Median(const std::vector<double>& x, const std::vector<double>& g) {
    double total = 0;
    for (std::size_t k = 1; k < g.size(); ++k)
        total += (x[k] - x[k - 1]) * (g[k - 1] + g[k]) / 2;
    if (!(total > 0) || !std::isfinite(total))
        return std::nan("");
    const double half = total / 2;
    double F = 0;
    for (std::size_t k = 1; k < g.size(); ++k) {
        const double h = x[k] - x[k - 1];
        const double step = h * (g[k - 1] + g[k]) / 2;
        if (F + step >= half) {
            // F(t) = F + h (g0 t + (g1 - g0) t^2 / 2) on this interval; t in [0, 1].
            const double a = h * (g[k] - g[k - 1]) / 2;
            const double b = h * g[k - 1];
            const double r = half - F;
            const double denom = b + std::sqrt(std::max(0.0, b * b + 4 * a * r));
            const double t = denom > 0 ? std::clamp(2 * r / denom, 0.0, 1.0) : 0.0;
            return std::exp(x[k - 1] + h * t);
        }
        F += step;
    }
    return std::exp(x.back());
}

SizeResolvedResult Monodisperse(const LineTransmission& eval, double MMAD) {
    const std::size_t n = eval.Count();
    std::vector<double> t(n);
    double asp = 1;
    const double system = eval.At(static_cast<float>(MMAD), t, &asp);
    SizeResolvedResult r;
    r.MassPenetration = r.NumberPenetration = system;
    r.PenetratedMMAD = system > 0 ? MMAD : std::nan("");
    double arriving = 1;
    for (std::size_t i = 0; i < n; ++i) {
        ComponentSizeResolved c;
        c.MassPenetration = c.NumberPenetration = arriving != 0 ? t[i] : std::nan("");
        const double entering = i == 0 ? asp : arriving;
        arriving *= t[i];
        c.MassDeposited = (entering - arriving) / asp;
        r.Components.push_back(c);
    }
    return r;
}

} // namespace

double CountMedian(double MMAD, double GSD) {
    const double s = std::log(GSD);
    return MMAD * std::exp(-3 * s * s);
}

std::optional<SizeResolvedResult> ComputeSizeResolved(const LodoList& line, double MMAD,
                                                      double GSD) {
    if (!(MMAD > 0) || !std::isfinite(MMAD) || !(GSD > 0) || !std::isfinite(GSD))
        return std::nullopt;
    const LineTransmission eval(line);
    const double s = std::fabs(std::log(GSD));
    if (s == 0)
        return Monodisperse(eval, MMAD);

    const double xMass = std::log(MMAD);
    const double xCount = xMass - 3 * s * s;
    const double lo = std::max(std::log(SizeFloor), xCount - Span * s);
    const double hi = std::min(std::log(SizeCeil), xMass + Span * s);
    if (!(lo < hi))
        return std::nullopt;
    const auto intervals = static_cast<std::size_t>(
        std::max(2.0, std::ceil((hi - lo) / std::min(StepPerLnGsd * s, MaxStep))));
    const double h = (hi - lo) / static_cast<double>(intervals);

    const std::size_t n = eval.Count();
    std::vector<double> t(n);
    std::vector<Node> nodes;
    nodes.push_back(Evaluate(eval, lo, t));
    for (std::size_t k = 1; k <= intervals; ++k) {
        const double x = k == intervals ? hi : lo + h * static_cast<double>(k);
        Subdivide(eval, nodes.size() - 1, Evaluate(eval, x, t), t, nodes);
    }

    // Integrals of the mass and number weights over what arrives at component i
    // (index n: what leaves the line), by the trapezoid rule in ln d.
    std::vector<double> mass(n + 1, 0.0), number(n + 1, 0.0), xs, leaving;
    double aspirated = 0;
    const double twoVar = 2 * s * s;
    xs.reserve(nodes.size());
    leaving.reserve(nodes.size());
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const Node& nd = nodes[k];
        const double w = ((k > 0 ? nd.x - nodes[k - 1].x : 0) +
                          (k + 1 < nodes.size() ? nodes[k + 1].x - nd.x : 0)) / 2;
        const double wm = std::exp(-(nd.x - xMass) * (nd.x - xMass) / twoVar);
        const double wn = std::exp(-(nd.x - xCount) * (nd.x - xCount) / twoVar);
        aspirated += w * wm * nd.asp;
        for (std::size_t i = 0; i <= n; ++i) {
            mass[i] += w * wm * nd.arriving[i];
            number[i] += w * wn * nd.arriving[i];
        }
        xs.push_back(nd.x);
        leaving.push_back(wm * nd.arriving[n]);
    }

    SizeResolvedResult r;
    r.MassPenetration = mass[n] / mass[0];
    r.NumberPenetration = number[n] / number[0];
    r.PenetratedMMAD = Median(xs, leaving);
    r.Components.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        ComponentSizeResolved& c = r.Components[i];
        c.MassPenetration = mass[i] != 0 ? mass[i + 1] / mass[i] : std::nan("");
        c.NumberPenetration = number[i] != 0 ? number[i + 1] / number[i] : std::nan("");
        c.MassDeposited = ((i == 0 ? aspirated : mass[i]) - mass[i + 1]) / aspirated;
    }
    return r;
}

} // namespace Analysis
