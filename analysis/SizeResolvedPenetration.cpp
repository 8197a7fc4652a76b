#include "analysis/SizeResolvedPenetration.h"

#include "analysis/SizeTable.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Analysis {
namespace {

// Adaptive Simpson in ln d. The base panels are one ln GSD wide; a panel is halved
// until its two halves agree with it on every integral (the mass and number
// reaching each component, and the mass the inlet aspirates) to Tol over the whole
// range, or to TolAbs on the panel alone: the models jump in size here and there
// (a bend's switch between its two correlations), and a jump is then narrowed to a
// width where it costs nothing. Checked against a far finer integration by a
// different rule.
constexpr double Span = 5;        // ln GSD either side of each median
constexpr double Tol = 5e-5;      // of a penetration, over the range
constexpr double TolAbs = 5e-7;   // of a penetration, per panel
constexpr double MinWidth = 1e-5; // [ln um] no panel narrower
// A line of hundreds of components, each jumping at its own size, would otherwise
// take many thousands of sizes; past this many a panel is taken as it is.
constexpr std::size_t MaxNodes = 8192;
// [ln GSD] 2^-24, half the float resolution near 1: every GSD a float holds but 1 is
// wider.
constexpr double NarrowestSpread = 0x1p-24;

struct Node {
    double q = 0;                 // position on the size lattice (LatticeQ)
    double x = 0;                 // ln d [ln um]
    double wm = 0, wn = 0;        // mass and number densities in ln d
    double asp = 1;               // aspiration of the line's inlet
    std::vector<double> arriving; // share reaching component i; index Count(): leaving
};

class Integrator {
public:
    Integrator(SizeTable& table, double s, double xMass, double xCount, double range)
        : table_(table), n_(table.Count()), xMass_(xMass), xCount_(xCount), twoVar_(2 * s * s),
          norm_(1 / (s * std::sqrt(2 * std::numbers::pi))), range_(range), fineMass_(n_ + 1),
          fineNumber_(n_ + 1), mass(n_ + 1, 0.0), number(n_ + 1, 0.0) {}

    // A node at lattice position q (ln d = LatticeLn(q)).
    std::size_t Add(double q) {
        Node nd;
        nd.q = q;
        nd.x = LatticeLn(q);
        const double x = nd.x;
        nd.wm = norm_ * std::exp(-(x - xMass_) * (x - xMass_) / twoVar_);
        nd.wn = norm_ * std::exp(-(x - xCount_) * (x - xCount_) / twoVar_);
        const SizeTable::Values v = table_.At(LatticeSize(q));
        nd.asp = v.InletAsp;
        nd.arriving.resize(n_ + 1);
        double cum = 1;
        for (std::size_t i = 0; i < n_; ++i) {
            nd.arriving[i] = cum;
            cum *= v.Trans[i];
        }
        nd.arriving[n_] = cum;
        nodes.push_back(std::move(nd));
        return nodes.size() - 1;
    }

