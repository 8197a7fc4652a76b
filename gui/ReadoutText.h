#pragma once

#include <QString>

// Number texts of the chart read-outs: rounded to 5 significant digits and shown
// with exactly 2 decimals; scientific when more than five digits precede the point.
QString FixedFiveTwo(double x);
