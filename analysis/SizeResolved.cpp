#include "analysis/SizeResolved.h"

#include "analysis/CutSize.h"

#include <cmath>

namespace Analysis {

SizeResolvedSummary SizeResolvedOf(const LodoModel& m) {
    SizeTable table(m.List, m.Ctx.Particle);
    return SizeResolvedOf(m, table);
}

SizeResolvedSummary SizeResolvedOf(const LodoModel& m, SizeTable& table) {
    SizeResolvedSummary s;
    s.D50 = CutSizeD50(table);
    if (m.Ctx.DType == Distribution::LogNormal)
        s.Distribution = ComputeSizeResolved(table, m.Ctx.MDp, m.Ctx.DpSD);
    return s;
}

double SizeResolvedMassPenetration(const LodoModel& m, std::size_t first) {
    // A monodisperse line keeps MDp and DpSD from before; they describe no aerosol.
    if (m.Ctx.DType != Distribution::LogNormal || first > m.List.size())
        return std::nan("");
    const auto r = ComputeSizeResolved(m.List, m.Ctx.MDp, m.Ctx.DpSD, m.Ctx.Particle);
    if (!r)
        return std::nan("");
    if (first == 0)
        return r->MassPenetration;
    double p = 1;
    for (std::size_t i = first; i < r->Components.size(); ++i)
        p *= r->Components[i].MassPenetration;
    return p;
}

} // namespace Analysis
