#include "model/EvalFrame.h"
#include "model/EvalTerms.h"
#include "model/EvalTypes.h"
#include "model/PanelText.h"
#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"
#include "physics/ParticleProperties.h"

#include <array>
#include <cmath>
#include <optional>
#include <variant>

using LodoMath::TArea;
namespace Kn = LodoMath::Kernels;
using PanelText::Fmt;
using PanelText::Row;
using PanelText::RowDef;

namespace {

constexpr std::array<RowDef, 5> BendPanel{{
    Row("Inlet Velocity", Fmt::Fixed, 4, "   m/s"),
    Row("Inlet Reynolds No", Fmt::Fixed, 2),
    Row("Stokes No (Stk):", Fmt::Fixed, 4),
    Row("Curvature ratio:", Fmt::Fixed, 4),
    Row("Bend Transmission:", Fmt::Fixed, 4),
}};

constexpr std::array<RowDef, 8> ContractionPanel{{
    Row("Inlet Velocity", Fmt::Fixed, 4, "   m/s"),
    Row("Inlet Reynolds No", Fmt::Fixed, 2),
    Row("Stokes No (Stk):", Fmt::Fixed, 4),
    Row("Inlet Area:", Fmt::Sci, 0, "  m²"),
    Row("Outlet Area:", Fmt::Sci, 0, "  m²"),
    Row("Outlet Velocity:", Fmt::Fixed, 4, "  m/s"),
    Row("Outlet Reynolds No:", Fmt::Fixed, 1),
    Row("Contraction Transmission:", Fmt::Fixed, 4),
}};

// As the contraction's, but with one blank before the outlet area's unit.
constexpr std::array<RowDef, 8> ExpansionPanel{{
    Row("Inlet Velocity", Fmt::Fixed, 4, "   m/s"),
    Row("Inlet Reynolds No", Fmt::Fixed, 2),
    Row("Stokes No (Stk):", Fmt::Fixed, 4),
    Row("Inlet Area:", Fmt::Sci, 0, "  m²"),
    Row("Outlet Area:", Fmt::Sci, 0, " m²"),
    Row("Outlet Velocity:", Fmt::Fixed, 4, "  m/s"),
    Row("Outlet Reynolds No:", Fmt::Fixed, 1),
    Row("Expansion Transmission:", Fmt::Fixed, 4),
}};

// Mode handling of the fittings: the transmission at Dp, or the integration
// followed by the transmission at MDp, which is what the record's TransM1 holds.
// model(p, Dp) takes the aerodynamic particle state p of the entered size Dp [um].
template <class Model>
void FittingTransmission(LodoModel& m, bool logNormal, bool show, const Kn::AirState& air,
                         Model&& model) {
    EvalContext& ctx = m.Ctx;
    if (!logNormal) {
        ctx.NodeTrans = model(Kn::MakeParticle(air, ctx.Dp, ctx.Particle), ctx.Dp);
        return;
    }
    const auto o = EvalFrame::IntegrateLogNormal(
        m.Sizes, ctx, [&](int k, double d) { return model(m.Sizes.State(air, k).p, d); });
    EvalFrame::ApplyLogNormal(m, o, show);
    ctx.NodeTrans = model(Kn::MakeParticle(air, ctx.MDp, ctx.Particle), ctx.MDp);
}

} // namespace

