// Size-resolved penetration of a whole line. SizeResolved/<components>/<curve sizes>
// runs the penetration curve over the default range and the exact log-normal result
// for the ICRP default aerosol (MMAD 5 um, GSD 2.5) on the whole-line benchmark's
// line (risers and droppers behind a nozzle); Inclined/... does the same on a line
// whose tubes all lie at different inclinations, so each settles differently and
// cuts off at its own size. CutSize is the d50 search alone, Strip what the totals
// strip computes after an edit (distribution result and d50), Everything all three.
#include "BenchLines.h"
#include "analysis/CutSize.h"
#include "analysis/PenetrationCurve.h"
#include "analysis/SizeResolved.h"
#include "analysis/SizeResolvedPenetration.h"
#include "analysis/SizeTable.h"
#include "model/LodoModel.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

LodoModel RiserLine(int count) {
    LodoModel m = BenchLines::Line(count, BenchLines::Risers);
    AlignList(m, 0);
    return m;
}

LodoModel InclinedLine(int count) {
    LodoModel m = BenchLines::Line(count, BenchLines::Inclined);
    AlignList(m, 0);
    return m;
}

using LineMaker = LodoModel (*)(int);

void Run(benchmark::State& state, LineMaker make, bool withCut) {
    const LodoModel m = make(static_cast<int>(state.range(0)));
    const std::vector<float> sizes = Analysis::LogSpacedSizes(
        Analysis::CurveFrom, Analysis::CurveTo, static_cast<int>(state.range(1)));
    for (auto _ : state) {
        // One table of the line's values, as the curve window and the strip share it.
        Analysis::SizeTable table(m.List);
        benchmark::DoNotOptimize(Analysis::ComputePenetrationCurve(m.List, sizes, table));
        benchmark::DoNotOptimize(Analysis::ComputeSizeResolved(table, 5.0, 2.5));
        if (withCut)
            benchmark::DoNotOptimize(Analysis::CutSizeD50(table));
    }
}

void SizeResolved(benchmark::State& state) {
    Run(state, RiserLine, false);
}
void Inclined(benchmark::State& state) {
    Run(state, InclinedLine, false);
}
void Everything(benchmark::State& state) {
    Run(state, RiserLine, true);
}
void EverythingInclined(benchmark::State& state) {
    Run(state, InclinedLine, true);
}

// What the totals strip computes after an edit of a log-normal line.
void Strip(benchmark::State& state) {
    LodoModel m = RiserLine(static_cast<int>(state.range(0)));
    m.Ctx.DType = m.Ctx.TypeDist = Distribution::LogNormal;
    for (auto _ : state)
        benchmark::DoNotOptimize(Analysis::SizeResolvedOf(m));
}

void CutSize(benchmark::State& state) {
    const LodoModel m = RiserLine(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Analysis::CutSizeD50(m.List));
}

} // namespace

BENCHMARK(SizeResolved)->Args({12, 200})->Args({200, 200})->Unit(benchmark::kMillisecond);
BENCHMARK(Inclined)->Args({200, 200})->Unit(benchmark::kMillisecond);
BENCHMARK(CutSize)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(Strip)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(Everything)->Args({200, 200})->Unit(benchmark::kMillisecond);
BENCHMARK(EverythingInclined)->Args({200, 200})->Unit(benchmark::kMillisecond);
