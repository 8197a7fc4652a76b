#include "model/LodoModel.h"

namespace {

// Default outlet and half angle of a new cone: a 1.5 diameter ratio at 45 degrees.
void ConeDefaults(EvalContext& c, double otherwiseD2, double otherwiseA2) {
    if (c.NodeType == "Contraction") {
        c.D2 = c.D1 / 1.5;
        c.A2 = 45.0;
    } else if (c.NodeType == "Expansion") {
        c.D2 = c.D1 * 1.5;
        c.A2 = 45.0;
    } else {
        c.D2 = otherwiseD2;
        c.A2 = otherwiseA2;
    }
}

} // namespace

void SetNodeValues(LodoModel& m) {
    EvalContext& c = m.Ctx;
    const auto count = static_cast<int>(m.List.size());
    if (c.RefNum == Operation::Adding) {
        if (c.CurrRow == 1) {
            ConeDefaults(c, c.D2, c.A2);
            c.L = c.NodeType == "Nozzle" ? 10.0 : 1.0;
            return;
        }
        const int up = c.CurrRow - 2;
        if (up < 0 || up >= count)
            return;
        const TLodoComp& u = m.List[static_cast<std::size_t>(up)];
        c.L = 1.0;
        c.A1 = u.Ang1;
        c.A3 = u.Ang3;
        c.Qa = u.Flow;
        c.T = u.Temp;
        c.P = u.Press;
        c.D1 = u.Dia2;
        c.Rd = u.Brd;
        c.Ve = u.FStream;
        c.LU = u.LenUnit;
        c.FU = u.FlowUnit;
        c.TU = u.TempUnit;
        c.PU = u.PressUnit;
        c.RU = u.RadiusUnit;
        c.FSU = u.FStreamUnit;
        c.D1U = c.D2U = u.Dia2Unit;
        ConeDefaults(c, u.Dia2, u.Ang2);
    } else if (c.RefNum == Operation::Editing) {
        const int at = c.CurrRow - 1;
        if (at < 0 || at >= count)
            return;
        const TLodoComp& e = m.List[static_cast<std::size_t>(at)];
        c.L = e.Len;
        c.A1 = e.Ang1;
        c.A2 = e.Ang2;
        c.A3 = e.Ang3;
        c.Qa = e.Flow;
        c.T = e.Temp;
        c.P = e.Press;
        c.D1 = e.Dia1;
        c.D2 = e.Dia2;
        c.Rd = e.Brd;
        c.Ve = e.FStream;
        c.LU = e.LenUnit;
        c.FU = e.FlowUnit;
        c.TU = e.TempUnit;
        c.PU = e.PressUnit;
        c.D1U = e.Dia1Unit;
        c.D2U = e.Dia2Unit;
        c.RU = e.RadiusUnit;
        c.FSU = e.FStreamUnit;
    }
}
