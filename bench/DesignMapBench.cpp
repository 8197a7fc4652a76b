// The design map: DesignMap/<components>/<N>x<M> evaluates the design verdict at the
// reference size at N x M operating points (flow and tube diameter) on the whole-line
// benchmark's line, on every core, with the widest-margin point refined. Threads/<t>
// runs the 60 x 60 map of the 200-component line on t threads. Wall-clock times.
#include "BenchLines.h"
#include "design/map/LineMap.h"

#include <benchmark/benchmark.h>

namespace {

void Map(benchmark::State& state, unsigned threads, int count, int n, int m) {
    LodoModel line = BenchLines::Line(count, BenchLines::Risers);
    AlignList(line, 0);
    DesignMap::LineMapRequest r;
    r.X = {DesignMap::Variable::Flow, 15.0, 150.0, n, true};
    r.Y = {DesignMap::Variable::Diameter, 10.0, 60.0, m, true};
    r.Threads = threads;
    for (auto _ : state) {
        const DesignMap::LineMap map = DesignMap::ComputeLineMap(line.List, r);
        benchmark::DoNotOptimize(map.Grid.Points.data());
    }
    state.SetItemsProcessed(state.iterations() * n * m);
}

void DesignMap200(benchmark::State& state) {
    Map(state, 0, 200, 60, 60);
}
void DesignMap12(benchmark::State& state) {
    Map(state, 0, 12, 60, 60);
}
void Threads(benchmark::State& state) {
    Map(state, static_cast<unsigned>(state.range(0)), 200, 60, 60);
}

} // namespace

BENCHMARK(DesignMap200)->Name("DesignMap/200/60x60")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DesignMap12)->Name("DesignMap/12/60x60")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Threads)
    ->Name("DesignMap/200/60x60/Threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
