#include "model/EvalFrame.h"
#include "model/EvalTerms.h"
#include "model/EvalTypes.h"
#include "model/PanelText.h"
#include "model/Units.h"
#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"
#include "physics/ParticleProperties.h"

#include <array>
#include <variant>

using LodoMath::TArea;
namespace K = LodoMath::Kernels;
using PanelText::Fmt;
using PanelText::Row;
using PanelText::RowDef;

namespace {

constexpr std::array<RowDef, 19> NozzlePanel{{
    Row("Inlet Velocity", Fmt::Fixed, 4, "   m/s"),
    Row("Inlet Reynolds No", Fmt::Fixed, 2),
    Row("Nozzle Entrance Stokes No (Stk):", Fmt::Fixed, 4),
    Row("Inlet Area:", Fmt::Sci, 0, "  m²"),
    Row("Outlet Area:", Fmt::Sci, 0, "  m²"),
    Row("Outlet Velocity:", Fmt::Fixed, 4, "  m/s"),
    Row("Outlet Reynolds No:", Fmt::Fixed, 1),
    Row("Free Stream Velocity:", Fmt::Fixed, 4, "   m/s"),
    Row("Velocity Ratio", Fmt::Fixed, 4),
    Row("Aspiration Alpha", Fmt::Fixed, 4),
    Row("Aspiration Ratio", Fmt::Fixed, 4, "", Argb::Green),
    Row("Nozzle Particle Stokes No", Fmt::Fixed, 4),
    Row("C1", Fmt::Fixed, 4),
    Row("Kref", Fmt::Fixed, 1),
    Row("Tau_N", Fmt::Fixed, 4),
    Row("Rz", Fmt::Fixed, 4),
    Row("Fr", Fmt::Fixed, 2),
    Row("Wall Loss", Fmt::Fixed, 4, "", Argb::Green),
    Row("Nozzle Transmission", Fmt::Fixed, 4, "", Argb::DarkBlue),
}};

constexpr std::array<RowDef, 24> ShroudPanel{{
    Row("Nozzle Inlet Area", Fmt::Sci, 0, "   m²"),
    Row("Nozzle Outlet Area", Fmt::Sci, 0, "   m²"),
    Row("Shroud Area:", Fmt::Sci, 0, "  m²"),
    Row("Body Area:", Fmt::Sci, 0, "  m²"),
    Row("Gap Area:", Fmt::Sci, 0, "  m²"),
    Row("Free Stream Velocity:", Fmt::Fixed, 4, "   m/s"),
    Row("Shroud Velocity:", Fmt::Fixed, 4, "   m/s"),
    Row("Nozzle Inlet Velocity:", Fmt::Fixed, 3, "  m/s"),
    Row("Shroud Velocity Ratio", Fmt::Fixed, 4),
    Row("Shroud Stokes No", Fmt::Fixed, 4),
    Row("Alpha of Shroud", Fmt::Fixed, 4),
    Row("Aspiration Ratio of Shroud", Fmt::Fixed, 4, "", Argb::Green),
    Row("Shroud Core Velocity", Fmt::Fixed, 4, "   m/s"),
    Row("Probe Velocity Ratio", Fmt::Fixed, 4),
    Row("Probe Stokes No", Fmt::Fixed, 4),
    Row("Alpha of Probe", Fmt::Fixed, 4),
    Row("Aspiration Ratio of Probe", Fmt::Fixed, 4, "", Argb::Green),
    Row("Correlation Function", Fmt::Fixed, 4),
    Row("Shrouded Probe Aspiration", Fmt::Fixed, 4, "", Argb::DarkBlue),
    Row("Normalized Length (Lw)", Fmt::Fixed, 4),
    Row("Froude number (Fr)", Fmt::Fixed, 4),
    Row("Inner Probe Stokes No", Fmt::Fixed, 4),
    Row("Wall Loss Ratio", Fmt::Fixed, 4, "", Argb::Green),
    Row("Shrouded Probe Transmission", Fmt::Fixed, 4, "", Argb::DarkBlue),
}};

struct InletValues {
    double Asp = 0, WL = 0;
};

// Mode handling of the inlets: aspiration and wall loss at Dp, or the integration
// followed by both at MDp with the mass penetration as the transmission.
template <class AspWl>
InletValues InletTransmission(LodoModel& m, bool logNormal, bool show, const K::AirState& air,
                              AspWl&& aspWl) {
    EvalContext& ctx = m.Ctx;
    InletValues v;
    if (!logNormal) {
        aspWl(K::MakeParticle(air, ctx.Dp, ctx.Particle), v.Asp, v.WL);
        ctx.NodeTrans = InletPenetration(v.Asp, v.WL);
        return v;
    }
    const auto o = EvalFrame::IntegrateLogNormal(m.Sizes, ctx, [&](int k, double) {
        double asp = 0, wl = 0;
        aspWl(m.Sizes.State(air, k).p, asp, wl);
        return InletPenetration(asp, wl);
    });
    EvalFrame::ApplyLogNormal(m, o, show);
    aspWl(K::MakeParticle(air, ctx.MDp, ctx.Particle), v.Asp, v.WL);
    ctx.NodeTrans = ctx.MNodeTrans;
    return v;
}

} // namespace

