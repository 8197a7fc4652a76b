#include "model/LogNormalSizes.h"

#include "physics/LodoMath.h"

#include <bit>
#include <cstdint>

namespace {
template <class F> bool Same(F a, F b) {
    using Bits = std::conditional_t<sizeof(F) == 4, std::uint32_t, std::uint64_t>;
    return std::bit_cast<Bits>(a) == std::bit_cast<Bits>(b);
}
// More distinct airs than this in one line is unusual; beyond it the cache restarts.
constexpr std::size_t MaxAirs = 16;
} // namespace

void LogNormalSizes::Prepare(float LowV, float DpStep, float MDp, float DpSD,
                             const LodoMath::ParticleProperties& particle) {
    if (prepared_ && Same(LowV, lowV_) && Same(DpStep, step_) && Same(MDp, mdp_) &&
        Same(DpSD, sd_) && particle == particle_)
        return;
    particle_ = particle;
    lowV_ = LowV;
    step_ = DpStep;
    mdp_ = MDp;
    sd_ = DpSD;
    prepared_ = true;
    lastCdf_ = 0;
    classes_.clear();
    airs_.clear();
    lastAir_ = 0;
}

namespace {
// 4 pi / 3 of a sphere's volume, as the program has always written it.
constexpr double FourThirdsPi = 4.1887902047863905;
} // namespace

SizeClass LogNormalSizes::At(int k) {
    while (static_cast<int>(classes_.size()) <= k) {
        SizeClass s{};
        s.Dp = classes_.empty() ? lowV_ : classes_.back().Dp + step_;
        const double f = LodoMath::LogNormalCDF(s.Dp, mdp_, sd_);
        s.Pin = f - lastCdf_;
        const double r = 1e-6 * s.Dp / 2;
        s.Vol = FourThirdsPi * (r * r * r);
        s.Min = s.Vol * s.Pin * 1000;
        lastCdf_ = f;
        classes_.push_back(s);
    }
    return classes_[static_cast<std::size_t>(k)];
}

const LodoMath::Kernels::SizeState& LogNormalSizes::State(const LodoMath::Kernels::AirState& air,
                                                          int k) {
    if (lastAir_ >= airs_.size() || !Same(airs_[lastAir_].T, air.T) ||
        !Same(airs_[lastAir_].P, air.P)) {
        lastAir_ = airs_.size();
        for (std::size_t i = 0; i < airs_.size(); ++i)
            if (Same(airs_[i].T, air.T) && Same(airs_[i].P, air.P))
                lastAir_ = i;
        if (lastAir_ == airs_.size()) {
            if (airs_.size() == MaxAirs)
                airs_.clear(), lastAir_ = 0;
            airs_.push_back(AirSizes{air.T, air.P, air, {}});
        }
    }
    AirSizes& a = airs_[lastAir_];
    while (static_cast<int>(a.states.size()) <= k) {
        const float dp = At(static_cast<int>(a.states.size())).Dp;
        a.states.push_back(LodoMath::Kernels::MakeSize(a.air, dp, particle_));
    }
    return a.states[static_cast<std::size_t>(k)];
}
