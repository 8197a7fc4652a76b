#include "model/EvalFrame.h"
#include "model/EvalTypes.h"
#include "model/PanelText.h"
#include "model/StepControl.h"

#include <cmath>

namespace EvalDetail {

bool IsEvaluated(int code) {
    return code >= NodeTube && code <= NodeShroud;
}

void CalcNode(LodoModel& m, int Row, Output out) {
    if (Row < 0 || static_cast<std::size_t>(Row) >= m.List.size())
        return;
    EvalContext& ctx = m.Ctx;
    ctx.SystemTrans = 1;
    ctx.MassTrans = 1;
    ctx.PartTrans = 1;

    const StepControl::Range r = StepControl::LogNormalRange(ctx.MDp, ctx.DpSD);
    ctx.LowV = r.LowV;
    ctx.HighV = r.HighV;
    ctx.DpStep = r.DpStep;
    ctx.NumSteps1 = StepControl::StepCount(Row, ctx.NewHighV, ctx.LowV, ctx.DpStep);

    switch (m.List[static_cast<std::size_t>(Row)].NTypeInt) {
    case NodeTube:
        Tube(m, Row, out);
        break;
    case NodeBend:
        Bend(m, Row, out);
        break;
    case NodeContraction:
        Cone(m, Row, false, out);
        break;
    case NodeExpansion:
        Cone(m, Row, true, out);
        break;
    case NodeNozzle:
        Nozzle(m, Row, out);
        break;
    case NodeShroud:
        Shroud(m, Row, out);
        break;
    default:
        break; // not a component the evaluation knows: its stored results still count
    }
    if (out == Output::ResultsOnly)
        return;
    if (IsEvaluated(m.List[static_cast<std::size_t>(Row)].NTypeInt))
        m.Display.ShownRow = Row;

    for (const TLodoComp& c : m.List) {
        ctx.SystemTrans *= c.TransM1;
        ctx.MassTrans *= c.MTrans;
        ctx.PartTrans *= c.PTrans;
    }

    DisplaySink& d = m.Display;
    // ANSI N13.1: the system penetration must not fall below 50 %; a penetration
    // that is not a number cannot pass.
    const double percent = 100 * ctx.SystemTrans;
    d.SystemT.Colour = (percent < 50 || !std::isfinite(percent)) ? Argb::Red : Argb::Green;
    d.SystemT.Underline = false;
    if (ctx.TypeDist == Distribution::LogNormal) {
        d.SystemT.Text = PanelText::EqualsF(100 * ctx.PartTrans);
        d.MassPent = PanelText::EqualsF(100 * ctx.MassTrans);
    } else {
        d.SystemT.Text = PanelText::EqualsF(percent);
        d.MassPent.clear();
        d.MaxPartSize.clear();
    }
}

} // namespace EvalDetail

void CalcNodeTrans(LodoModel& m, int Row) {
    EvalDetail::CalcNode(m, Row, EvalDetail::Output::Full);
}
