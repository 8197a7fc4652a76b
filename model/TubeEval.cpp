#include "model/EvalFrame.h"
#include "model/EvalTypes.h"
#include "model/PanelText.h"
#include "model/Units.h"
#include "physics/LodoKernels.h"
#include "physics/LodoMath.h"

#include <array>
#include <cmath>
#include <numbers>

using namespace LodoMath;
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
    TLodoComp& c = m.List[static_cast<std::size_t>(Row)];
    const std::string base = EvalFrame::StripMark(c.Name);
    const double Tn = Units::TempToC(c.Temp, c.TempUnit);
    const double Pn = Units::PressToKPa(c.Press, c.PressUnit);
    const double Ln = Units::TubeLenToM(c.Len, c.LenUnit);
    const double Dn = Units::DiaToMm(c.Dia1, c.Dia1Unit);
    const double Qn = Units::FlowToLpm(c.Flow, c.FlowUnit);
    const double An = std::numbers::pi * EvalFrame::FoldedInclination(c.Ang1) / 180.0;
    const bool logNormal = EvalFrame::IsLogNormal(ctx);
    const bool show = out == Output::Full;
    if (logNormal)
        ctx.Dp = ctx.MDp;
    const double Dp = ctx.Dp;

    TubeMechanisms tm;
    tm.air = K::MakeAir(Tn, Pn);
    const double Vn1 = Vel(Dn, Qn);
    const double Vn2 = Vn1;
    tm.tube = K::MakeTube(tm.air, Vn1, Dn, Ln, Qn, An);
    const double Re1 = K::ReynoldsNo(tm.air, Vn1, Dn);
    const double Re2 = K::ReynoldsNo(tm.air, Vn2, Dn);

    auto mechanisms = [&](double d) {
        const K::SizeState s = K::MakeSize(tm.air, d);
        ctx.TubeDT = tm.DT(s);
        ctx.TubeST = tm.ST(s);
        ctx.TubeIT = tm.IT(s);
    };
    if (!logNormal) {
        mechanisms(Dp);
        ctx.NodeTrans = ctx.TubeDT * ctx.TubeST * ctx.TubeIT;
    } else {
        const auto o = EvalFrame::IntegrateLogNormal(
            m.Sizes, ctx, [&](int k, double) { return tm.Trans(m.Sizes.State(tm.air, k)); });
        EvalFrame::ApplyLogNormal(m, o, show);
        mechanisms(ctx.MDp);
        ctx.NodeTrans = ctx.MNodeTrans;
    }
    EvalFrame::StoreResults(m, c, base, Re1, Re2, ctx.TubeDT, ctx.TubeST, ctx.TubeIT);
    if (!show)
        return;

    const double Visc = AirVis(Tn);
    const double Aden = AirDensity(Tn, Pn);
    const double MeanFP = AirMFP(Tn, Pn);
    const double CunS = SlipCorr(Dp, Tn, Pn);
    const double SetVel = SettleVel(Tn, Dp, Pn, Ln, Vn1, Dn, An);
    const double ResT = ResTime(Dn, Ln, An, Vn1, SetVel);
    const double SPZ = 1.2732395447351628 * ResT;
    const double SPK = 0.75 * ResT > 1 ? 1.0 : 0.75 * ResT;
    const double DCoef = DiffCoeff(Tn, Pn, Dp);
    const double DifT = DiffTime(Tn, Pn, Dp, Ln, Qn);
    const double SherL = ShLow(Tn, Pn, Dp, Ln, Qn);
    const double SherH = ShHigh(Tn, Pn, Dp, Vn1, Dn);
    const double SchNo = SchmidtNo(Tn, Pn, Dp);
    const double Stk = StkNo(Tn, Pn, Dp, Vn1, Dn);
    const double RelNo = RelaxNo(Tn, Pn, Dp, Vn1, Dn);
    const double VPL = VPlus(Tn, Pn, Dp, Vn1, Dn);
    const double VelDp = std::pow(Re1, -0.125) * VPL * Vn1 / 5.03;
    EvalFrame::WriteCommonOutputs(m.Display, CunS, Qn, Visc, Aden, MeanFP);

    const std::array<double, 21> values{Vn1,        Re1, 0,     SetVel, ResT,  SPZ,   SPK,
                                        ctx.TubeST, 0,   DCoef, DifT,   SherL, SherH, SchNo,
                                        ctx.TubeDT, 0,   Stk,   RelNo,  VPL,   VelDp, ctx.TubeIT};
    PanelText::FillPanel(m.Display, TubePanel, values);
}

} // namespace EvalDetail
