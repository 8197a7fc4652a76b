#pragma once

#include "physics/LodoMath.h"

#include <cmath>

// The air at which the reference values of the physics tests are evaluated.
inline constexpr double T20 = 20.0;   // [degC]
inline constexpr double P0 = 101.325; // [kPa]

// A mean velocity in a D-mm tube whose Reynolds number is exactly Re at T20/P0,
// or NaN when no double maps onto Re exactly near the estimate.
inline double VelocityForExactRe(double Re, double D) {
    using LodoMath::AirDensity, LodoMath::AirVis, LodoMath::ReynoldsNo;
    double V = Re * AirVis(T20) / (AirDensity(T20, P0) * 0.001 * D);
    for (int step = 0; step < 200; ++step) {
        const double r = ReynoldsNo(V, D, T20, P0);
        if (r == Re)
            return V;
        V = std::nextafter(V, r < Re ? INFINITY : 0.0);
    }
    return NAN;
}
