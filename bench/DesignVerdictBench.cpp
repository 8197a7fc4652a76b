// The design verdict over a full operating range: 27 whole-line evaluations at the
// reference size, each on its own copy of the line.
#include "BenchLines.h"
#include "design/DesignVerdict.h"

#include <benchmark/benchmark.h>

namespace {

void DesignVerdict(benchmark::State& state) {
    LodoModel m = BenchLines::Line(static_cast<int>(state.range(0)), BenchLines::Risers);
    AlignList(m, 0);
    Design::OperatingRange range;
    range.StackVelocity = Design::Interval{0.5, 2.0};
    range.Flow = Design::Interval{40.0, 80.0};
    range.Temperature = Design::Interval{10.0, 60.0};
    std::size_t points = 0;
    for (auto _ : state) {
        const Design::Verdict v = Design::DesignVerdict(m.List, Design::Criteria{}, range);
        points = v.Range->Points.size();
        benchmark::DoNotOptimize(v);
    }
    state.counters["points"] = static_cast<double>(points);
}

} // namespace

BENCHMARK(DesignVerdict)->Arg(200)->Unit(benchmark::kMillisecond);
