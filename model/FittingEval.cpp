#include "model/EvalFrame.h"
#include "model/EvalTypes.h"
#include "model/PanelText.h"
#include "model/Units.h"
#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <array>
#include <cmath>

using namespace LodoMath;
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
template <class Model>
void FittingTransmission(LodoModel& m, bool logNormal, bool show, const Kn::AirState& air,
                         Model&& model) {
    EvalContext& ctx = m.Ctx;
    if (!logNormal) {
        ctx.NodeTrans = model(Kn::MakeParticle(air, ctx.Dp));
        return;
    }
    const auto o = EvalFrame::IntegrateLogNormal(
        m.Sizes, ctx, [&](int k, double) { return model(m.Sizes.State(air, k).p); });
    EvalFrame::ApplyLogNormal(m, o, show);
    ctx.NodeTrans = model(Kn::MakeParticle(air, ctx.MDp));
}

// Air, slip correction and flow properties every fitting panel shows.
void WriteAirOutputs(LodoModel& m, double Tn, double Pn, double Qn) {
    const double Dp = m.Ctx.Dp;
    EvalFrame::WriteCommonOutputs(m.Display, SlipCorr(Dp, Tn, Pn), Qn, AirVis(Tn),
                                  AirDensity(Tn, Pn), AirMFP(Tn, Pn));
}

} // namespace

namespace EvalDetail {

void Cone(LodoModel& m, int Row, bool expansion, Output out) {
    EvalContext& ctx = m.Ctx;
    TLodoComp& c = m.List[static_cast<std::size_t>(Row)];
    const std::string base = EvalFrame::StripMark(c.Name);
    const double Tn = Units::TempToC(c.Temp, c.TempUnit);
    const double Pn = Units::PressToKPa(c.Press, c.PressUnit);
    const double Dn1 = Units::DiaToMm(c.Dia1, c.Dia1Unit);
    double Dn2 = Units::DiaToMm(c.Dia2, c.Dia2Unit);
    const double Qn = Units::FlowToLpm(c.Flow, c.FlowUnit);
    const double HAn = c.Ang2;
    const bool logNormal = EvalFrame::IsLogNormal(ctx);
    const bool show = out == Output::Full;
    if (logNormal)
        ctx.Dp = ctx.MDp;
    const double Dp = ctx.Dp;

    // A cone entered the wrong way round is evaluated with the default ratio; the
    // record keeps what was entered.
    if (!expansion && Dn2 >= Dn1)
        Dn2 = Dn1 / 1.5;
    if (expansion && Dn2 <= Dn1)
        Dn2 = 1.5 * Dn1;

    const Kn::AirState air = Kn::MakeAir(Tn, Pn);
    const double Vn1 = Vel(Dn1, Qn);
    const double Vn2 = Vel(Dn2, Qn);
    const double Re1 = Kn::ReynoldsNo(air, Vn1, Dn1);
    const double Re2 = Kn::ReynoldsNo(air, Vn2, Dn2);
    if (expansion) {
        const Kn::ConeState cone = Kn::MakeExpansion(Dn1, Dn2, Qn, HAn);
        FittingTransmission(m, logNormal, show, air,
                            [&](const Kn::ParticleState& p) { return Kn::ExpTrans(air, p, cone); });
    } else {
        const Kn::ConeState cone = Kn::MakeContraction(Dn1, Dn2, Qn, HAn);
        FittingTransmission(m, logNormal, show, air, [&](const Kn::ParticleState& p) {
            return Kn::ContTrans(air, p, cone);
        });
    }
    EvalFrame::StoreResults(m, c, base, Re1, Re2, 1, 1, 1);
    if (!show)
        return;

    WriteAirOutputs(m, Tn, Pn, Qn);
    const double Stk = expansion ? StkNo(Tn, Pn, Dp, Vn2, Dn1) : StkNo(Tn, Pn, Dp, Vn1, Dn2);
    const double InArea = TArea(0.001 * Dn1);
    const double OutArea = TArea(0.001 * Dn2);
    const std::array<double, 8> values{Vn1, Re1, Stk, InArea, OutArea, Vn2, Re2, ctx.NodeTrans};
    if (expansion)
        PanelText::FillPanel(m.Display, ExpansionPanel, values);
    else
        PanelText::FillPanel(m.Display, ContractionPanel, values);
}

void Bend(LodoModel& m, int Row, Output out) {
    EvalContext& ctx = m.Ctx;
    TLodoComp& c = m.List[static_cast<std::size_t>(Row)];
    const std::string base = EvalFrame::StripMark(c.Name);
    const double Tn = Units::TempToC(c.Temp, c.TempUnit);
    const double Pn = Units::PressToKPa(c.Press, c.PressUnit);
    const double Rn = Units::RadiusToM(c.Brd, c.RadiusUnit);
    const double Dn = Units::DiaToMm(c.Dia1, c.Dia1Unit);
    const double Qn = Units::FlowToLpm(c.Flow, c.FlowUnit);
    const double BAn = c.Ang2;
    const bool logNormal = EvalFrame::IsLogNormal(ctx);
    const bool show = out == Output::Full;
    if (logNormal)
        ctx.Dp = ctx.MDp;
    const double Dp = ctx.Dp;

    const double K = Rn / (0.001 * Dn / 2);
    const Kn::AirState air = Kn::MakeAir(Tn, Pn);
    const double Vn1 = Vel(Dn, Qn);
    const double Vn2 = Vn1;
    const Kn::FlowState flow = Kn::MakeFlow(air, Vn1, Dn);
    const double Re1 = Kn::ReynoldsNo(air, Vn1, Dn);
    const double Re2 = Kn::ReynoldsNo(air, Vn2, Dn);

    // The models hold for curvature ratios of 4 and more; a ratio that is not finite
    // is shown in red too. The note stays on the bend page after later rows.
    const bool tight = K < 4;
    m.Display.CurveR.Text = "Curvature Ratio = " + PanelText::Fixed(K, 2);
    if (tight)
        m.Display.CurveR.Text += "   See Note below";
    m.Display.CurveR.Colour = (tight || !std::isfinite(K)) ? Argb::Red : Argb::Black;
    m.Display.CurveR.Underline = false;
    m.Display.CRErrorVisible = tight;

    FittingTransmission(m, logNormal, show, air, [&](const Kn::ParticleState& p) {
        return Kn::BendTrans(air, p, flow, BAn);
    });
    EvalFrame::StoreResults(m, c, base, Re1, Re2, 1, 1, 1);
    if (!show)
        return;

    WriteAirOutputs(m, Tn, Pn, Qn);
    const double Stk = StkNo(Tn, Pn, Dp, Vn1, Dn);
    const std::array<double, 5> values{Vn1, Re1, Stk, K, ctx.NodeTrans};
    PanelText::FillPanel(m.Display, BendPanel, values);
}

} // namespace EvalDetail
