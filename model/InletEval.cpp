#include "model/EvalFrame.h"
#include "model/EvalTypes.h"
#include "model/PanelText.h"
#include "model/Units.h"
#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <array>
#include <cmath>

using namespace LodoMath;
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

// (1 - wall loss) x aspiration. A wall-loss correlation above 1 would make it
// negative; no inlet lets through fewer than no particles. NaN stays NaN.
double InletPenetration(double asp, double wl) {
    const double t = (1 - wl) * asp;
    return t < 0 ? 0.0 : t;
}

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
        aspWl(K::MakeParticle(air, ctx.Dp), v.Asp, v.WL);
        ctx.NodeTrans = InletPenetration(v.Asp, v.WL);
        return v;
    }
    const auto o = EvalFrame::IntegrateLogNormal(m.Sizes, ctx, [&](int k, double) {
        double asp = 0, wl = 0;
        aspWl(m.Sizes.State(air, k).p, asp, wl);
        return InletPenetration(asp, wl);
    });
    EvalFrame::ApplyLogNormal(m, o, show);
    aspWl(K::MakeParticle(air, ctx.MDp), v.Asp, v.WL);
    ctx.NodeTrans = ctx.MNodeTrans;
    return v;
}

} // namespace

namespace EvalDetail {

void Nozzle(LodoModel& m, int Row, Output out) {
    EvalContext& ctx = m.Ctx;
    TLodoComp& c = m.List[static_cast<std::size_t>(Row)];
    const std::string base = EvalFrame::StripMark(c.Name);
    const double Tn = Units::TempToC(c.Temp, c.TempUnit);
    const double Pn = Units::PressToKPa(c.Press, c.PressUnit);
    const double Dn1 = Units::DiaToMm(c.Dia1, c.Dia1Unit);
    const double Dn2 = Units::DiaToMm(c.Dia2, c.Dia2Unit);
    const double Qn = Units::FlowToLpm(c.Flow, c.FlowUnit);
    const double Un = Units::VelToMs(c.FStream, c.FStreamUnit);
    const double Ln = Units::NozzleLenToMm(c.Len, c.LenUnit);
    const bool logNormal = EvalFrame::IsLogNormal(ctx);
    const bool show = out == Output::Full;
    if (logNormal)
        ctx.Dp = ctx.MDp;
    const double Dp = ctx.Dp;

    const K::AirState air = K::MakeAir(Tn, Pn);
    const double Vn1 = Vel(Dn1, Qn);
    const double Vn2 = Vel(Dn2, Qn);
    const double Re1 = K::ReynoldsNo(air, Vn1, Dn1);
    const double Re2 = K::ReynoldsNo(air, Vn2, Dn2);

    // The inclination is accepted by the wall-loss model but does not enter it.
    const InletValues v = InletTransmission(
        m, logNormal, show, air, [&](const K::ParticleState& p, double& asp, double& wl) {
            asp = K::NozzleAsp(air, p, Dn1, Qn, Un);
            wl = K::NozWallLoss(air, p, Dn1, Ln, Qn);
        });
    EvalFrame::StoreResults(m, c, base, Re1, Re2, v.Asp, v.WL, 1);
    m.Display.LabelNozAsp = EvalFrame::AspirationVerdict(v.Asp);
    if (!show)
        return;

    const double Visc = AirVis(Tn);
    const double Aden = AirDensity(Tn, Pn);
    const double MeanFP = AirMFP(Tn, Pn);
    const double CunS = SlipCorr(Dp, Tn, Pn);
    const double Stk = StkNo(Tn, Pn, Dp, Vn1, Dn1);
    const double StkNE = StkNo(Tn, Pn, Dp, Un, Dn1);
    const double InArea = TArea(0.001 * Dn1);
    const double OutArea = TArea(0.001 * Dn2);
    const double VelR = Un / Vn1;
    const double AAlpha = 1.05 * StkNE / (1 + 1.05 * StkNE);
    const double r = 0.001 * Dn1 / 2;
    const double C1 = 3.08 * std::sqrt(Aden * Visc) / (1e-6 * Dp * RhoP);
    const double kref = 4 * Vn1 / r;
    const double TauN = 1 / (C1 * std::sqrt(kref));
    const double Pl = TauN * Vn1 / r;
    const double Rz = 2 * Stk / std::sqrt(Pl);
    const double Fr = 2 * Vn1 * Vn1 / (g * 0.001 * Dn1);
    EvalFrame::WriteCommonOutputs(m.Display, CunS, Qn, Visc, Aden, MeanFP);

    const std::array<double, 19> values{Vn1,  Re1,  StkNE,  InArea, OutArea,      Vn2, Re2,
                                        Un,   VelR, AAlpha, v.Asp,  Stk,          C1,  kref,
                                        TauN, Rz,   Fr,     v.WL,   ctx.NodeTrans};
    PanelText::FillPanel(m.Display, NozzlePanel, values);
}

void Shroud(LodoModel& m, int Row, Output out) {
    EvalContext& ctx = m.Ctx;
    TLodoComp& c = m.List[static_cast<std::size_t>(Row)];
    const std::string base = EvalFrame::StripMark(c.Name);
    const std::string Nn = c.NType;
    const ProbeData* probe = FindProbe(Nn);
    const double Tn = Units::TempToC(c.Temp, c.TempUnit);
    const double Pn = Units::PressToKPa(c.Press, c.PressUnit);
    const double Qn = Units::FlowToLpm(c.Flow, c.FlowUnit);
    const double Un = Units::VelToMs(c.FStream, c.FStreamUnit);
    const double Dn1 = ShroudD1(Nn);
    const double Dn2 = ShroudD2(Nn);
    const bool logNormal = EvalFrame::IsLogNormal(ctx);
    const bool show = out == Output::Full;
    if (logNormal)
        ctx.Dp = ctx.MDp;
    const double Dp = ctx.Dp;

    const K::AirState air = K::MakeAir(Tn, Pn);
    const double Vn1 = Vel(Dn1, Qn);
    const double Vn2 = Vel(Dn2, Qn);
    const double Re1 = K::ReynoldsNo(air, Vn1, Dn1);
    const double Re2 = K::ReynoldsNo(air, Vn2, Dn2);

    const InletValues v = InletTransmission(
        m, logNormal, show, air, [&](const K::ParticleState& p, double& asp, double& wl) {
            asp = K::ShroudAsp(probe, air, p, Qn, Un);
            wl = K::ShroudWallLoss(probe, air, p, Qn, Un);
        });
    EvalFrame::StoreResults(m, c, base, Re1, Re2, v.Asp, v.WL, 1);
    // The catalogue diameters are millimetres: say so, or the next component would
    // read them in the record's old unit. An unknown model leaves them alone.
    if (probe != nullptr) {
        c.Dia1 = Dn1;
        c.Dia2 = Dn2;
        c.Dia1Unit = Units::Metric;
        c.Dia2Unit = Units::Metric;
    }
    m.Display.LabelShrAsp = EvalFrame::AspirationVerdict(v.Asp);
    if (!show)
        return;

    const double Dn3 = ShroudD3(Nn);
    const double Dn4 = ShroudD4(Nn);
    const double Dn5 = ShroudD5(Nn);
    const double Visc = AirVis(Tn);
    const double Aden = AirDensity(Tn, Pn);
    const double MeanFP = AirMFP(Tn, Pn);
    const double CunS = SlipCorr(Dp, Tn, Pn);
    const double NozInArea = TArea(0.001 * Dn1);
    const double NozOutArea = TArea(0.001 * Dn2);
    const double ShrArea = TArea(0.001 * Dn3);
    const double BodyArea = TArea(0.001 * Dn4);
    const double GapArea = ShrArea - BodyArea;
    const double ShrV = ShrVel(GapArea, ShrArea, Qn, Un) / ShrArea;
    const double ShrVR = Un / ShrV;
    const double ShrCore = ShrV * (1 + 1.45 * (1 - (1 + std::log(ShrVR)) / ShrVR));
    const double StkS = StkNo(Tn, Pn, Dp, Un, Dn3);
    const double StkP = StkNo(Tn, Pn, Dp, ShrCore, Dn1);
    const double Stki = StkNo(Tn, Pn, Dp, Vn1, Dn1);
    const double PrVR = ShrCore / Vn1;
    const double AlphaShr = 1.05 * StkS / (1 + 1.05 * StkS);
    const double AlphaPr = 1.05 * StkP / (1 + 1.05 * StkP);
    const double AspShr = 1 + (ShrVR - 1) * AlphaShr;
    const double AspPr = 1 + (PrVR - 1) * AlphaPr;
    const double F = 1 - 0.861 * (ShrVR - 1) * StkS / (1 + (2.34 + 0.939 * (ShrVR - 1)) * StkS);
    const double LW = Dn5 / Dn1;
    const double Fr = Vn1 * Vn1 / (g * 0.001 * Dn1);
    EvalFrame::WriteCommonOutputs(m.Display, CunS, Qn, Visc, Aden, MeanFP);

    const std::array<double, 24> values{
        NozInArea, NozOutArea, ShrArea,  BodyArea, GapArea, Un,   ShrV, Vn1,
        ShrVR,     StkS,       AlphaShr, AspShr,   ShrCore, PrVR, StkP, AlphaPr,
        AspPr,     F,          v.Asp,    LW,       Fr,      Stki, v.WL, ctx.NodeTrans};
    PanelText::FillPanel(m.Display, ShroudPanel, values);
}

} // namespace EvalDetail
