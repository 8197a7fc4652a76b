#include "analysis/SizeResolved.h"

#include "analysis/CutSize.h"

namespace Analysis {

SizeResolvedSummary SizeResolvedOf(const LodoModel& m) {
    SizeResolvedSummary s;
    s.D50 = CutSizeD50(m.List);
    if (m.Ctx.DType == "LogNormal")
        s.Distribution = ComputeSizeResolved(m.List, m.Ctx.MDp, m.Ctx.DpSD);
    return s;
}

} // namespace Analysis
