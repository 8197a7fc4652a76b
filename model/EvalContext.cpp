#include "model/EvalContext.h"

#include "model/StepControl.h"

#include <ostream>

void EvalContext::ResetForNewLine() {
    NodeType.assign(1, ' ');
    CurrRow = 0;
    T = 25.0;
    P = Units::Po;
    L = 1.0;
    A1 = 0.0;
    A2 = 90.0;
    A3 = 0.0;
    D1 = 34.9;
    D2 = 34.9;
    Qa = 57.0;
    Ve = 10.0;
    Rd = 0.1016;
    for (std::string* unit : {&TU, &LU, &PU, &D1U, &D2U, &FU, &RU, &FSU})
        unit->assign("Metric");
    TINo = BINo = CINo = EINo = NINo = SINo = 0;
    RefNum = Operation::Adding;
}

void ApplyDistribution(EvalContext& c, const DistributionSetting& s) {
    c.Dp = s.PartSize;
    c.MDp = s.MeanPart;
    c.DpSD = s.PartSD;
    c.DType = s.TypeDist;
    c.TypeDist = s.TypeDist;
    c.Particle = s.Particle;
    const StepControl::Range r = StepControl::LogNormalRange(c.MDp, c.DpSD);
    c.LowV = r.LowV;
    c.HighV = r.HighV;
    c.DpStep = r.DpStep;
    if (s.TypeDist == Distribution::LogNormal)
        c.NewHighV = c.HighV;
}

std::string_view DistributionText(Distribution d) {
    return d == Distribution::LogNormal ? "LogNormal" : "Mono";
}

std::optional<Distribution> DistributionFromText(std::string_view text) {
    for (Distribution d : {Distribution::Mono, Distribution::LogNormal})
        if (DistributionText(d) == text)
            return d;
    return std::nullopt;
}

std::ostream& operator<<(std::ostream& os, Distribution d) {
    return os << DistributionText(d);
}
