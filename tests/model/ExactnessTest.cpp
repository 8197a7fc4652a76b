// The evaluation reuses air, flow and particle states across sizes and components.
// This reference evaluates the same lines the slow way, calling the public physics
// routines exactly as the algorithm states them; the results must agree to the bit.
#include "ModelTestLines.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

using namespace TestLines;
using LodoMath::BendTrans, LodoMath::ContTrans, LodoMath::ExpTrans, LodoMath::LogNormalCDF,
    LodoMath::NozWallLoss, LodoMath::NozzleAsp, LodoMath::ShroudAsp, LodoMath::ShroudWallLoss,
    LodoMath::TubeDiffTran, LodoMath::TubeInertTrans, LodoMath::TubeSedTrans, LodoMath::Vel;

namespace {

// An inlet's transmission, held at 0 where the wall-loss correlation exceeds 1.
double InletPenetration(double asp, double wl) {
    const double t = (1 - wl) * asp;
    return t < 0 ? 0.0 : t;
}

struct RefState {
    float LowV = 0, DpStep = 0, NewHighV = 0;
    double SystemTrans = 1, MassTrans = 1, PartTrans = 1;
};

struct RefResult {
    double T1 = 0, T2 = 0, T3 = 0, T4 = 0, P = 0, M = 0;
};

// The per-size transmission and the per-type results at one size.
struct Evaluated {
    double trans, r2, r3, r4;
};

Evaluated AtSize(const TLodoComp& c, double d) {
    const double Tn = Units::TempToC(c.Temp, c.TempUnit);
    const double Pn = Units::PressToKPa(c.Press, c.PressUnit);
    const double Qn = Units::FlowToLpm(c.Flow, c.FlowUnit);
    switch (c.NTypeInt) {
    case NodeTube: {
        const double Ln = Units::TubeLenToM(c.Len, c.LenUnit);
        const double Dn = Units::DiaToMm(c.Dia1, c.Dia1Unit);
        double An = c.Ang1;
        if (std::fabs(An) > 90 && std::fabs(An) <= 270)
            An = 180 - std::fabs(An);
        An = std::numbers::pi * An / 180;
        const double V = Vel(Dn, Qn);
        const double dt = TubeDiffTran(Tn, d, V, Dn, Ln, Qn, Pn);
        const double st = TubeSedTrans(Tn, d, Pn, Ln, V, Dn, An);
        const double it = TubeInertTrans(Tn, d, V, Dn, Pn, Ln, Qn);
        return {dt * st * it, dt, st, it};
    }
    case NodeBend: {
        const double Dn = Units::DiaToMm(c.Dia1, c.Dia1Unit);
        const double Rn = Units::RadiusToM(c.Brd, c.RadiusUnit);
        return {BendTrans(Tn, d, Vel(Dn, Qn), Dn, Pn, c.Ang2, Qn, Rn), 1, 1, 1};
    }
    case NodeContraction:
    case NodeExpansion: {
        const bool exp = c.NTypeInt == NodeExpansion;
        const double D1 = Units::DiaToMm(c.Dia1, c.Dia1Unit);
        double D2 = Units::DiaToMm(c.Dia2, c.Dia2Unit);
        if (!exp && D2 >= D1)
            D2 = D1 / 1.5;
        if (exp && D2 <= D1)
            D2 = 1.5 * D1;
        const double t = exp ? ExpTrans(Tn, Pn, d, D1, D2, Qn, c.Ang2)
                             : ContTrans(Tn, Pn, d, D1, D2, Qn, c.Ang2);
        return {t, 1, 1, 1};
    }
    case NodeNozzle: {
        const double D1 = Units::DiaToMm(c.Dia1, c.Dia1Unit);
        const double D2 = Units::DiaToMm(c.Dia2, c.Dia2Unit);
        const double Un = Units::VelToMs(c.FStream, c.FStreamUnit);
        const double Ln = Units::NozzleLenToMm(c.Len, c.LenUnit);
        const double asp = NozzleAsp(Tn, Pn, d, D1, D2, Qn, Un);
        const double wl = NozWallLoss(Tn, Pn, d, D1, D2, Ln, Qn, c.Ang1);
        return {InletPenetration(asp, wl), asp, wl, 1};
    }
    case NodeShroud: {
        const double Un = Units::VelToMs(c.FStream, c.FStreamUnit);
        const double asp = ShroudAsp(c.NType, Tn, Pn, d, Qn, Un);
        const double wl = ShroudWallLoss(c.NType, Tn, Pn, d, Qn, Un);
        return {InletPenetration(asp, wl), asp, wl, 1};
    }
    default:
        return {c.TransM1, c.TransM2, c.TransM3, c.TransM4};
    }
}

RefResult Reference(const TLodoComp& c, int row, const EvalContext& ctx, RefState& s) {
    const float cube = ctx.DpSD * ctx.DpSD * ctx.DpSD;
    s.LowV = ctx.MDp / cube;
    const float highV = ctx.MDp * cube;
    s.DpStep = (highV - s.LowV) / 50.0f;
    RefResult r;
    if (ctx.DType != Distribution::LogNormal) {
        const Evaluated e = AtSize(c, ctx.Dp);
        return {e.trans, e.r2, e.r3, e.r4, 0, 0};
    }
    const int steps =
        row == 0 ? 50 : static_cast<int>(std::nearbyint((s.NewHighV - s.LowV) / s.DpStep)) + 1;
    float dp = s.LowV, last = s.LowV;
    double prevF = 0, tpIn = 0, tpOut = 0, tmIn = 0, tmOut = 0;
    for (int i = 0; i < steps; ++i) {
        const double t = AtSize(c, dp).trans;
        const double F = LogNormalCDF(dp, ctx.MDp, ctx.DpSD);
        const double pIn = F - prevF;
        const double rad = 1e-6 * dp / 2;
        const double mIn = 4.1887902047863905 * (rad * rad * rad) * pIn * 1000;
        if (!(t > 0))
            break;
        const double pOut = pIn * t;
        const double mOut = 4.1887902047863905 * (rad * rad * rad) * pOut * 1000;
        tpIn += pIn;
        tpOut += pOut;
        tmIn += mIn;
        tmOut += mOut;
        prevF = F;
        last = dp;
        dp = dp + s.DpStep;
    }
    s.NewHighV = last;
    if (tpIn != 0 || tmIn != 0) {
        r.P = tpOut / tpIn;
        r.M = tmOut / tmIn;
    }
    const Evaluated e = AtSize(c, ctx.MDp);
    const bool fitting = c.NTypeInt >= NodeBend && c.NTypeInt <= NodeExpansion;
    r.T1 = fitting ? e.trans : r.M;
    r.T2 = e.r2;
    r.T3 = e.r3;
    r.T4 = e.r4;
    return r;
}

// Lines of every type with mixed units, regimes, angles and temperatures.
LodoList RandomLine(std::mt19937& rng, int length) {
    std::uniform_real_distribution<double> u(0, 1);
    auto pick = [&](double lo, double hi) { return lo + (hi - lo) * u(rng); };
    const double q = pick(5, 150);
    LodoList list;
    const double first = u(rng);
    if (first < 0.35) {
        list.push_back(Nozzle(pick(8, 40), pick(10, 40), pick(5, 80), q, pick(1, 20)));
        if (u(rng) < 0.3)
            list.back().LenUnit = Units::English, list.back().Len /= 25.4;
    } else if (first < 0.7) {
        static const char* models[] = {"RF2-111",    "RF2-112",    "RF2-113",
                                       "CMR4CFM-MI", "CMR4CFM-HI", "WIPP6CFM"};
        list.push_back(Shroud(models[rng() % 6], q, pick(2, 20)));
    } else {
        list.push_back(Tube(pick(8, 40), pick(0.1, 5), q, pick(-180, 180)));
    }
    double d = pick(8, 40);
    while (static_cast<int>(list.size()) < length) {
        const double kind = u(rng);
        TLodoComp c;
        if (kind < 0.5) {
            c = Tube(d, pick(0.05, 8), q, pick(-300, 300));
            if (u(rng) < 0.3)
                c.LenUnit = Units::English;
        } else if (kind < 0.75) {
            c = Bend(d, pick(0.02, 0.5), q, pick(0, 180));
            if (u(rng) < 0.3)
                c.RadiusUnit = Units::English, c.Brd *= 20;
        } else {
            const bool exp = u(rng) < 0.5;
            const double out = exp ? d * pick(1.1, 2.0) : d / pick(1.1, 2.0);
            c = Cone(exp, d, out, q, pick(5, 90));
            if (u(rng) < 0.1)
                c.Dia2 = d; // wrong way round: the guard's case
        }
        c.Temp = pick(-20, 200);
        if (u(rng) < 0.2)
            c.TempUnit = Units::English, c.Temp = c.Temp * 1.8 + 32;
        if (u(rng) < 0.2)
            c.Dia1Unit = c.Dia2Unit = Units::English;
        list.push_back(c);
    }
    list[0].Press = pick(60, 140);
    return list;
}

void ExpectSameAsReference(LodoModel& m) {
    AlignList(m, 0);
    RefState s;
    s.NewHighV = m.Ctx.NewHighV; // whatever the row before left; row 0 ignores it
    const bool logNormal = m.Ctx.DType == Distribution::LogNormal;
    for (std::size_t i = 0; i < m.List.size(); ++i) {
        const TLodoComp& c = m.List[i];
        const RefResult r = Reference(c, static_cast<int>(i), m.Ctx, s);
        SCOPED_TRACE(testing::Message() << "row " << i << " " << c.NType);
        EXPECT_EQ(c.TransM1, r.T1);
        EXPECT_EQ(c.TransM2, r.T2);
        EXPECT_EQ(c.TransM3, r.T3);
        EXPECT_EQ(c.TransM4, r.T4);
        if (logNormal) {
            EXPECT_EQ(c.PTrans, r.P);
            EXPECT_EQ(c.MTrans, r.M);
        }
        s.SystemTrans *= r.T1;
        s.MassTrans *= r.M;
        s.PartTrans *= r.P;
    }
    EXPECT_EQ(m.Ctx.SystemTrans, s.SystemTrans);
    if (logNormal) {
        EXPECT_EQ(m.Ctx.NewHighV, s.NewHighV);
        EXPECT_EQ(m.Ctx.MassTrans, s.MassTrans);
        EXPECT_EQ(m.Ctx.PartTrans, s.PartTrans);
    }
}

TEST(Exactness, WholeLineMatchesThePublicRoutines) {
    std::mt19937 rng(20261209);
    struct Mode {
        const char* dtype;
        float dp, mdp, sd;
    };
    for (const Mode& mode :
         {Mode{"Mono", 10.0f, 5.0f, 2.5f}, Mode{"Mono", 0.3f, 5.0f, 2.5f},
          Mode{"LogNormal", 10.0f, 5.0f, 2.5f}, Mode{"LogNormal", 10.0f, 12.0f, 1.8f},
          Mode{"LogNormal", 10.0f, 1.0f, 3.0f}}) {
        for (int line = 0; line < 25; ++line) {
            SCOPED_TRACE(testing::Message()
                         << mode.dtype << " MDp " << mode.mdp << " line " << line);
            // The longest line has more distinct airs than the size cache keeps.
            LodoModel m =
                Model(RandomLine(rng, line == 24 ? 40 : 1 + line % 15), mode.dtype, mode.dp);
            m.Ctx.MDp = mode.mdp;
            m.Ctx.DpSD = mode.sd;
            ExpectSameAsReference(m);
        }
    }
}

// AlignList fills the panel only for the row left showing; the outputs must be
// those of evaluating every row in full.
TEST(Exactness, WholeLineDisplayEqualsFullEvaluationOfEveryRow) {
    std::mt19937 rng(7);
    for (const char* dtype : {"Mono", "LogNormal"}) {
        for (int line = 0; line < 12; ++line) {
            LodoList list = RandomLine(rng, 2 + line);
            if (line % 3 == 0)
                list.push_back(Base("X", "", 0)); // last row not evaluated
            if (line % 4 == 1)
                list.insert(list.begin() + 1, Bend(20, 0.01, 30)); // tight
            LodoModel quick = Model(list, dtype);
            AlignList(quick, 0);
            // The same aligned inputs, evaluated row by row in full from a fresh start.
            LodoModel naive = Model(list, dtype);
            AlignList(naive, 0);
            naive.Display = DisplaySink{};
            naive.Ctx = Model(list, dtype).Ctx;
            for (int i = 0; i < static_cast<int>(naive.List.size()); ++i)
                CalcNodeTrans(naive, i);
            SCOPED_TRACE(testing::Message() << dtype << " line " << line);
            EXPECT_TRUE(quick.Display == naive.Display);
            EXPECT_EQ(quick.List, naive.List);
            EXPECT_EQ(quick.Ctx.NewHighV, naive.Ctx.NewHighV);
            EXPECT_EQ(quick.Ctx.NodeTrans, naive.Ctx.NodeTrans);
            EXPECT_EQ(quick.Ctx.SystemTrans, naive.Ctx.SystemTrans);
            EXPECT_EQ(quick.Ctx.Dp, naive.Ctx.Dp);
        }
    }
}

} // namespace
