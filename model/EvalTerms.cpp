#include "model/EvalTerms.h"

#include "model/EvalFrame.h"
#include "model/Units.h"

#include <numbers>

namespace K = LodoMath::Kernels;

ComponentInputs InputsOf(const TLodoComp& c) {
    ComponentInputs in;
    in.Type = c.NTypeInt;
    in.T = Units::TempToC(c.Temp, c.TempUnit);
    in.P = Units::PressToKPa(c.Press, c.PressUnit);
    in.Q = Units::FlowToLpm(c.Flow, c.FlowUnit);
    in.Uo = Units::VelToMs(c.FStream, c.FStreamUnit);
    in.Ang = c.Ang2;
    switch (c.NTypeInt) {
    case NodeTube:
        in.D1 = in.D2 = Units::DiaToMm(c.Dia1, c.Dia1Unit);
        in.L = Units::TubeLenToM(c.Len, c.LenUnit);
        in.Theta = std::numbers::pi * EvalFrame::FoldedInclination(c.Ang1) / 180.0;
        if (c.WallTemp) {
            in.Tw = Units::TempToC(*c.WallTemp, c.WallTempUnit);
            in.Lth = in.L;
        }
        break;
    case NodeBend:
        in.D1 = in.D2 = Units::DiaToMm(c.Dia1, c.Dia1Unit);
        in.Rb = Units::RadiusToM(c.Brd, c.RadiusUnit);
        // The gas cools along the centreline as in a straight tube of that length.
        if (c.WallTemp) {
            in.Tw = Units::TempToC(*c.WallTemp, c.WallTempUnit);
            in.Lth = in.Rb * std::numbers::pi * in.Ang / 180.0;
        }
        break;
    case NodeContraction:
    case NodeExpansion:
        in.D1 = Units::DiaToMm(c.Dia1, c.Dia1Unit);
        in.D2 = Units::DiaToMm(c.Dia2, c.Dia2Unit);
        // A cone entered the wrong way round is evaluated with the default ratio; the
        // record keeps what was entered.
        if (c.NTypeInt == NodeContraction && in.D2 >= in.D1)
            in.D2 = in.D1 / 1.5;
        if (c.NTypeInt == NodeExpansion && in.D2 <= in.D1)
            in.D2 = 1.5 * in.D1;
        break;
    case NodeNozzle:
        in.D1 = Units::DiaToMm(c.Dia1, c.Dia1Unit);
        in.D2 = Units::DiaToMm(c.Dia2, c.Dia2Unit);
        in.L = Units::NozzleLenToMm(c.Len, c.LenUnit);
        break;
    case NodeShroud:
        in.Probe = LodoMath::FindProbe(c.NType);
        in.D1 = LodoMath::ShroudD1(c.NType);
        in.D2 = LodoMath::ShroudD2(c.NType);
        break;
    default:
        break;
    }
    return in;
}

FlowTerms FlowOf(const ComponentInputs& in, const K::AirState& air) {
    FlowTerms f;
    f.V1 = LodoMath::Vel(in.D1, in.Q);
    // Tube and bend: one diameter, one velocity.
    const bool straight = in.Type == NodeTube || in.Type == NodeBend;
    f.V2 = straight ? f.V1 : LodoMath::Vel(in.D2, in.Q);
    f.Re1 = K::ReynoldsNo(air, f.V1, in.D1);
    f.Re2 = K::ReynoldsNo(air, f.V2, in.D2);
    return f;
}

double InletPenetration(double asp, double wl) {
    const double t = (1 - wl) * asp;
    return t < 0 ? 0.0 : t;
}

ThermoTerms ThermoOf(const ComponentInputs& in, const K::AirState& air, const K::FlowState& flow,
                     double Dp, const LodoMath::ParticleProperties& particle) {
    ThermoTerms th;
    th.Gas = K::MakeThermo(air, flow, in.Lth, *in.Tw);
    th.Kth = K::ThermoCoeffAt(air, Dp, particle);
    th.Trans = K::ThermoTransAt(air, th.Gas, Dp, particle);
    return th;
}

