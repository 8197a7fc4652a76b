#include "model/EvalFrame.h"
#include "model/EvalTerms.h"
#include "model/EvalTypes.h"
#include "model/PanelText.h"
#include "model/Units.h"
#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"
#include "physics/ParticleProperties.h"

#include <array>
#include <optional>
#include <variant>

namespace K = LodoMath::Kernels;
using PanelText::Fmt;
using PanelText::Row;
using PanelText::RowDef;

namespace {

constexpr std::string_view Dashes = " -------------- ";

constexpr std::array<RowDef, 21> TubePanel{{
    Row("Inlet Velocity", Fmt::Fixed, 4, "   m/s"),
    Row("Inlet Reynolds No", Fmt::Fixed, 2),
    Row("Sedimentation Case", Fmt::Text, 0, Dashes, Argb::DarkBlue, true),
    Row("Particle Terminal Velocity (Vts):", Fmt::Fixed, 5, "  m/s"),
    Row("Residence Time (t`):", Fmt::Fixed, 5),
    Row("Sed. Parameter Z:", Fmt::Fixed, 5),
    Row("Sed. Parameter K:", Fmt::Fixed, 5),
    Row("Sed. Transmission:", Fmt::Fixed, 5),
    Row("Diffusion Case", Fmt::Text, 0, Dashes, Argb::DarkBlue, true),
    Row("Thermal Diff Coef:", Fmt::Sci),
    Row("Diffusion Time:", Fmt::Sci),
    Row("Sherword No (Lam):", Fmt::Fixed, 2),
    Row("Sherwood No (Turb):", Fmt::Fixed, 2),
    Row("Schmidt No:", Fmt::Fixed, 1),
    Row("Diffusion Transmission:", Fmt::Fixed, 4),
    Row("Inertial Case", Fmt::Text, 0, Dashes, Argb::DarkBlue, true),
    Row("Stokes No (Stk):", Fmt::Fixed, 4),
    Row("Relaxation Time (tau+):", Fmt::Fixed, 4),
    Row("Dimensionless Deposition Vel. (V+)", Fmt::Fixed, 4),
    Row("Particle Deposition Velocity (Vt)", Fmt::Fixed, 4, "   m/s"),
    Row("Inertial Transmission:", Fmt::Fixed, 4),
}};

// The tube's air and geometry, prepared once for all particle sizes; the kernels
// round exactly as TubeDiffTran, TubeSedTrans and TubeInertTrans.
struct TubeMechanisms {
    K::AirState air;
    K::TubeState tube;
    double DT(const K::SizeState& s) const { return K::TubeDiffTran(air, s, tube); }
    double ST(const K::SizeState& s) const { return K::TubeSedTrans(air, s, tube); }
    double IT(const K::SizeState& s) const { return K::TubeInertTrans(air, s, tube); }
    double Trans(const K::SizeState& s) const { return DT(s) * ST(s) * IT(s); }
};

} // namespace

namespace EvalDetail {

void Tube(LodoModel& m, int Row, Output out) {
    EvalContext& ctx = m.Ctx;
    const EvalFrame::Start s = EvalFrame::Begin(m, Row, out == Output::Full);
    TLodoComp& c = s.C;
    const ComponentInputs& in = s.In;
    const bool logNormal = s.LogNormal, show = s.Show;

    TubeMechanisms tm;
    tm.air = s.Air;
    const FlowTerms& flow = s.Flow;
    tm.tube = K::MakeTube(tm.air, flow.V1, in.D1, in.L, in.Q, in.Theta);
    // Without a wall temperature the tube is exactly what it always was.
    std::optional<K::ThermoState> gas;
    if (in.Tw)
        gas = K::MakeThermo(tm.air, tm.tube.flow, in.Lth, *in.Tw);
    const auto thermo = [&](double d) { return K::ThermoTransAt(tm.air, *gas, d, ctx.Particle); };

    auto mechanisms = [&](double d) {
        const K::SizeState s = K::MakeSize(tm.air, d, ctx.Particle);
        ctx.TubeDT = tm.DT(s);
        ctx.TubeST = tm.ST(s);
        ctx.TubeIT = tm.IT(s);
        ctx.TubeTh = gas ? thermo(d) : 1.0;
    };
    if (!logNormal) {
        mechanisms(s.Dp);
        ctx.NodeTrans = ctx.TubeDT * ctx.TubeST * ctx.TubeIT;
        if (gas)
            ctx.NodeTrans *= ctx.TubeTh;
    } else {
        const auto o = EvalFrame::IntegrateLogNormal(m.Sizes, ctx, [&](int k, double d) {
            const double t = tm.Trans(m.Sizes.State(tm.air, k));
            return gas ? t * thermo(d) : t;
        });
        EvalFrame::ApplyLogNormal(m, o, show);
        mechanisms(ctx.MDp);
        ctx.NodeTrans = ctx.MNodeTrans;
    }
    EvalFrame::StoreResults(m, c, s.Base, flow.Re1, flow.Re2, ctx.TubeDT, ctx.TubeST, ctx.TubeIT);
    c.TransTh = ctx.TubeTh;
    if (!show)
        return;

    const ComponentTerms t = TermsAt(in, s.Dp, ctx.Particle);
    const auto& k = std::get<K::TubeTerms>(t.Model);
    EvalFrame::WriteCommonOutputs(m.Display, t.Particle.Cc, in.Q, t.Air);

    const std::array<double, 21> values{t.Flow.V1, t.Flow.Re1, 0,          k.Vt, k.Tt,  k.Z,
                                        k.K,       ctx.TubeST, 0,          k.Dc, k.xi,  k.ShL,
                                        k.ShH,     k.Sc,       ctx.TubeDT, 0,    k.Stk, k.TauPlus,
                                        k.VPlus,   k.Vd,       ctx.TubeIT};
    PanelText::FillPanel(m.Display, TubePanel, values);
    EvalFrame::WriteParticleRows(m.Display, t, ctx.Particle);
    EvalFrame::WriteThermoRows(m.Display, t);
}

} // namespace EvalDetail
