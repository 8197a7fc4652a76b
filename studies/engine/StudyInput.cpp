#include "studies/engine/StudyInput.h"

#include "model/Units.h"

namespace {

bool IsInlet(const TLodoComp& c) {
    return c.NTypeInt == NodeNozzle || c.NTypeInt == NodeShroud;
}

// Outlet over inlet diameter of a fitting. Both diameters become millimetres when
// the value is set, so a ratio between different units is taken in millimetres too.
double FittingRatio(const TLodoComp& c) {
    if (c.NType != "Contraction" && c.NType != "Expansion")
        return 1.0;
    if (c.Dia1Unit == c.Dia2Unit || (!Units::IsMetric(c.Dia1Unit) && !Units::IsMetric(c.Dia2Unit)))
        return c.Dia2 / c.Dia1;
    return Units::DiaToMm(c.Dia2, c.Dia2Unit) / Units::DiaToMm(c.Dia1, c.Dia1Unit);
}

} // namespace

std::optional<StudyInput> StudyInputOf(const LodoList& line, StudyKind kind) {
    if (line.empty())
        return std::nullopt;
    StudyInput in;
    in.Kind = kind;
    switch (kind) {
    case StudyKind::Flow:
        return in;
    case StudyKind::FreeStream:
        if (!IsInlet(line[0]))
            return std::nullopt;
        return in;
    case StudyKind::Diameter:
        if (IsInlet(line[0])) {
            if (line.size() == 1)
                return std::nullopt;
            in.Row = 1;
            in.CR = 1;
        }
        in.Ratio = FittingRatio(line[in.Row]);
        return in;
    case StudyKind::Particle:
        break;
    }
    return std::nullopt;
}

void SetStudyInput(LodoList& line, const StudyInput& in, double value) {
    switch (in.Kind) {
    case StudyKind::Flow:
        for (TLodoComp& c : line) {
            c.Flow = value;
            c.FlowUnit = Units::Metric;
        }
        break;
    case StudyKind::Diameter: {
        TLodoComp& c = line[in.Row];
        c.Dia1Unit = c.Dia2Unit = Units::Metric;
        c.Dia1 = value;
        c.Dia2 = value * in.Ratio;
        break;
    }
    case StudyKind::FreeStream:
        line[0].FStream = value;
        line[0].FStreamUnit = Units::Metric;
        break;
    case StudyKind::Particle:
        break;
    }
}
