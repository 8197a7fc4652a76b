#pragma once

#include "model/DesignCase.h"

// How far an operating point is from failing the design criteria, as one number.
namespace DesignMap {

// The smallest of the criteria's normalised margins. Each margin is the distance from
// its limit as a fraction of the limit's value, so that the three criteria compare on
// one scale:
//   aspiration ratio A         (A - min) / min  and  (max - A) / max
//   transport penetration T    (T - min) / min
//   system penetration S       (S - min) / min
// 0 on a limit, positive inside (0.2: a fifth of the limit's value to spare), negative
// outside. A limit of 0 or below takes the plain difference. NaN when a quantity is
// not a number (no inlet: the aspiration criterion cannot be shown).
double CriteriaMargin(double A, double T, double S, const Design::Criteria& c);

// Which criterion sets the margin.
enum class Binding { None, AspirationLow, AspirationHigh, Transport, System };
Binding BindingCriterion(double A, double T, double S, const Design::Criteria& c);

} // namespace DesignMap
