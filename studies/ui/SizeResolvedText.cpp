#include "studies/ui/SizeResolvedText.h"

#include "analysis/CutSize.h"
#include "analysis/LineTransmission.h"
#include "analysis/SizeResolvedPenetration.h"
#include "model/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const std::string Micro = "\u00B5m";

std::string Percent(double fraction) {
    if (!std::isfinite(fraction)) return "invalid";
    return NumberFormat::Fixed(100 * fraction, 2) + " %";
}

}  // namespace

std::string D50Text(const LodoList& line, std::optional<double> d50) {
    if (d50 && std::isfinite(*d50) && *d50 > 0) {
        // Three significant digits: the cut size is found to 0.1 %.
        const int decimals = std::max(0, 2 - static_cast<int>(std::floor(std::log10(*d50))));
        return NumberFormat::Fixed(*d50, decimals) + " " + Micro;
    }
    // No crossing: either the line never passes half, or it still does at the top of
    // the search.
    const Analysis::LineTransmission eval(line);
    std::vector<double> t(eval.Count());
    if (eval.Count() > 0 && eval.At(static_cast<float>(Analysis::SizeCeil), t) > 0.5)
        return "> " + NumberFormat::Fixed(Analysis::SizeCeil, 0) + " " + Micro;
    return "none";
}

std::string SizeResolvedText(const LodoList& line, const EvalContext& ctx) {
    if (line.empty()) return {};
    const std::string d50 = D50Text(line, Analysis::CutSizeD50(line));
    if (ctx.DType != "LogNormal") return "Cut size d50 = " + d50;
    const auto r = Analysis::ComputeSizeResolved(line, ctx.MDp, ctx.DpSD);
    const std::string mass = r ? Percent(r->MassPenetration) : "invalid";
    const std::string number = r ? Percent(r->NumberPenetration) : "invalid";
    return "Size-resolved: mass " + mass + ", number " + number + ", d50 " + d50;
}
