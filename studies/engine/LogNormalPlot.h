#pragma once

#include "studies/engine/DataPass.h"

#include <array>

// The 50 points of the distribution plot: sizes from MDp / DpSD^3 upwards in 50
// equal linear steps (stopping one step short of MDp * DpSD^3), each with the
// log-normal density times 100. MeanPart [um] and PartSD [-] are the distribution
// window's values.
std::array<LNPoint, LNPointCount> LogNormalPlot(float MeanPart, float PartSD);
