#pragma once

// Lines for the report tests: the examples as opening them evaluates them, and a
// long line grown from one of them.
#include "model/EvalFrame.h"
#include "model/LodoModel.h"
#include "model/StepControl.h"
#include "persistence/LineFile.h"

#include <filesystem>
#include <stdexcept>
#include <string>

namespace ReportTest {

inline std::filesystem::path Example(const char* name) {
    return std::filesystem::path(LODO_EXAMPLES_DIR) / name;
}

// Mono at `dp`, or log-normal when `gsd` is above 1, as the distribution window sets it.
inline void SetParticles(LodoModel& m, float dp, float gsd = 0.0f) {
    EvalContext& c = m.Ctx;
    const bool logNormal = gsd > 1.0f;
    c.DType = c.TypeDist = logNormal ? Distribution::LogNormal : Distribution::Mono;
    c.Dp = dp;
    if (logNormal) {
        c.MDp = dp;
        c.DpSD = gsd;
    }
    const auto range = StepControl::LogNormalRange(c.MDp, c.DpSD);
    c.LowV = range.LowV;
    c.HighV = range.HighV;
    c.DpStep = range.DpStep;
    if (logNormal)
        c.NewHighV = c.HighV;
}

inline LodoModel Load(const char* name, float dp = 10.0f, float gsd = 0.0f) {
    LodoModel m;
    ReadResult r = ReadLxlFile(Example(name), m.Ctx);
    if (auto* e = std::get_if<FileError>(&r))
        throw std::runtime_error(e->Message);
    m.List = std::move(std::get<LineFile>(r).List);
    SetParticles(m, dp, gsd);
    AlignList(m, 0);
    return m;
}

// The stack-nozzle line grown to `count` components by repeating its tubes and
// bends under new names; bend `tightBend` (if any) gets a 50 mm radius, a
// curvature ratio Ro of 1.43 on its 34.9 mm tube.
inline LodoModel LongLine(int count, float dp = 10.0f, float gsd = 0.0f, int tightBend = -1) {
    LodoModel base = Load("stack-nozzle-line.lxl", dp, gsd);
    LodoModel m;
    m.Ctx = base.Ctx;
    m.List = {base.List.front()};
    int tubes = 0, bends = 0;
    for (int i = 1; i < count; ++i) {
        TLodoComp c = base.List[static_cast<std::size_t>(1 + (i - 1) % 5)];
        c.Name = c.NTypeInt == NodeBend ? "B-" + std::to_string(++bends)
                                        : "T-" + std::to_string(++tubes);
        if (c.NTypeInt == NodeBend && bends == tightBend)
            c.Brd = 0.05;
        m.List.push_back(c);
    }
    SetParticles(m, dp, gsd);
    AlignList(m, 0);
    return m;
}

} // namespace ReportTest
