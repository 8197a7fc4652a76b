#pragma once

#include <vector>

// The particle sizes a log-normal integration visits, with their number and mass
// weights. They depend only on the step control and the distribution, never on the
// component, so one table serves every component of a whole-line evaluation.
struct SizeClass {
    float Dp;    // [um] LowV advanced by repeated single-precision steps
    double Pin;  // number fraction of the class ending at Dp
    double Vol;  // volume of one particle times 4/3 pi [m3]
    double Min;  // mass of the class, Vol * Pin * 1000 [kg per particle]
};

class LogNormalSizes {
public:
    // Starts over when any of the four values differs from the table's.
    void Prepare(float LowV, float DpStep, float MDp, float DpSD);
    // Size class k (0-based), built on demand.
    const SizeClass& At(int k);

private:
    float lowV_ = 0, step_ = 0, mdp_ = 0, sd_ = 0;
    bool prepared_ = false;
    double lastCdf_ = 0;
    std::vector<SizeClass> classes_;
};
