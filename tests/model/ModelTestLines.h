#pragma once

#include "model/LodoModel.h"
#include "model/Units.h"

#include <string>

// Records for model tests: metric units, 20 degC and 101.325 kPa unless changed.
namespace TestLines {

inline TLodoComp Base(const std::string& name, const std::string& type, int code) {
    TLodoComp c;
    c.Name = name;
    c.NType = type;
    c.NTypeInt = code;
    c.Temp = 20.0;
    c.Press = 101.325;
    c.Flow = 10.0;
    c.FStream = 10.0;
    c.Len = 1.0;
    c.Brd = 0.1016;
    c.Ang2 = 90.0;
    c.TempUnit = c.PressUnit = c.LenUnit = c.Dia1Unit = c.Dia2Unit = c.FlowUnit = c.RadiusUnit =
        c.FStreamUnit = Units::Metric;
    return c;
}

inline TLodoComp Tube(double d, double len, double q, double incl = 0.0) {
    TLodoComp c = Base("T-1", "Tube", NodeTube);
    c.Dia1 = c.Dia2 = d;
    c.Len = len;
    c.Flow = q;
    c.Ang1 = incl;
    return c;
}

inline TLodoComp Bend(double d, double radius, double q, double angle = 90.0) {
    TLodoComp c = Base("B-1", "Bend", NodeBend);
    c.Dia1 = c.Dia2 = d;
    c.Brd = radius;
    c.Flow = q;
    c.Ang2 = angle;
    return c;
}

inline TLodoComp Cone(bool expansion, double din, double dout, double q, double half = 45.0) {
    TLodoComp c = expansion ? Base("E-1", "Expansion", NodeExpansion)
                            : Base("C-1", "Contraction", NodeContraction);
    c.Dia1 = din;
    c.Dia2 = dout;
    c.Flow = q;
    c.Ang2 = half;
    return c;
}

inline TLodoComp Nozzle(double din, double dout, double len, double q, double uo) {
    TLodoComp c = Base("N-1", "Nozzle", NodeNozzle);
    c.Dia1 = din;
    c.Dia2 = dout;
    c.Len = len;
    c.Flow = q;
    c.FStream = uo;
    return c;
}

inline TLodoComp Shroud(const std::string& model, double q, double uo) {
    TLodoComp c = Base("N-1", model, NodeShroud);
    c.Dia1 = c.Dia2 = 34.9;
    c.Flow = q;
    c.FStream = uo;
    return c;
}

inline LodoModel Model(LodoList list, const std::string& dtype = "Mono", float dp = 10.0f) {
    LodoModel m;
    m.List = std::move(list);
    m.Ctx.DType = m.Ctx.TypeDist = *DistributionFromText(dtype);
    m.Ctx.Dp = dp;
    return m;
}

} // namespace TestLines
