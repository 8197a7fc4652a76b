#pragma once

// The benchmarks' sample lines: a nozzle, then a repeating pattern of tubes, bends,
// a contraction and an expansion.
#include "model/LodoModel.h"
#include "model/Units.h"

#include <string>

namespace BenchLines {

inline TLodoComp Record(const std::string& name, const std::string& type, int code, double d) {
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

// How the tubes and bends of component i are shaped.
struct Shape {
    double (*TubeLength)(int i);      // [m]
    double (*TubeInclination)(int i); // [deg]
    double (*BendRadius)(int i);      // [m]
    double (*BendAngle)(int i);       // [deg]
};

// Risers and droppers transmit every size of the distribution, so each component
// integrates over all its sizes: the slowest line of its length.
inline constexpr Shape Risers{
    [](int i) { return 1.0 + 0.25 * (i % 5); },
    [](int i) { return (i % 4 == 1) ? 90.0 : -90.0; },
    [](int) { return 0.2; },
    [](int) { return 90.0; },
};

// Tubes of every inclination and length and bends of every radius: no two components
// alike, so each settles differently and cuts off at its own size.
inline constexpr Shape Inclined{
    [](int i) { return 0.2 + 0.01 * i; },
    [](int i) { return -90.0 + 0.9 * i; },
    [](int i) { return 0.2 + 0.001 * i; },
    [](int i) { return 45.0 + 0.2 * i; },
};

// `count` components, not yet evaluated.
inline LodoModel Line(int count, const Shape& shape) {
    LodoModel m;
    TLodoComp nozzle = Record("N-1", "Nozzle", NodeNozzle, 34.9);
    nozzle.Len = 10.0;
    nozzle.FStream = 1.0; // close to isokinetic
    m.List.push_back(nozzle);
    double d = 34.9;
    for (int i = 1; i < count; ++i) {
        const std::string n = std::to_string(i);
        switch (i % 8) {
        case 2:
        case 6: {
            TLodoComp b = Record("B-" + n, "Bend", NodeBend, d);
            b.Brd = shape.BendRadius(i);
            b.Ang2 = shape.BendAngle(i);
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
            t.Len = shape.TubeLength(i);
            t.Ang1 = shape.TubeInclination(i);
            m.List.push_back(t);
            break;
        }
        }
    }
    return m;
}

} // namespace BenchLines
