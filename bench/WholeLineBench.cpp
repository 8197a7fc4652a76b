// Whole-line evaluation as every edit runs it: AlignList(m, 0) over a line of
// tubes, bends and fittings behind a nozzle.
#include "BenchLines.h"
#include "model/LodoModel.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

LodoModel MakeLine(int count, bool logNormal) {
    LodoModel m = BenchLines::Line(count, BenchLines::Risers);
    m.Ctx.DType = m.Ctx.TypeDist = logNormal ? Distribution::LogNormal : Distribution::Mono;
    m.Ctx.Dp = 10.0f;
    m.Ctx.MDp = 5.0f;
    m.Ctx.DpSD = 2.5f;
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
