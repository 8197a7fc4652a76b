// One accepted entry in a tube box on a 200-component log-normal line, as the
// editor runs it: validation, storage, rounding, AlignList and CalcNodeTrans of the
// edited row; the second case also reads every grid cell as the window's refresh does.
#include "session/LodoSession.h"
#include "session/testing/ScriptedUi.h"

#include <benchmark/benchmark.h>
#include <stdexcept>
#include <string>

namespace {

struct Line {
    ScriptedUi ui;
    LodoSession s{ui};
    int tubeRow = 0;

    explicit Line(int count) {
        s.NozzleMenuClick();
        for (int i = 1; i < count; ++i) {
            switch (i % 4) {
            case 0:
                s.BendMenuClick();
                break;
            case 2:
                s.TubeMenuClick();
                tubeRow = i;
                break;
            default:
                s.TubeMenuClick();
                break;
            }
        }
        s.ApplyDistribution({10.0f, 5.0f, 2.5f, Distribution::LogNormal});
        s.EditComp(tubeRow);
    }
};

void Enter(Line& line, int k) {
    line.s.FocusBox(Box::TubeLenEdit);
    line.s.SetBoxText(Box::TubeLenEdit, k % 2 ? "1.5" : "2.5");
    if (!line.s.BoxKey(Box::TubeLenEdit, EditKey::Enter))
        throw std::runtime_error("entry refused");
}

void BM_TubeEntry200LogNormal(benchmark::State& state) {
    Line line(200);
    int k = 0;
    for (auto _ : state)
        Enter(line, ++k);
}
BENCHMARK(BM_TubeEntry200LogNormal)->Unit(benchmark::kMillisecond);

void BM_TubeEntryWithGrid200LogNormal(benchmark::State& state) {
    Line line(200);
    int k = 0;
    std::size_t chars = 0;
    for (auto _ : state) {
        Enter(line, ++k);
        for (int row = 0; row < line.s.GridRowCount(); ++row)
            for (int col = 0; col < static_cast<int>(GridColumns.size()); ++col)
                chars += line.s.Grid1GetValue(col, row).size();
    }
    benchmark::DoNotOptimize(chars);
}
BENCHMARK(BM_TubeEntryWithGrid200LogNormal)->Unit(benchmark::kMillisecond);

} // namespace
