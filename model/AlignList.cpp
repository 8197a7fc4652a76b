#include "model/EvalTypes.h"
#include "model/LodoModel.h"
#include "model/Units.h"

#include <cmath>

namespace {

bool IsFitting(const TLodoComp& c) {
    return c.NType == "Contraction" || c.NType == "Expansion";
}

double InMm(double v, const std::string& unit) {
    return Units::DiaToMm(v, unit);
}

// Outlet over inlet diameter of a fitting. A fitting without a usable inlet (zero,
// negative or not a number) has no ratio to keep: it takes 1 and is reported as
// resized.
double FittingRatio(const TLodoComp& c, bool& unusable) {
    const double in = InMm(c.Dia1, c.Dia1Unit);
    const double ratio = InMm(c.Dia2, c.Dia2Unit) / in;
    unusable = !(in > 0) || !std::isfinite(ratio) || !(ratio > 0);
    return unusable ? 1.0 : ratio;
}

// Taking a fitting's ratio and applying it again may land a rounding step away from
// where the diameter was; only a change an entry could make is a resize.
bool Resized(double beforeMm, double afterMm) {
    constexpr double Tolerance = 1e-9; // relative; entries carry five significant digits
    return !(std::abs(afterMm - beforeMm) <= Tolerance * std::abs(beforeMm));
}

} // namespace

AlignResult AlignList(LodoModel& m, int CR) {
    AlignResult result;
    LodoList& list = m.List;
    if (list.empty() || CR < 0 || static_cast<std::size_t>(CR) >= list.size())
        return result;
    const int count = static_cast<int>(list.size());
    bool errState = false;

    const TLodoComp& lead = list[static_cast<std::size_t>(CR)];
    const double press = lead.Press, flow = lead.Flow;
    const std::string pressUnit = lead.PressUnit, flowUnit = lead.FlowUnit;
    for (TLodoComp& r : list) {
        r.Press = press;
        r.Flow = flow;
        r.PressUnit = pressUnit;
        r.FlowUnit = flowUnit;
    }

    if (count > 1) {
        for (int i = CR; i <= count - 2; ++i) {
            const TLodoComp& u = list[static_cast<std::size_t>(i)];
            TLodoComp& n = list[static_cast<std::size_t>(i + 1)];
            if (IsFitting(n)) {
                bool unusable = false;
                const double ratio = FittingRatio(n, unusable);
                const double oldIn = InMm(n.Dia1, n.Dia1Unit);
                // Already joined to its neighbour, it keeps its outlet: carrying the
                // ratio through again could move the last bit, and an aligned line
                // must come out of alignment as it went in.
                const bool joined = !unusable && n.Dia1 == u.Dia2 && n.Dia1Unit == u.Dia2Unit &&
                                    n.Dia2Unit == u.Dia2Unit;
                if (!joined) {
                    n.Dia1 = u.Dia2;
                    n.Dia2 = u.Dia2 * ratio;
                    n.Dia1Unit = n.Dia2Unit = u.Dia2Unit;
                }
                if (unusable || Resized(oldIn, InMm(n.Dia1, n.Dia1Unit)))
                    errState = true;
            } else {
                n.Dia1 = n.Dia2 = u.Dia2;
                n.Dia1Unit = n.Dia2Unit = u.Dia2Unit;
            }
        }
        for (int i = CR; i >= 1; --i) {
            TLodoComp& u = list[static_cast<std::size_t>(i - 1)];
            const TLodoComp& n = list[static_cast<std::size_t>(i)];
            if (u.NTypeInt == NodeNozzle) {
                u.Dia2 = n.Dia1;
                u.Dia2Unit = n.Dia1Unit;
            } else if (u.NTypeInt == NodeShroud) {
                break; // the probe's diameters come from its catalogue entry
            } else if (IsFitting(u)) {
                bool unusable = false;
                const double ratio = FittingRatio(u, unusable);
                const double oldOut = InMm(u.Dia2, u.Dia2Unit);
                const bool joined = !unusable && u.Dia2 == n.Dia1 && u.Dia2Unit == n.Dia1Unit &&
                                    u.Dia1Unit == n.Dia1Unit;
                if (!joined) {
                    u.Dia2 = n.Dia1;
                    u.Dia1 = n.Dia1 / ratio;
                    u.Dia1Unit = u.Dia2Unit = n.Dia1Unit;
                }
                if (unusable || Resized(oldOut, InMm(u.Dia2, u.Dia2Unit)))
                    errState = true;
            } else {
                u.Dia1 = u.Dia2 = n.Dia1;
                u.Dia1Unit = u.Dia2Unit = n.Dia1Unit;
            }
        }
    }

    result.FittingResized = errState;
    result.ShowMessage7 = errState && m.Ctx.RefNum != Operation::Adding;
    // The whole line in order, showing its last evaluated component.
    EvaluateLine(m, LastEvaluatedRow(list));
    return result;
}