ComponentTerms TermsAt(const ComponentInputs& in, double Dp,
                       const LodoMath::ParticleProperties& particle) {
    ComponentTerms t;
    t.In = in;
    t.Dp = Dp;
    t.Air = K::MakeAir(in.T, in.P);
    const K::ParticleDiameters diameters = K::DiametersOf(t.Air, Dp, particle);
    t.Da = diameters.Da;
    t.Dve = diameters.Dve;
    t.Particle = K::MakeParticle(t.Air, Dp, particle);
    t.Flow = FlowOf(in, t.Air);
    const K::AirState& air = t.Air;
    const K::ParticleState& p = t.Particle;
    switch (in.Type) {
    case NodeTube: {
        const K::TubeState state = K::MakeTube(air, t.Flow.V1, in.D1, in.L, in.Q, in.Theta);
        const K::TubeTerms tube = K::TubeTermsOf(air, K::MakeSize(air, Dp, particle), state);
        t.Trans = tube.DT * tube.ST * tube.IT;
        if (in.Tw) {
            t.Thermo = ThermoOf(in, air, state.flow, Dp, particle);
            t.Trans *= t.Thermo->Trans;
        }
        t.Model = tube;
        break;
    }
    case NodeBend: {
        const K::FlowState flow = K::MakeFlow(air, t.Flow.V1, in.D1);
        const K::BendTerms bend = K::BendTermsOf(air, p, flow, in.Ang, in.Rb);
        t.Trans = bend.Trans;
        if (in.Tw) {
            t.Thermo = ThermoOf(in, air, flow, Dp, particle);
            t.Trans *= t.Thermo->Trans;
        }
        t.Model = bend;
        break;
    }
    case NodeContraction:
    case NodeExpansion: {
        const K::ConeTerms cone =
            in.Type == NodeExpansion
                ? K::ExpTermsOf(air, p, K::MakeExpansion(in.D1, in.D2, in.Q, in.Ang))
                : K::ContTermsOf(air, p, K::MakeContraction(in.D1, in.D2, in.Q, in.Ang));
        t.Trans = cone.Trans;
        t.Model = cone;
        break;
    }
    case NodeNozzle: {
        NozzleTerms noz;
        noz.Asp = K::NozzleAspTermsOf(air, p, in.D1, in.Q, in.Uo);
        // The inclination is accepted by the wall-loss model but does not enter it.
        noz.Wall = K::NozWallTermsOf(air, p, in.D1, in.L, in.Q);
        t.Trans = InletPenetration(noz.Asp.Asp, noz.Wall.WL);
        t.Model = noz;
        break;
    }
    case NodeShroud: {
        ShroudTerms shr;
        shr.Asp = K::ShroudAspTermsOf(in.Probe, air, p, in.Q, in.Uo);
        shr.Wall = K::ShroudWallTermsOf(in.Probe, air, p, in.Q, in.Uo);
        t.Trans = InletPenetration(shr.Asp.Asp, shr.Wall.WL);
        t.Model = shr;
        break;
    }
    default:
        break;
    }
    return t;
}

ComponentTerms TermsAt(const TLodoComp& c, double Dp,
                       const LodoMath::ParticleProperties& particle) {
    return TermsAt(InputsOf(c), Dp, particle);
}

std::optional<ComponentTerms> TermsOf(const LodoModel& m, int Row) {
    if (Row < 0 || static_cast<std::size_t>(Row) >= m.List.size())
        return std::nullopt;
    const double Dp = EvalFrame::IsLogNormal(m.Ctx) ? m.Ctx.MDp : m.Ctx.Dp;
    return TermsAt(m.List[static_cast<std::size_t>(Row)], Dp, m.Ctx.Particle);
}

std::vector<ComponentTerms> LineTerms(const LodoModel& m) {
    std::vector<ComponentTerms> out;
    out.reserve(m.List.size());
    for (std::size_t i = 0; i < m.List.size(); ++i)
        out.push_back(*TermsOf(m, static_cast<int>(i)));
    return out;
}
