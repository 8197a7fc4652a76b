#include "design/map/MapMargin.h"

#include <cmath>
#include <limits>

namespace DesignMap {

namespace {
double Above(double value, double limit) {
    return limit > 0 ? (value - limit) / limit : value - limit;
}
double Below(double value, double limit) {
    return limit > 0 ? (limit - value) / limit : limit - value;
}

struct Margins {
    double Values[4];
};
Margins MarginsOf(double A, double T, double S, const Design::Criteria& c) {
    return {{Above(A, c.MinAspirationRatio), Below(A, c.MaxAspirationRatio),
             Above(T, c.MinTransportPenetration), Above(S, c.MinSystemPenetration)}};
}
} // namespace

double CriteriaMargin(double A, double T, double S, const Design::Criteria& c) {
    if (std::isnan(A) || std::isnan(T) || std::isnan(S))
        return std::numeric_limits<double>::quiet_NaN();
    double smallest = std::numeric_limits<double>::infinity();
    for (double m : MarginsOf(A, T, S, c).Values)
        smallest = std::fmin(smallest, m);
    return smallest;
}

Binding BindingCriterion(double A, double T, double S, const Design::Criteria& c) {
    if (std::isnan(A) || std::isnan(T) || std::isnan(S))
        return Binding::None;
    constexpr Binding Order[] = {Binding::AspirationLow, Binding::AspirationHigh,
                                 Binding::Transport, Binding::System};
    const Margins m = MarginsOf(A, T, S, c);
    int k = 0;
    for (int i = 1; i < 4; ++i)
        if (m.Values[i] < m.Values[k])
            k = i;
    return Order[k];
}

} // namespace DesignMap
