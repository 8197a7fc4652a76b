#include "analysis/ModelLimits.h"

#include "model/NumberFormat.h"

#include <cmath>
#include <limits>

namespace ModelLimits {
namespace {

bool Applies(const LimitRange& r, const ComponentQuantities& q) {
    if (q.NTypeInt < 1 || q.NTypeInt > 6 || (r.Types & TypeBit(q.NTypeInt)) == 0)
        return false;
    return r.Branches == AnyBranch || (r.Branches & q.ModelBranch) != 0;
}

bool Below(const LimitRange& r, double v) {
    return r.WarnBelow && r.Min && v < *r.Min;
}

bool Above(const LimitRange& r, double v) {
    return r.WarnAbove && r.Max && v > *r.Max;
}

std::string Bound(const LimitRange& r, double b) {
    return NumberFormat::General15(b) + std::string(r.Unit);
}

} // namespace

ComponentQuantities::ComponentQuantities() {
    Value.fill(std::numeric_limits<double>::quiet_NaN());
}

std::vector<Finding> FindLimits(const ComponentQuantities& q) {
    std::vector<Finding> out;
    for (const LimitRange& r : LimitTable) {
        if (!Applies(r, q))
            continue;
        const double v = q[r.Of];
        if (!std::isfinite(v))
            continue;
        const bool inside = r.WarnInside && r.Min && r.Max && v >= *r.Min && v <= *r.Max;
        if (Below(r, v) || Above(r, v) || inside)
            out.push_back({&r, v});
    }
    return out;
}

std::string ValueText(const Finding& f) {
    const LimitRange& r = *f.Range;
    // 2.031 must not read "2.03 is outside 0.05 to 2.03".
    std::string text;
    for (int d = r.Decimals; d <= 12; ++d) {
        text = NumberFormat::Fixed(f.Value, d);
        const double shown = NumberFormat::ParseNumber(text).value_or(f.Value);
        const bool clear = r.WarnInside || (Below(r, f.Value) && shown < *r.Min) ||
                           (Above(r, f.Value) && shown > *r.Max);
        if (clear)
            break;
    }
    return text;
}

std::string RangeText(const LimitRange& r) {
    if (r.Min && r.Max)
        return Bound(r, *r.Min) + " to " + Bound(r, *r.Max);
    if (r.Max)
        return "up to " + Bound(r, *r.Max);
    if (r.Min)
        return "at least " + Bound(r, *r.Min);
    return "no stated range";
}

std::string FindingText(const Finding& f) {
    const LimitRange& r = *f.Range;
    std::string text = std::string(r.Name) + " " + ValueText(f) + std::string(r.Unit) + " is ";
    if (r.WarnInside)
        return text + "within " + RangeText(r) + ", " + std::string(r.Why) + " (" +
               std::string(r.Source) + ")";
    if (r.Min && r.Max)
        text += "outside " + RangeText(r) + ", the range of the ";
    else if (r.Max)
        text += "above " + Bound(r, *r.Max) + ", the limit of the ";
    else
        text += "below " + Bound(r, *r.Min) + ", the limit of the ";
    return text + std::string(r.Model) + " (" + std::string(r.Source) + ")";
}

} // namespace ModelLimits