    // Integrates over the panel whose ends and middle are the nodes a, m, b.
    // Indices, not references: the nodes grow meanwhile.
    void Panel(std::size_t a, std::size_t m, std::size_t b) {
        const std::size_t q1 = Add((nodes[a].q + nodes[m].q) / 2);
        const std::size_t q2 = Add((nodes[m].q + nodes[b].q) / 2);
        const Node& A = nodes[a];
        const Node& Q1 = nodes[q1];
        const Node& M = nodes[m];
        const Node& Q2 = nodes[q2];
        const Node& B = nodes[b];
        const double h = B.x - A.x;
        double err = 0;
        const auto simpson = [&](double ga, double gq1, double gm, double gq2, double gb) {
            const double coarse = h / 6 * (ga + 4 * gm + gb);
            const double fine = h / 12 * (ga + 4 * gq1 + 2 * gm + 4 * gq2 + gb);
            err = std::max(err, std::fabs(fine - coarse) / 15);
            return fine;
        };
        for (std::size_t i = 0; i <= n_; ++i) {
            fineMass_[i] =
                simpson(A.wm * A.arriving[i], Q1.wm * Q1.arriving[i], M.wm * M.arriving[i],
                        Q2.wm * Q2.arriving[i], B.wm * B.arriving[i]);
            fineNumber_[i] =
                simpson(A.wn * A.arriving[i], Q1.wn * Q1.arriving[i], M.wn * M.arriving[i],
                        Q2.wn * Q2.arriving[i], B.wn * B.arriving[i]);
        }
        const double fineAsp =
            simpson(A.wm * A.asp, Q1.wm * Q1.asp, M.wm * M.asp, Q2.wm * Q2.asp, B.wm * B.asp);
        // A result that is not a number is refined no further: it shows as invalid.
        if (std::isnan(err) || err <= std::max(Tol * h / range_, TolAbs) || h < 4 * MinWidth ||
            nodes.size() >= MaxNodes) {
            for (std::size_t i = 0; i <= n_; ++i) {
                mass[i] += fineMass_[i];
                number[i] += fineNumber_[i];
            }
            aspirated += fineAsp;
            return;
        }
        Panel(a, q1, m);
        Panel(m, q2, b);
    }

private:
    SizeTable& table_;
    std::size_t n_;
    double xMass_, xCount_, twoVar_, norm_, range_;
    std::vector<double> fineMass_, fineNumber_;

public:
    std::vector<Node> nodes;
    std::vector<double> mass, number; // reaching component i; index Count(): leaving the line
    double aspirated = 0;
};

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

SizeResolvedResult Monodisperse(SizeTable& table, double MMAD) {
    const std::size_t n = table.Count();
    const SizeTable::Values v = table.At(static_cast<float>(MMAD));
    const std::vector<double> t(v.Trans.begin(), v.Trans.end());
    const double asp = v.InletAsp;
    const double system = v.System;
    SizeResolvedResult r;
    r.MassPenetration = r.NumberPenetration = system;
    r.PenetratedMMAD = system > 0 ? MMAD : std::nan("");
    r.AspiratedMass = asp;
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

std::optional<SizeResolvedResult>
ComputeSizeResolved(const LodoList& line, double MMAD, double GSD,
                    const LodoMath::ParticleProperties& particle) {
    SizeTable table(line, particle);
    return ComputeSizeResolved(table, MMAD, GSD);
}

std::optional<SizeResolvedResult> ComputeSizeResolved(SizeTable& table, double MMAD, double GSD) {
    if (!(MMAD > 0) || !std::isfinite(MMAD) || !(GSD > 0) || !std::isfinite(GSD))
        return std::nullopt;
    const double s = std::fabs(std::log(GSD));
    // A spread below a float's resolution covers no size but MMAD's few neighbours,
    // and is too narrow for the lattice: its panels would not advance.
    if (s < NarrowestSpread)
        return Monodisperse(table, MMAD);

    const double xMass = std::log(MMAD);
    const double xCount = xMass - 3 * s * s;
    const double lo = std::max(std::log(SizeFloor), xCount - Span * s);
    const double hi = std::min(std::log(SizeCeil), xMass + Span * s);
    if (!(lo < hi))
        return std::nullopt;

    // Base panels about one ln GSD wide, a power of two of lattice steps, with their
    // ends on the lattice where the curve's sizes lie (all but the two outer ends).
    const double qLo = LatticeQ(lo), qHi = LatticeQ(hi);
    const double W = std::exp2(std::round(std::log2(LatticeQ(s) - LatticeQ(0))));
    std::vector<double> ends{qLo};
    for (double m = std::floor(qLo / W) + 1; m * W < qHi; ++m)
        if (m * W - ends.back() > W / 8)
            ends.push_back(m * W);
    if (ends.size() > 1 && qHi - ends.back() <= W / 8)
        ends.back() = qHi;
    else
        ends.push_back(qHi);
    if (ends.size() < 3)
        ends.insert(ends.begin() + 1, (qLo + qHi) / 2);

    Integrator in(table, s, xMass, xCount, hi - lo);
    std::size_t a = in.Add(ends.front());
    for (std::size_t k = 1; k < ends.size(); ++k) {
        const std::size_t m = in.Add((ends[k - 1] + ends[k]) / 2);
        const std::size_t b = in.Add(ends[k]);
        in.Panel(a, m, b);
        a = b;
    }
    const std::size_t n = table.Count();
    const std::vector<double>& mass = in.mass;
    const std::vector<double>& number = in.number;
    const double aspirated = in.aspirated;

    // The mass leaving the line at each node, in size order, for its median.
    std::vector<const Node*> sorted;
    sorted.reserve(in.nodes.size());
    for (const Node& nd : in.nodes)
        sorted.push_back(&nd);
    std::sort(sorted.begin(), sorted.end(),
              [](const Node* p, const Node* q) { return p->x < q->x; });
    std::vector<double> xs, leaving;
    for (const Node* nd : sorted) {
        xs.push_back(nd->x);
        leaving.push_back(nd->wm * nd->arriving[n]);
    }

    SizeResolvedResult r;
    r.MassPenetration = mass[n] / mass[0];
    r.NumberPenetration = number[n] / number[0];
    r.PenetratedMMAD = Median(xs, leaving);
    r.AspiratedMass = aspirated / mass[0];
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
