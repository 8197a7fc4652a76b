#include "model/LodoModel.h"

#include <cmath>

bool HasInvalidResult(const TLodoComp& c, bool withDistribution) {
    const bool own = std::isfinite(c.TransM1) && std::isfinite(c.TransM2) &&
                     std::isfinite(c.TransM3) && std::isfinite(c.TransM4);
    if (!own)
        return true;
    return withDistribution && !(std::isfinite(c.PTrans) && std::isfinite(c.MTrans));
}

bool HasInvalidSystem(const EvalContext& ctx) {
    if (!std::isfinite(ctx.SystemTrans))
        return true;
    return ctx.DType == Distribution::LogNormal &&
           !(std::isfinite(ctx.MassTrans) && std::isfinite(ctx.PartTrans));
}
