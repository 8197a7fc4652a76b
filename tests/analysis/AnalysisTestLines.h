#pragma once

#include "model/LodoModel.h"
#include "model/ModelTestLines.h"
#include "persistence/LineFile.h"

#include <gtest/gtest.h>
#include <string>
#include <variant>
#include <vector>

// The example lines as opening them leaves them (aligned and evaluated), and the
// monodisperse evaluation the analysis results are checked against.
namespace AnalysisTest {

inline const std::vector<std::string> Examples = {
    "stack-nozzle-line.lxl", "shrouded-probe-line.lxl", "contraction-expansion-line.lxl",
    "english-units-line.lxl"};

inline LodoModel LoadExample(const std::string& name) {
    LodoModel m;
    auto r = ReadLxlFile(std::string(LODO_EXAMPLES_DIR) + "/" + name, m.Ctx);
    if (auto* e = std::get_if<FileError>(&r)) {
        ADD_FAILURE() << e->Message;
        return m;
    }
    m.List = std::get<LineFile>(std::move(r)).List;
    AlignList(m, 0);
    return m;
}

// The line evaluated in Mono mode at Dp, row by row as a whole-line evaluation does.
inline LodoModel MonoAt(const LodoModel& m, float Dp) {
    LodoModel c = m;
    c.Ctx.DType = c.Ctx.TypeDist = Distribution::Mono;
    c.Ctx.Dp = Dp;
    for (int i = 0; i < static_cast<int>(c.List.size()); ++i)
        CalcNodeTrans(c, i);
    return c;
}

inline double MonoSystem(const LodoModel& m, float Dp) {
    return MonoAt(m, Dp).Ctx.SystemTrans;
}

// Every type the evaluation knows, English units on one record, a second air, and
// a record of a type it does not know (its stored transmission counts as it is).
inline LodoModel MixedLine() {
    using namespace TestLines;
    LodoList l;
    l.push_back(Nozzle(12.0, 20.0, 30.0, 40.0, 12.0));
    l.push_back(Tube(20.0, 2.5, 40.0, 30.0));
    l.push_back(Bend(20.0, 0.2, 40.0, 60.0));
    l.push_back(Cone(false, 20.0, 12.0, 40.0, 20.0));
    TLodoComp english = Tube(12.0 / 25.4, 3.0, 40.0 / 28.31685, -120.0);
    english.Dia1Unit = english.Dia2Unit = english.FlowUnit = Units::English;
    english.Temp = 68.0;
    english.TempUnit = Units::English;
    l.push_back(english);
    l.push_back(Cone(true, 12.0, 24.0, 40.0, 10.0));
    TLodoComp warm = Tube(24.0, 1.5, 40.0, 0.0);
    warm.Temp = 60.0;
    l.push_back(warm);
    TLodoComp unknown = Base("X-1", "Other", 0);
    unknown.TransM1 = 0.97;
    l.push_back(unknown);
    return Model(std::move(l));
}

inline LodoModel ShroudLine() {
    using namespace TestLines;
    LodoList l;
    l.push_back(Shroud(std::string(LodoMath::PType[0].Pr), 170.0, 10.0));
    l.push_back(Tube(34.9, 3.0, 170.0, 0.0));
    l.push_back(Bend(34.9, 0.3, 170.0, 90.0));
    return Model(std::move(l));
}

} // namespace AnalysisTest
