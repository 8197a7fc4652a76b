#pragma once

#include "physics/LodoKernels.h"
#include "physics/ParticleProperties.h"

#include <vector>

// The particle sizes a log-normal integration visits, with their number and mass
// weights. They depend only on the step control and the distribution, never on the
// component, so one table serves every component of a whole-line evaluation. The
// per-size particle states depend on the air as well; they are kept per air, and a
// line at one temperature and pressure builds them once.
struct SizeClass {
    float Dp;   // [um] LowV advanced by repeated single-precision steps
    double Pin; // number fraction of the class ending at Dp
    double Vol; // 4/3 pi (Dp/2)^3 [m3]
    double Min; // mass of the class, Vol * Pin * 1000
};

class LogNormalSizes {
public:
    // Starts over when any of the values differs from the table's.
    void Prepare(float LowV, float DpStep, float MDp, float DpSD,
                 const LodoMath::ParticleProperties& particle = {});
    // Size class k (0-based), built on demand.
    SizeClass At(int k);
    // The particle state of size class k in the given air, built on demand: the
    // aerodynamic state and settling, and the diffusion of the volume-equivalent size.
    const LodoMath::Kernels::SizeState& State(const LodoMath::Kernels::AirState& air, int k);

private:
    struct AirSizes {
        double T, P; // the air's key
        LodoMath::Kernels::AirState air;
        std::vector<LodoMath::Kernels::SizeState> states;
    };
    float lowV_ = 0, step_ = 0, mdp_ = 0, sd_ = 0;
    LodoMath::ParticleProperties particle_;
    bool prepared_ = false;
    double lastCdf_ = 0;
    std::vector<SizeClass> classes_;
    std::vector<AirSizes> airs_;
    std::size_t lastAir_ = 0;
};
