#include "analysis/SizeTable.h"

#include "analysis/PenetrationCurve.h"

#include <bit>
#include <cmath>

namespace Analysis {
namespace {

constexpr int Last = CurvePoints - 1;

double A() {
    return std::log(CurveFrom);
}
double B() {
    return std::log(CurveTo);
}

// The curve, the size-resolved result and the cut size together visit about this
// many sizes: room for them from the start saves growing a large table.
constexpr std::size_t TypicalSizes = 512;

} // namespace

SizeTable::SizeTable(const LodoList& line, const LodoMath::ParticleProperties& particle)
    : eval_(line, particle) {
    trans_.reserve(TypicalSizes * eval_.Count());
    system_.reserve(TypicalSizes);
    asp_.reserve(TypicalSizes);
    index_.reserve(TypicalSizes);
}

SizeTable::Values SizeTable::At(float Dp) {
    const std::size_t n = eval_.Count();
    const auto [it, fresh] = index_.try_emplace(std::bit_cast<std::uint32_t>(Dp), system_.size());
    const std::size_t row = it->second;
    if (fresh) {
        trans_.resize(trans_.size() + n);
        double asp = 1;
        system_.push_back(eval_.At(Dp, std::span<double>(trans_).subspan(row * n, n), &asp));
        asp_.push_back(asp);
    }
    return {std::span<const double>(trans_).subspan(row * n, n), system_[row], asp_[row]};
}

double LatticeLn(double q) {
    const double a = A(), b = B();
    // The expression LogSpacedSizes evaluates, so that whole q give its very floats.
    return a + (b - a) * q / Last;
}

float LatticeSize(double q) {
    if (q == 0)
        return static_cast<float>(CurveFrom);
    if (q == Last)
        return static_cast<float>(CurveTo);
    return static_cast<float>(std::exp(LatticeLn(q)));
}

double LatticeQ(double lnd) {
    const double a = A(), b = B();
    return (lnd - a) * Last / (b - a);
}

} // namespace Analysis
