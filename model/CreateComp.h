#pragma once

#include "model/EvalContext.h"
#include "model/TLodoComp.h"

// Copies the context's inputs (values and units) into a record, leaving its name,
// type and results alone.
inline void CopyContextInputs(TLodoComp& r, const EvalContext& c) {
    r.Temp = c.T;
    r.Press = c.P;
    r.Len = c.L;
    r.Brd = c.Rd;
    r.Ang1 = c.A1;
    r.Ang2 = c.A2;
    r.Ang3 = c.A3;
    r.Dia1 = c.D1;
    r.Dia2 = c.D2;
    r.Flow = c.Qa;
    r.FStream = c.Ve;
    r.TempUnit = c.TU;
    r.LenUnit = c.LU;
    r.PressUnit = c.PU;
    r.Dia1Unit = c.D1U;
    r.Dia2Unit = c.D2U;
    r.FlowUnit = c.FU;
    r.RadiusUnit = c.RU;
    r.FStreamUnit = c.FSU;
}

// A new record filled from the evaluation context, as adding a component and the
// file readers create them before setting their own fields.
inline TLodoComp CreateComp(const EvalContext& c) {
    TLodoComp r;
    r.Name = c.NodeName;
    r.NType = c.NodeType;
    r.NTypeInt = c.NodeInt;
    r.TransM1 = c.NodeTrans;
    CopyContextInputs(r, c);
    return r;
}
