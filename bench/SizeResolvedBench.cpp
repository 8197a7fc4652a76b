// Size-resolved penetration of a whole line. SizeResolved/<components>/<curve sizes>
// runs the penetration curve over the default range and the exact log-normal result
// for the ICRP default aerosol (MMAD 5 um, GSD 2.5) on the whole-line benchmark's
// line (risers and droppers behind a nozzle); Inclined/... does the same on a line
// whose tubes all lie at different inclinations, so each settles differently and
// cuts off at its own size. CutSize is the d50 search alone, Strip what the totals
// strip computes after an edit (distribution result and d50), Everything all three.
#include "analysis/CutSize.h"
#include "analysis/PenetrationCurve.h"
#include "analysis/SizeResolved.h"
#include "analysis/SizeResolvedPenetration.h"
#include "analysis/SizeTable.h"
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

// The whole-line benchmark's line: a nozzle, then vertical tubes, bends and cones.
LodoModel RiserLine(int count) {
    LodoModel m;
    TLodoComp nozzle = Record("N-1", "Nozzle", NodeNozzle, 34.9);
    nozzle.Len = 10.0;
    nozzle.FStream = 1.0;
    m.List.push_back(nozzle);
    double d = 34.9;
    for (int i = 1; i < count; ++i) {
        const std::string n = std::to_string(i);
        switch (i % 8) {
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
        case 0: {
            TLodoComp e = Record("E-" + n, "Expansion", NodeExpansion, d);
            e.Dia2 = d * 1.5;
            e.Ang2 = 15.0;
            d = e.Dia2;
            m.List.push_back(e);
            break;
        }
        default: {
            TLodoComp t = Record("T-" + n, "Tube", NodeTube, d);
            t.Len = 1.0 + 0.25 * (i % 5);
            t.Ang1 = (i % 4 == 1) ? 90.0 : -90.0;
            m.List.push_back(t);
            break;
        }
        }
    }
    AlignList(m, 0);
    return m;
}

// A nozzle, then tubes of every inclination and length, bends and cones; no two
// components alike.
LodoModel InclinedLine(int count) {
    LodoModel m;
    TLodoComp nozzle = Record("N-1", "Nozzle", NodeNozzle, 34.9);
    nozzle.Len = 10.0;
    nozzle.FStream = 1.0;
    m.List.push_back(nozzle);
    double d = 34.9;
    for (int i = 1; i < count; ++i) {
        const std::string n = std::to_string(i);
        switch (i % 8) {
        case 2:
        case 6: {
            TLodoComp b = Record("B-" + n, "Bend", NodeBend, d);
            b.Brd = 0.2 + 0.001 * i;
            b.Ang2 = 45.0 + 0.2 * i;
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
        case 0: {
            TLodoComp e = Record("E-" + n, "Expansion", NodeExpansion, d);
            e.Dia2 = d * 1.5;
            e.Ang2 = 15.0;
            d = e.Dia2;
            m.List.push_back(e);
            break;
        }
        default: {
            TLodoComp t = Record("T-" + n, "Tube", NodeTube, d);
            t.Len = 0.2 + 0.01 * i;
            t.Ang1 = -90.0 + 0.9 * i;
            m.List.push_back(t);
            break;
        }
        }
    }
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
