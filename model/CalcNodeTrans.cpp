#include "model/EvalFrame.h"
#include "model/EvalTypes.h"
#include "model/PanelText.h"
#include "model/StepControl.h"

#include <cmath>
#include <vector>

namespace EvalDetail {

bool IsEvaluated(int code) {
    return code >= NodeTube && code <= NodeShroud;
}

void CalcNode(LodoModel& m, int Row, Output out) {
    if (Row < 0 || static_cast<std::size_t>(Row) >= m.List.size())
        return;
    EvalContext& ctx = m.Ctx;
    const StepControl::Range r = StepControl::LogNormalRange(ctx.MDp, ctx.DpSD);
    ctx.LowV = r.LowV;
    ctx.HighV = r.HighV;
    ctx.DpStep = r.DpStep;
    ctx.NumSteps1 = StepControl::StepCount(Row, ctx.NewHighV, ctx.LowV, ctx.DpStep);
    // Without a distribution the number and mass penetrations mean nothing; they are
    // stored as a fresh start leaves them, not as an earlier log-normal run did.
    if (ctx.DType != Distribution::LogNormal)
        ctx.PNodeTrans = ctx.MNodeTrans = 0;

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
    WriteTotals(m);
}

void WriteTotals(LodoModel& m) {
    EvalContext& ctx = m.Ctx;
    ctx.SystemTrans = 1;
    ctx.MassTrans = 1;
    ctx.PartTrans = 1;
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
    // In log-normal mode the product is of mass penetrations of truncated integrations
    // and fittings' values at the median: not the aerosol's penetration, so no verdict
    // (a 10 m tube passed where a 1 m one failed). The design verdict judges instead.
    if (ctx.TypeDist == Distribution::LogNormal)
        d.SystemT.Colour = Argb::Black;
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

int LastEvaluatedRow(const LodoList& list) {
    int row = static_cast<int>(list.size()) - 1;
    while (row > 0 && !EvalDetail::IsEvaluated(list[static_cast<std::size_t>(row)].NTypeInt))
        --row;
    return row;
}

void CalcNodeTrans(LodoModel& m, int Row) {
    EvalDetail::CalcNode(m, Row, EvalDetail::Output::Full);
}

void EvaluateLine(LodoModel& m, int shownRow) {
    using namespace EvalDetail;
    const int count = static_cast<int>(m.List.size());
    if (count == 0)
        return;
    // Nothing of an earlier evaluation may remain on show.
    m.Display = DisplaySink{};
    // The largest size each component's upstream neighbour transmitted: what its
    // integration runs up to in this order, and so when it is shown again.
    std::vector<float> upstreamHigh(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        upstreamHigh[static_cast<std::size_t>(i)] = m.Ctx.NewHighV;
        CalcNode(m, i, Output::ResultsOnly);
    }
    const EvalContext whole = m.Ctx;
    if (shownRow >= 0 && shownRow < count) {
        // The same inputs and step control give the same results; only the panel is new.
        m.Ctx.NewHighV = upstreamHigh[static_cast<std::size_t>(shownRow)];
        CalcNode(m, shownRow, Output::Full);
    }
    m.Ctx = whole;
    WriteTotals(m);
    if (m.Ctx.TypeDist == Distribution::LogNormal) {
        // The largest size the whole line transmits, whichever row is shown.
        const EvalContext& c = m.Ctx;
        EvalFrame::ApplyLogNormal(m, {c.PNodeTrans, c.MNodeTrans, c.NewHighV, c.Dp}, true);
    }
}
