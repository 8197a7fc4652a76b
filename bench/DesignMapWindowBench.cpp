// The Design Map window after an edit: DesignMapWindow/200/60x60 changes the gas
// temperature of the WholeLine/200 line through the session (one edit, as a click on
// the map makes it) and waits until the window shows the new 60 x 60 map, painted.
// Wall-clock; run with QT_QPA_PLATFORM=offscreen or under an X server.
#include "BenchLines.h"
#include "design/ui/ColourMapView.h"
#include "design/ui/DesignMapWindow.h"
#include "persistence/LineFile.h"
#include "session/LodoSession.h"
#include "session/testing/ScriptedUi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

void Redraw(benchmark::State& state) {
    LodoModel line = BenchLines::Line(200, BenchLines::Risers);
    AlignList(line, 0);
    const auto path = std::filesystem::temp_directory_path() / "lodo-design-map-bench.lxl";
    if (WriteLxlFile(path, line.List, "Bench")) {
        state.SkipWithError("cannot write the line");
        return;
    }
    ScriptedUi ui;
    LodoSession s(ui);
    s.OpenFile(path);
    DesignMapWindow w(s);
    w.resize(980, 860);
    w.show();
    w.setAxes({DesignMap::Variable::Flow, 15.0, 150.0, 60, true},
              {DesignMap::Variable::Diameter, 10.0, 60.0, 60, true});
    w.waitForMap();
    int k = 0;
    for (auto _ : state) {
        Design::OperatingPoint p;
        p.Temperature = (k++ % 2) ? 25.0 : 30.0;
        s.ApplyOperatingPoint(p);
        w.sessionChanged();
        w.waitForMap();
    }
    state.counters["window_ms"] = w.lastUpdateMs();
    // The window's own part: the picture of a computed map rebuilt and painted (what a
    // change of the coloured quantity costs), without the map's evaluation: paint_ms.
    {
        int q = 0;
        QElapsedTimer t;
        t.start();
        constexpr int Repeats = 20;
        for (int i = 0; i < Repeats; ++i) {
            w.setQuantity(DesignMap::Quantities[q++ % 4]);
            w.view()->repaint();
        }
        state.counters["paint_ms"] = t.nsecsElapsed() / 1e6 / Repeats;
    }
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(Redraw)->Name("DesignMapWindow/200/60x60")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
