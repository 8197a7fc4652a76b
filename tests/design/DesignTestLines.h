#pragma once

#include "model/LodoModel.h"
#include "model/ModelTestLines.h"
#include "persistence/LineFile.h"

#include <gtest/gtest.h>
#include <string>
#include <variant>

namespace DesignTest {

// An example line as opening it leaves it: aligned and evaluated (Mono 10 um).
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

// A 15.5 mm nozzle drawing 113.3 L/min (10 m/s in its inlet) at free-stream velocity
// `uo`, then a 34.9 mm tube of `length` m, horizontal.
inline LodoList NozzleAndTube(double uo, double length, double tubeDia = 34.9) {
    using namespace TestLines;
    LodoList l;
    l.push_back(Nozzle(15.5, tubeDia, 30.0, 113.3, uo));
    l.push_back(Tube(tubeDia, length, 113.3, 0.0));
    return l;
}

} // namespace DesignTest
