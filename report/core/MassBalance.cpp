#include "report/core/MassBalance.h"

namespace EngReport {

double MassBalance::Sum() const {
    double s = NotAspirated.Fraction + Leaving.Fraction;
    for (const MassShare& d : Deposits)
        s += d.Fraction;
    return s;
}

MassBalance BalanceOf(const Analysis::SizeResolvedResult& r,
                      const std::vector<std::string>& names) {
    MassBalance b;
    // The deposits are shares of the aspirated mass; the aspirated mass is a share of
    // the stack's.
    const double aspirated = r.AspiratedMass;
    b.NotAspirated = {aspirated > 1 ? "over-aspirated (drawn in beyond the stack's share)"
                                    : "not aspirated by the inlet",
                      1 - aspirated, -1};
    for (std::size_t i = 0; i < r.Components.size(); ++i)
        b.Deposits.push_back({i < names.size() ? names[i] : std::to_string(i),
                              r.Components[i].MassDeposited * aspirated, static_cast<int>(i)});
    b.Leaving = {"leaving the line", r.MassPenetration, -1};
    return b;
}

} // namespace EngReport
