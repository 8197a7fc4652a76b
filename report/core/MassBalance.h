#pragma once

#include "analysis/SizeResolvedPenetration.h"

#include <string>
#include <vector>

// Where the mass goes, on the basis of the mass in the stack: what the inlet does not
// aspirate (negative when it over-aspirates: draws in more than the stack's share),
// what each component deposits, what leaves the line. The shares sum to 1.
namespace EngReport {

struct MassShare {
    std::string Label;
    double Fraction = 0; // of the mass in the stack that the sample flow corresponds to
    int Row = -1;        // the component's row; -1 for the two shares that are not one
};

struct MassBalance {
    MassShare NotAspirated;          // 1 - aspiration ratio (mass-weighted)
    std::vector<MassShare> Deposits; // line order
    MassShare Leaving;               // the system penetration
    double Sum() const;
};

// From the size-resolved result of the line; `names` are the components' names, in
// line order.
MassBalance BalanceOf(const Analysis::SizeResolvedResult& r, const std::vector<std::string>& names);

} // namespace EngReport
