// Whole-line evaluation as every edit runs it: AlignList(m, 0) over a line of
// tubes, bends and fittings behind a nozzle.
#include "model/LodoModel.h"
#include "model/Units.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

TLodoComp Record(const std::string& name, const std::string& type, int code, double d) {
    TLodoComp c;
    c.Name = name;
    c.NType = type;
    c.NTypeInt = code;
    c.Temp = 25.0;
    c.Press = Units::Po;
    c.Flow = 57.0;
    c.FStream = 10.0;
    c.Len = 1.0;
    c.Dia1 = c.Dia2 = d;
    c.TempUnit = c.PressUnit = c.LenUnit = c.Dia1Unit = c.Dia2Unit = c.FlowUnit = c.RadiusUnit =
        c.FStreamUnit = Units::Metric;
    return c;
}

// Risers and droppers transmit every size of the distribution, so each component
// integrates over all 50 sizes: the slowest line of this length.
LodoModel MakeLine(int count, bool logNormal) {
    LodoModel m;
    m.Ctx.DType = m.Ctx.TypeDist = logNormal ? Distribution::LogNormal : Distribution::Mono;
    m.Ctx.Dp = 10.0f;
    m.Ctx.MDp = 5.0f;
    m.Ctx.DpSD = 2.5f;
    TLodoComp nozzle = Record("N-1", "Nozzle", NodeNozzle, 34.9);
    nozzle.Len = 10.0;
    nozzle.FStream = 1.0; // close to isokinetic
    m.List.push_back(nozzle);
    double d = 34.9;
    for (int i = 1; i < count; ++i) {
        const std::string n = std::to_string(i);
        switch (i % 8) {
        case 1:
        case 3:
        case 5:
        case 7: {
            TLodoComp t = Record("T-" + n, "Tube", NodeTube, d);
            t.Len = 1.0 + 0.25 * (i % 5);
            t.Ang1 = (i % 4 == 1) ? 90.0 : -90.0;
            m.List.push_back(t);
            break;
        }
        case 2:
        case 6: {
            TLodoComp b = Record("B-" + n, "Bend", NodeBend, d);
            b.Brd = 0.2;
            b.Ang2 = 90.0;
            m.List.push_back(b);
            break;
        }
        case 4: {
            TLodoComp c = Record("C-" + n, "Contraction", NodeContraction, d);
            c.Dia2 = d / 1.5;
            c.Ang2 = 30.0;
            d = c.Dia2;
            m.List.push_back(c);
            break;
        }
        default: {
            TLodoComp e = Record("E-" + n, "Expansion", NodeExpansion, d);
            e.Dia2 = d * 1.5;
            e.Ang2 = 15.0;
            d = e.Dia2;
            m.List.push_back(e);
            break;
        }
        }
    }
    return m;
}

void WholeLine(benchmark::State& state, int count, bool logNormal) {
    LodoModel m = MakeLine(count, logNormal);
    for (auto _ : state) {
        benchmark::DoNotOptimize(AlignList(m, 0));
        benchmark::ClobberMemory();
    }
    state.counters["NewHighV_um"] = m.Ctx.NewHighV;
    state.counters["SystemTrans"] = m.Ctx.SystemTrans;
}

} // namespace

// Names carry the line length and the particle description: WholeLine/200/LogNormal.
// clang-format off
BENCHMARK_CAPTURE(WholeLine, 12/Mono, 12, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WholeLine, 12/LogNormal, 12, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WholeLine, 200/Mono, 200, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WholeLine, 200/LogNormal, 200, true)->Unit(benchmark::kMicrosecond);
// clang-format on