namespace EvalDetail {

void Nozzle(LodoModel& m, int Row, Output out) {
    EvalContext& ctx = m.Ctx;
    const EvalFrame::Start s = EvalFrame::Begin(m, Row, out == Output::Full);
    TLodoComp& c = s.C;
    const ComponentInputs& in = s.In;
    const bool logNormal = s.LogNormal, show = s.Show;

    const K::AirState& air = s.Air;
    const FlowTerms& flow = s.Flow;

    // The inclination is accepted by the wall-loss model but does not enter it.
    const InletValues v = InletTransmission(
        m, logNormal, show, air, [&](const K::ParticleState& p, double& asp, double& wl) {
            asp = K::NozzleAsp(air, p, in.D1, in.Q, in.Uo);
            wl = K::NozWallLoss(air, p, in.D1, in.L, in.Q);
        });
    EvalFrame::StoreResults(m, c, s.Base, flow.Re1, flow.Re2, v.Asp, v.WL, 1);
    m.Display.LabelNozAsp = EvalFrame::AspirationVerdict(v.Asp);
    if (!show)
        return;

    const ComponentTerms t = TermsAt(in, s.Dp, ctx.Particle);
    const NozzleTerms& k = std::get<NozzleTerms>(t.Model);
    EvalFrame::WriteCommonOutputs(m.Display, t.Particle.Cc, in.Q, t.Air);
    const double InArea = TArea(0.001 * in.D1);
    const double OutArea = TArea(0.001 * in.D2);

    const std::array<double, 19> values{
        t.Flow.V1,   t.Flow.Re1, k.Asp.Stk,   InArea, OutArea,      t.Flow.V2, t.Flow.Re2,
        in.Uo,       k.Asp.R,    k.Asp.Alpha, v.Asp,  k.Wall.Stkp,  k.Wall.C1, k.Wall.kref,
        k.Wall.TauN, k.Wall.Rz,  k.Wall.Fr,   v.WL,   ctx.NodeTrans};
    PanelText::FillPanel(m.Display, NozzlePanel, values);
    EvalFrame::WriteParticleRows(m.Display, t, ctx.Particle);
}

void Shroud(LodoModel& m, int Row, Output out) {
    EvalContext& ctx = m.Ctx;
    const EvalFrame::Start s = EvalFrame::Begin(m, Row, out == Output::Full);
    TLodoComp& c = s.C;
    const ComponentInputs& in = s.In;
    const bool logNormal = s.LogNormal, show = s.Show;

    const K::AirState& air = s.Air;
    const FlowTerms& flow = s.Flow;

    const InletValues v = InletTransmission(
        m, logNormal, show, air, [&](const K::ParticleState& p, double& asp, double& wl) {
            asp = K::ShroudAsp(in.Probe, air, p, in.Q, in.Uo);
            wl = K::ShroudWallLoss(in.Probe, air, p, in.Q, in.Uo);
        });
    EvalFrame::StoreResults(m, c, s.Base, flow.Re1, flow.Re2, v.Asp, v.WL, 1);
    // The catalogue diameters are millimetres: say so, or the next component would
    // read them in the record's old unit. An unknown model leaves them alone.
    if (in.Probe != nullptr) {
        c.Dia1 = in.D1;
        c.Dia2 = in.D2;
        c.Dia1Unit = Units::Metric;
        c.Dia2Unit = Units::Metric;
    }
    m.Display.LabelShrAsp = EvalFrame::AspirationVerdict(v.Asp);
    if (!show)
        return;

    const ComponentTerms t = TermsAt(in, s.Dp, ctx.Particle);
    const ShroudTerms& k = std::get<ShroudTerms>(t.Model);
    EvalFrame::WriteCommonOutputs(m.Display, t.Particle.Cc, in.Q, t.Air);
    const double NozOutArea = TArea(0.001 * in.D2);

    const std::array<double, 24> values{
        k.Asp.Ai,  NozOutArea, k.Asp.Ash,   k.Asp.Abd,    k.Asp.Agp,    in.Uo,
        k.Asp.Ush, k.Asp.Upr,  k.Asp.Rs,    k.Asp.Stks,   k.Asp.AlphaS, k.Asp.AspS,
        k.Asp.Usc, k.Asp.Rpr,  k.Asp.Stkpr, k.Asp.AlphaP, k.Asp.AspP,   k.Asp.F,
        v.Asp,     k.Wall.Lw,  k.Wall.Fr,   k.Wall.Stkp,  v.WL,         ctx.NodeTrans};
    PanelText::FillPanel(m.Display, ShroudPanel, values);
    EvalFrame::WriteParticleRows(m.Display, t, ctx.Particle);
}

} // namespace EvalDetail
