#include "model/EvalFrame.h"

#include "model/PanelText.h"
#include "model/Units.h"
#include "physics/LodoMath.h"

#include <array>
#include <cmath>

namespace EvalFrame {

std::string StripMark(const std::string& name) {
    if (name.empty() || name.back() != '*')
        return name;
    return name.substr(0, name.size() >= 2 ? name.size() - 2 : 0);
}

bool InTransition(double Re) {
    return Re > LodoMath::ReMin && Re < LodoMath::ReMax;
}

std::string MarkedName(const std::string& base, double Re1, double Re2) {
    return InTransition(Re1) || InTransition(Re2) ? base + " *" : base;
}

bool IsLogNormal(const EvalContext& ctx) {
    return ctx.DType == Distribution::LogNormal;
}

double FoldedInclination(double deg) {
    const double a = std::fabs(deg);
    return (a > 90.0 && a <= 270.0) ? 180.0 - a : deg;
}

void WriteCommonOutputs(DisplaySink& d, double Cc, double Q,
                        const LodoMath::Kernels::AirState& air) {
    d.Cun_slip = PanelText::Fixed(Cc, 4);
    d.Flow_in = PanelText::Fixed(Q, 1) + "   LPM";
    d.AirVisLabel = PanelText::Sci(air.mu) + "   (N-s/m²)";
    d.AirDensityLabel = PanelText::Fixed(air.rho_a, 4) + "     (kg/m³)";
    d.AirMeanFreePathLabel = PanelText::Fixed(air.lambda, 4) + "       (µm)";
}

void WriteParticleRows(DisplaySink& d, const ComponentTerms& t,
                       const LodoMath::ParticleProperties& particle) {
    if (particle.IsUnitDensitySphere())
        return;
    static constexpr std::array<PanelText::RowDef, 2> Rows{{
        PanelText::Row("Aerodynamic Diameter:", PanelText::Fmt::Fixed, 4, "  µm"),
        PanelText::Row("Volume-Equivalent Diameter:", PanelText::Fmt::Fixed, 4, "  µm"),
    }};
    const std::array<double, 2> values{t.Da, t.Dve};
    PanelText::AppendRows(d, Rows, values);
}

void WriteThermoRows(DisplaySink& d, const ComponentTerms& t) {
    if (!t.Thermo)
        return;
    using PanelText::Fmt;
    using PanelText::Row;
    static constexpr std::array<PanelText::RowDef, 7> Rows{{
        Row("Thermophoresis Case", Fmt::Text, 0, " -------------- ", Argb::DarkBlue, true),
        Row("Wall Temperature:", Fmt::Fixed, 2, "  °C"),
        Row("Outlet Gas Temperature:", Fmt::Fixed, 2, "  °C"),
        Row("Nusselt No:", Fmt::Fixed, 2),
        Row("Prandtl No:", Fmt::Fixed, 4),
        Row("Thermophoretic Coef (Kth):", Fmt::Fixed, 4),
        Row("Thermophoretic Transmission:", Fmt::Fixed, 4),
    }};
    const ThermoTerms& th = *t.Thermo;
    const std::array<double, 7> values{0,         th.Gas.Tw, th.Gas.Tout, th.Gas.Nu,
                                       th.Gas.Pr, th.Kth,    th.Trans};
    PanelText::AppendRows(d, Rows, values);
}

StyledText AspirationVerdict(double asp) {
    StyledText t;
    t.Text = PanelText::EqualsF(asp);
    t.Colour = (asp >= 0.8 && asp <= 1.5) ? Argb::Green : Argb::Red;
    return t;
}

Start Begin(LodoModel& m, int Row, bool show) {
    EvalContext& ctx = m.Ctx;
    TLodoComp& c = m.List[static_cast<std::size_t>(Row)];
    const ComponentInputs in = InputsOf(c);
    const bool logNormal = IsLogNormal(ctx);
    if (logNormal)
        ctx.Dp = ctx.MDp;
    const LodoMath::Kernels::AirState air = LodoMath::Kernels::MakeAir(in.T, in.P);
    return Start{c, StripMark(c.Name), in, air, FlowOf(in, air), logNormal, show, ctx.Dp};
}

void ApplyLogNormal(LodoModel& m, const LogNormalOutcome& o, bool show) {
    m.Ctx.PNodeTrans = o.PNodeTrans;
    m.Ctx.MNodeTrans = o.MNodeTrans;
    m.Ctx.NewHighV = o.NewHighV;
    m.Ctx.Dp = o.DpAfter;
    if (!show)
        return;
    m.Display.MaxPartSize =
        "Maximum particle size that the system can transport = " + PanelText::Fixed(o.NewHighV, 2) +
        " (µm)";
}

void StoreResults(LodoModel& m, TLodoComp& c, const std::string& baseName, double Re1, double Re2,
                  double TransM2, double TransM3, double TransM4) {
    c.TransM1 = m.Ctx.NodeTrans;
    c.TransM2 = TransM2;
    c.TransM3 = TransM3;
    c.TransM4 = TransM4;
    c.MTrans = m.Ctx.MNodeTrans;
    c.PTrans = m.Ctx.PNodeTrans;
    c.Name = MarkedName(baseName, Re1, Re2);
}

} // namespace EvalFrame
