#include "design/map/MapQuantity.h"

#include "model/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

namespace DesignMap {

std::string_view QuantityTitle(Quantity q) {
    switch (q) {
    case Quantity::SystemPenetration:
        return "System penetration";
    case Quantity::AspirationRatio:
        return "Aspiration ratio";
    case Quantity::TransportPenetration:
        return "Transport penetration";
    case Quantity::Margin:
        return "Margin";
    }
    return "";
}

double ValueOf(const MapPoint& p, Quantity q) {
    switch (q) {
    case Quantity::SystemPenetration:
        return p.SystemPenetration;
    case Quantity::AspirationRatio:
        return p.AspirationRatio;
    case Quantity::TransportPenetration:
        return p.TransportPenetration;
    case Quantity::Margin:
        return p.Margin;
    }
    return std::nan("");
}

bool IsPercent(Quantity q) {
    return q == Quantity::SystemPenetration || q == Quantity::TransportPenetration;
}

ScaleRange ScaleOf(const MapGrid& g, Quantity q, const Design::Criteria& limits) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (const MapPoint& p : g.Points) {
        const double v = ValueOf(p, q);
        if (std::isfinite(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    switch (q) {
    case Quantity::SystemPenetration:
    case Quantity::TransportPenetration:
        return {std::min(0.0, lo), std::max(1.0, std::isfinite(hi) ? hi : 1.0)};
    case Quantity::AspirationRatio:
        lo =
            std::min(std::isfinite(lo) ? lo : limits.MinAspirationRatio, limits.MinAspirationRatio);
        hi =
            std::max(std::isfinite(hi) ? hi : limits.MaxAspirationRatio, limits.MaxAspirationRatio);
        return {lo, hi};
    case Quantity::Margin:
        lo = std::min(std::isfinite(lo) ? lo : -1.0, 0.0);
        hi = std::max(std::isfinite(hi) ? hi : 1.0, 0.0);
        if (hi == lo)
            hi = lo + 1;
        return {lo, hi};
    }
    return {};
}

namespace {
std::string Sig(double v, int digits) {
    if (!std::isfinite(v))
        return "—";
    return fmt::format("{:.{}g}", v, digits);
}
std::string Pct(double v) {
    return std::isfinite(v) ? fmt::format("{:.1f} %", 100 * v) : std::string("—");
}
} // namespace

std::string PointValuesText(const LineMap& map, double x, double y) {
    const Axis& X = map.Grid.X;
    const Axis& Y = map.Grid.Y;
    return fmt::format("{} {} {}, {} {} {}", VariableName(X.Quantity), Sig(x, 4),
                       VariableUnit(X.Quantity), VariableName(Y.Quantity), Sig(y, 4),
                       VariableUnit(Y.Quantity));
}

std::string PointText(const LineMap& map, const MapPoint& p) {
    std::string text = PointValuesText(map, p.X, p.Y) + ": ";
    text += fmt::format("aspiration ratio {}, transport {}, system {}",
                        std::isfinite(p.AspirationRatio) ? fmt::format("{:.3f}", p.AspirationRatio)
                                                         : std::string("—"),
                        Pct(p.TransportPenetration), Pct(p.SystemPenetration));
    switch (p.Verdict) {
    case PointVerdict::Pass:
    case PointVerdict::Fail:
        text += fmt::format(" — {}", p.Verdict == PointVerdict::Pass ? "PASS" : "FAIL");
        if (std::isfinite(p.Margin))
            text += fmt::format(", margin {:+.3f}", p.Margin);
        break;
    case PointVerdict::None:
        text += " — no verdict";
        break;
    }
    if (p.WorstComponent >= 0 && static_cast<std::size_t>(p.WorstComponent) < map.Names.size()) {
        text += "; loses most: " + map.Names[static_cast<std::size_t>(p.WorstComponent)];
        if (p.WorstRegime != FlowRegime::Unknown)
            text += fmt::format(" ({}, Re {:.0f})", RegimeText(p.WorstRegime), p.WorstReynolds);
    }
    return text;
}

} // namespace DesignMap