namespace EvalDetail {

void Cone(LodoModel& m, int Row, bool expansion, Output out) {
    EvalContext& ctx = m.Ctx;
    const EvalFrame::Start s = EvalFrame::Begin(m, Row, out == Output::Full);
    TLodoComp& c = s.C;
    const ComponentInputs& in = s.In;
    const bool logNormal = s.LogNormal, show = s.Show;

    const Kn::AirState& air = s.Air;
    const FlowTerms& flow = s.Flow;
    if (expansion) {
        const Kn::ConeState cone = Kn::MakeExpansion(in.D1, in.D2, in.Q, in.Ang);
        FittingTransmission(m, logNormal, show, air, [&](const Kn::ParticleState& p, double) {
            return Kn::ExpTrans(air, p, cone);
        });
    } else {
        const Kn::ConeState cone = Kn::MakeContraction(in.D1, in.D2, in.Q, in.Ang);
        FittingTransmission(m, logNormal, show, air, [&](const Kn::ParticleState& p, double) {
            return Kn::ContTrans(air, p, cone);
        });
    }
    EvalFrame::StoreResults(m, c, s.Base, flow.Re1, flow.Re2, 1, 1, 1);
    if (!show)
        return;

    const ComponentTerms t = TermsAt(in, s.Dp, ctx.Particle);
    EvalFrame::WriteCommonOutputs(m.Display, t.Particle.Cc, in.Q, t.Air);
    const double Stk = std::get<Kn::ConeTerms>(t.Model).Stk;
    const double InArea = TArea(0.001 * in.D1);
    const double OutArea = TArea(0.001 * in.D2);
    const std::array<double, 8> values{t.Flow.V1, t.Flow.Re1, Stk,        InArea,
                                       OutArea,   t.Flow.V2,  t.Flow.Re2, ctx.NodeTrans};
    if (expansion)
        PanelText::FillPanel(m.Display, ExpansionPanel, values);
    else
        PanelText::FillPanel(m.Display, ContractionPanel, values);
    EvalFrame::WriteParticleRows(m.Display, t, ctx.Particle);
}

void Bend(LodoModel& m, int Row, Output out) {
    EvalContext& ctx = m.Ctx;
    const EvalFrame::Start s = EvalFrame::Begin(m, Row, out == Output::Full);
    TLodoComp& c = s.C;
    const ComponentInputs& in = s.In;
    const bool logNormal = s.LogNormal, show = s.Show;

    const double K = Kn::CurvatureRatio(in.Rb, in.D1);
    const Kn::AirState& air = s.Air;
    const FlowTerms& flow = s.Flow;
    const Kn::FlowState flowState = Kn::MakeFlow(air, flow.V1, in.D1);

    // The models hold for curvature ratios of 4 and more; a ratio that is not finite
    // is shown in red too. The note stays on the bend page after later rows.
    const bool tight = K < 4;
    m.Display.CurveR.Text = "Curvature Ratio = " + PanelText::Fixed(K, 2);
    if (tight)
        m.Display.CurveR.Text += "   See Note below";
    m.Display.CurveR.Colour = (tight || !std::isfinite(K)) ? Argb::Red : Argb::Black;
    m.Display.CurveR.Underline = false;
    m.Display.CRErrorVisible = tight;

    // Without a wall temperature the bend is exactly what it always was.
    std::optional<Kn::ThermoState> gas;
    if (in.Tw)
        gas = Kn::MakeThermo(air, flowState, in.Lth, *in.Tw);
    FittingTransmission(m, logNormal, show, air, [&](const Kn::ParticleState& p, double d) {
        const double t = Kn::BendTrans(air, p, flowState, in.Ang);
        return gas ? t * Kn::ThermoTransAt(air, *gas, d, ctx.Particle) : t;
    });
    ctx.TubeTh = gas ? Kn::ThermoTransAt(air, *gas, s.Dp, ctx.Particle) : 1.0;
    EvalFrame::StoreResults(m, c, s.Base, flow.Re1, flow.Re2, 1, 1, 1);
    c.TransTh = ctx.TubeTh;
    if (!show)
        return;

    const ComponentTerms t = TermsAt(in, s.Dp, ctx.Particle);
    const auto& bend = std::get<Kn::BendTerms>(t.Model);
    EvalFrame::WriteCommonOutputs(m.Display, t.Particle.Cc, in.Q, t.Air);
    const std::array<double, 5> values{t.Flow.V1, t.Flow.Re1, bend.Stk, bend.CurvatureRatio,
                                       ctx.NodeTrans};
    PanelText::FillPanel(m.Display, BendPanel, values);
    EvalFrame::WriteParticleRows(m.Display, t, ctx.Particle);
    EvalFrame::WriteThermoRows(m.Display, t);
}

} // namespace EvalDetail
