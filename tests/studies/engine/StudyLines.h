#pragma once

#include "model/CreateComp.h"
#include "model/LodoModel.h"

#include <string>

// Small sample lines for the study tests, built as the editor builds them: from the
// start-up context, then aligned and evaluated.
namespace StudyLines {

inline TLodoComp Comp(NodeTypeCode code, double dia1, double dia2) {
    static const char* const types[] = {"",          "Tube",   "Bend",   "Contraction",
                                        "Expansion", "Nozzle", "RF2-111"};
    static const char* const prefixes[] = {"", "T-", "B-", "C-", "E-", "N-", "N-"};
    EvalContext ctx;
    TLodoComp c = CreateComp(ctx);
    c.NTypeInt = code;
    c.NType = types[code];
    c.Name = std::string(prefixes[code]) + "1";
    c.Dia1 = dia1;
    c.Dia2 = dia2;
    if (code == NodeNozzle)
        c.Len = 10.0;
    if (code == NodeContraction || code == NodeExpansion)
        c.Ang2 = 45.0;
    return c;
}

inline TLodoComp Tube(double dia, double len = 1.0) {
    TLodoComp c = Comp(NodeTube, dia, dia);
    c.Len = len;
    return c;
}

// A line evaluated through AlignList(0), as loading a file leaves it.
inline LodoModel Prepared(LodoList list, const std::string& dtype = "Mono") {
    LodoModel m;
    m.Ctx.DType = *DistributionFromText(dtype);
    m.Ctx.TypeDist = m.Ctx.DType;
    m.List = std::move(list);
    if (!m.List.empty())
        AlignList(m, 0);
    return m;
}

inline LodoList TubeLine() {
    return {Tube(34.9, 2.0), Comp(NodeBend, 34.9, 34.9), Tube(34.9, 3.0)};
}

inline LodoList NozzleLine() {
    return {Comp(NodeNozzle, 20.0, 34.9), Tube(34.9, 2.0), Comp(NodeBend, 34.9, 34.9),
            Tube(34.9, 1.0)};
}

inline LodoList ProbeLine() {
    return {Comp(NodeShroud, 0, 0), Tube(34.9, 2.0), Tube(34.9, 1.0)};
}

inline LodoList ContractionLine() {
    return {Comp(NodeContraction, 20.0, 10.0), Tube(10.0, 1.0), Comp(NodeBend, 10.0, 10.0)};
}

// `count` components behind a nozzle: tubes, bends, contractions and expansions in turn.
inline LodoList LongLine(int count) {
    LodoList list{Comp(NodeNozzle, 15.0, 34.9)};
    double d = 34.9;
    for (int i = 1; i < count; ++i) {
        switch (i % 4) {
        case 1:
            list.push_back(Tube(d, 1.5));
            break;
        case 2:
            list.push_back(Comp(NodeBend, d, d));
            break;
        case 3:
            list.push_back(Comp(NodeContraction, d, d / 1.5));
            d /= 1.5;
            break;
        default:
            list.push_back(Comp(NodeExpansion, d, d * 1.5));
            d *= 1.5;
            break;
        }
    }
    return list;
}

} // namespace StudyLines
