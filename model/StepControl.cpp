#include "model/StepControl.h"

#include "model/Units.h"

#include <algorithm>
#include <cmath>

namespace StepControl {

namespace {
// Far beyond any count a consistent step control produces (at most 51).
constexpr float MaxSteps = 100000.0f;
} // namespace

Range LogNormalRange(float MDp, float DpSD) {
    const float cube = DpSD * DpSD * DpSD;
    Range r{};
    r.LowV = MDp / cube;
    r.HighV = MDp * cube;
    r.DpStep = (r.HighV - r.LowV) / static_cast<float>(Units::NumStepsLN);
    return r;
}

int StepCount(int Row, float NewHighV, float LowV, float DpStep) {
    if (Row == 0)
        return Units::NumStepsLN;
    const float q = (NewHighV - LowV) / DpStep;
    if (!std::isfinite(q))
        return 0;
    // The default rounding mode (never changed here) rounds half to even.
    const float r = std::nearbyint(std::clamp(q, -MaxSteps, MaxSteps));
    return static_cast<int>(r) + 1;
}

} // namespace StepControl
