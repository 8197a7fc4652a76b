#include "studies/engine/LogNormalPlot.h"

#include "physics/LodoMath.h"

std::array<LNPoint, LNPointCount> LogNormalPlot(float MeanPart, float PartSD) {
    const double MDp = MeanPart;
    const double DpSD = PartSD;
    const double cube = DpSD * DpSD * DpSD;
    const double LowV = MDp / cube;
    const double HighV = MDp * cube;
    const double DpStep = (HighV - LowV) / LNPointCount;

    std::array<LNPoint, LNPointCount> LNArr{};
    double Dp = LowV;
    for (LNPoint& point : LNArr) {
        point.Dp = Dp;
        point.Density = LodoMath::LogNormalF(Dp, MDp, DpSD) * 100.0;
        Dp += DpStep; // repeated addition, as the plot has always stepped
    }
    return LNArr;
}
