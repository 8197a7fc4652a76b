// A 50-point study over a 20-component line with a log-normal aerosol: the work
// behind one "Vary Parameters" command.
#include "model/CreateComp.h"
#include "model/LodoModel.h"
#include "studies/engine/ParameterStudy.h"

#include <benchmark/benchmark.h>

namespace {

TLodoComp Make(NodeTypeCode code, const char* type, double dia1, double dia2) {
    TLodoComp c = CreateComp(EvalContext{});
    c.NTypeInt = code;
    c.NType = type;
    c.Dia1 = dia1;
    c.Dia2 = dia2;
    if (code == NodeNozzle)
        c.Len = 10.0;
    if (code == NodeContraction || code == NodeExpansion)
        c.Ang2 = 45.0;
    return c;
}

// A nozzle followed by tubes, bends, contractions and expansions in turn.
LodoModel TwentyComponentLine() {
    LodoModel m;
    m.Ctx.DType = Distribution::LogNormal;
    m.Ctx.TypeDist = Distribution::LogNormal;
    m.List.push_back(Make(NodeNozzle, "Nozzle", 15.0, 34.9));
    double d = 34.9;
    for (int i = 1; i < 20; ++i) {
        switch (i % 4) {
        case 1:
            m.List.push_back(Make(NodeTube, "Tube", d, d));
            break;
        case 2:
            m.List.push_back(Make(NodeBend, "Bend", d, d));
            break;
        case 3:
            m.List.push_back(Make(NodeContraction, "Contraction", d, d / 1.5));
            d /= 1.5;
            break;
        default:
            m.List.push_back(Make(NodeExpansion, "Expansion", d, d * 1.5));
            d *= 1.5;
            break;
        }
    }
    AlignList(m, 0);
    return m;
}

void BM_Study50PointsLogNormal(benchmark::State& state) {
    const auto kind = static_cast<StudyKind>(state.range(0));
    LodoModel m = TwentyComponentLine();
    for (auto _ : state) {
        StudyOutcome o = RunStudy(m, kind, 50, 5.0, 100.0);
        benchmark::DoNotOptimize(o);
    }
    state.SetLabel(std::string(VaryTypeText(kind)));
}

} // namespace

BENCHMARK(BM_Study50PointsLogNormal)
    ->Arg(static_cast<int>(StudyKind::Flow))
    ->Arg(static_cast<int>(StudyKind::Diameter))
    ->Arg(static_cast<int>(StudyKind::FreeStream))
    ->Unit(benchmark::kMillisecond);
