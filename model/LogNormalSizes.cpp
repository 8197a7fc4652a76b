#include "model/LogNormalSizes.h"

#include "physics/LodoMath.h"

#include <bit>
#include <cstdint>

namespace {
bool Same(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }
}  // namespace

void LogNormalSizes::Prepare(float LowV, float DpStep, float MDp, float DpSD) {
    if (prepared_ && Same(LowV, lowV_) && Same(DpStep, step_) && Same(MDp, mdp_) &&
        Same(DpSD, sd_))
        return;
    lowV_ = LowV;
    step_ = DpStep;
    mdp_ = MDp;
    sd_ = DpSD;
    prepared_ = true;
    lastCdf_ = 0;
    classes_.clear();
}

const SizeClass& LogNormalSizes::At(int k) {
    while (static_cast<int>(classes_.size()) <= k) {
        SizeClass s{};
        s.Dp = classes_.empty() ? lowV_ : classes_.back().Dp + step_;
        const double f = LodoMath::LogNormalCDF(s.Dp, mdp_, sd_);
        s.Pin = f - lastCdf_;
        const double r = 1e-6 * s.Dp / 2;
        s.Vol = 4.1887902047863905 * (r * r * r);
        s.Min = s.Vol * s.Pin * 1000;
        lastCdf_ = f;
        classes_.push_back(s);
    }
    return classes_[static_cast<std::size_t>(k)];
}
