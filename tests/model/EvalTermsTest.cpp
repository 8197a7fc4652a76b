// The terms a component's evaluation exposes must be the values its results were
// built from, and reading them must leave the line alone.
#include "model/EvalTerms.h"

#include "ModelTestLines.h"
#include "TestPrecision.h"
#include "physics/LodoMath.h"

#include <gtest/gtest.h>
#include <variant>

using namespace TestLines;
namespace K = LodoMath::Kernels;

namespace {

// One line with every component type; the tube is turbulent, the bend tight.
LodoList EveryType(const std::string& inlet) {
    LodoList list;
    list.push_back(inlet == "Nozzle" ? Nozzle(12, 34.9, 40, 100, 8) : Shroud(inlet, 100, 8));
    list.push_back(Tube(34.9, 3, 100, 30));
    list.push_back(Bend(34.9, 0.05, 100, 90));
    list.push_back(Cone(false, 34.9, 20, 100, 30));
    list.push_back(Cone(true, 20, 34.9, 100, 15));
    list.push_back(Tube(20, 1.5, 100, -45));
    return list;
}

TEST(EvalTerms, TermsAreTheValuesTheResultsWereBuiltFrom) {
    for (const char* inlet : {"Nozzle", "RF2-112", "WIPP6CFM"}) {
        for (const char* dtype : {"Mono", "LogNormal"}) {
            SCOPED_TRACE(testing::Message() << inlet << " " << dtype);
            LodoModel m = Model(EveryType(inlet), dtype, 7.5f);
            AlignList(m, 0);
            const LodoList before = m.List;
            const DisplaySink shown = m.Display;
            const std::vector<ComponentTerms> terms = LineTerms(m);
            EXPECT_EQ(m.List, before);
            EXPECT_TRUE(m.Display == shown);
            ASSERT_EQ(terms.size(), m.List.size());
            const bool logNormal = std::string(dtype) == "LogNormal";
            for (std::size_t i = 0; i < terms.size(); ++i) {
                const TLodoComp& c = m.List[i];
                const ComponentTerms& t = terms[i];
                SCOPED_TRACE(testing::Message() << "row " << i);
                EXPECT_EQ(t.Dp, logNormal ? double(m.Ctx.MDp) : double(m.Ctx.Dp));
                // The transition mark is made from these Reynolds numbers.
                const bool marked = c.Name.back() == '*';
                auto inTransition = [](double re) { return re > 2100 && re < 4000; };
                EXPECT_EQ(marked, inTransition(t.Flow.Re1) || inTransition(t.Flow.Re2));
                if (const auto* tube = std::get_if<K::TubeTerms>(&t.Model)) {
                    EXPECT_EQ(tube->DT, c.TransM2);
                    EXPECT_EQ(tube->ST, c.TransM3);
                    EXPECT_EQ(tube->IT, c.TransM4);
                    if (!logNormal)
                        EXPECT_EQ(t.Trans, c.TransM1);
                } else if (const auto* noz = std::get_if<NozzleTerms>(&t.Model)) {
                    EXPECT_EQ(noz->Asp.Asp, c.TransM2);
                    EXPECT_EQ(noz->Wall.WL, c.TransM3);
                } else if (const auto* shr = std::get_if<ShroudTerms>(&t.Model)) {
                    EXPECT_EQ(shr->Asp.Asp, c.TransM2);
                    EXPECT_EQ(shr->Wall.WL, c.TransM3);
                } else {
                    // Fittings: TransM1 is the transmission at Dp, or at MDp in log-normal mode.
                    ASSERT_FALSE(std::holds_alternative<std::monostate>(t.Model));
                    EXPECT_EQ(t.Trans, c.TransM1);
                }
            }
        }
    }
}

TEST(EvalTerms, KernelTermsAgreeWithThePublicRoutines) {
    const double T = 35, P = 95, Dp = 3;
    const K::AirState air = K::MakeAir(T, P);
    const double D = 10, L = 2, Q = 60, Theta = 0.4;
    const double V = LodoMath::Vel(D, Q);
    const K::TubeTerms tube =
        K::TubeTermsOf(air, K::MakeSize(air, Dp), K::MakeTube(air, V, D, L, Q, Theta));
    EXPECT_EQ(tube.Re, LodoMath::ReynoldsNo(V, D, T, P));
    EXPECT_EQ(tube.Vt, LodoMath::SettleVel(T, Dp, P, L, V, D, Theta));
    EXPECT_EQ(tube.Tt, LodoMath::ResTime(D, L, Theta, V, tube.Vt));
    EXPECT_EQ(tube.Dc, LodoMath::DiffCoeff(T, P, Dp));
    EXPECT_EQ(tube.xi, LodoMath::DiffTime(T, P, Dp, L, Q));
    EXPECT_EQ(tube.ShL, LodoMath::ShLow(T, P, Dp, L, Q));
    EXPECT_EQ(tube.ShH, LodoMath::ShHigh(T, P, Dp, V, D));
    EXPECT_EQ(tube.Sc, LodoMath::SchmidtNo(T, P, Dp));
    EXPECT_EQ(tube.Stk, LodoMath::StkNo(T, P, Dp, V, D));
    EXPECT_EQ(tube.TauPlus, LodoMath::RelaxNo(T, P, Dp, V, D));
    EXPECT_EQ(tube.VPlus, LodoMath::VPlus(T, P, Dp, V, D));
    EXPECT_EQ(tube.DT, LodoMath::TubeDiffTran(T, Dp, V, D, L, Q, P));
    EXPECT_EQ(tube.ST, LodoMath::TubeSedTrans(T, Dp, P, L, V, D, Theta));
    EXPECT_EQ(tube.IT, LodoMath::TubeInertTrans(T, Dp, V, D, P, L, Q));
    EXPECT_GT(tube.Re, 4000); // the deposition velocity below is the one the result used
    EXPECT_REL_NEAR(tube.Vd, std::pow(tube.Re, -0.125) * tube.VPlus * V / 5.03,
                    TestPrecision::FifteenDigits);
    EXPECT_REL_NEAR(tube.Z, 4 * tube.Tt / 3.141592653589793, TestPrecision::FifteenDigits);

    const K::ParticleState p = K::MakeParticle(air, Dp);
    const K::NozWallTerms wall = K::NozWallTermsOf(air, p, D, 40, Q);
    EXPECT_EQ(wall.WL, LodoMath::NozWallLoss(T, P, Dp, D, D, 40, Q, 0));
    EXPECT_EQ(wall.Stkp, LodoMath::StkNo(T, P, Dp, V, D));
    const double r = 0.001 * D / 2;
    EXPECT_REL_NEAR(wall.kref, 4 * V / r, TestPrecision::FifteenDigits);
    EXPECT_REL_NEAR(wall.Fr, 2 * V * V / (LodoMath::g * 0.001 * D), TestPrecision::FifteenDigits);
    const K::NozzleAspTerms asp = K::NozzleAspTermsOf(air, p, D, Q, 5);
    EXPECT_EQ(asp.Asp, LodoMath::NozzleAsp(T, P, Dp, D, D, Q, 5));
    EXPECT_EQ(asp.R, 5 / V);

    const K::ConeTerms cont = K::ContTermsOf(air, p, K::MakeContraction(D, 6, Q, 20));
    EXPECT_EQ(cont.Trans, LodoMath::ContTrans(T, P, Dp, D, 6, Q, 20));
    EXPECT_EQ(cont.Stk, LodoMath::StkNo(T, P, Dp, V, 6));
    EXPECT_REL_NEAR(cont.Px, (1 - 36.0 / 100) * cont.Stk, TestPrecision::FifteenDigits);
    EXPECT_EQ(cont.HalfAngle, 20);
    const K::ConeTerms exp = K::ExpTermsOf(air, p, K::MakeExpansion(6, D, Q, 20));
    EXPECT_EQ(exp.Trans, LodoMath::ExpTrans(T, P, Dp, 6, D, Q, 20));

    for (const std::string& probe : {"RF2-111", "CMR4CFM-HI", "none"}) {
        const LodoMath::ProbeData* pd = LodoMath::FindProbe(probe);
        const double a = K::ShroudAspTermsOf(pd, air, p, Q, 7).Asp;
        const double w = K::ShroudWallTermsOf(pd, air, p, Q, 7).WL;
        if (pd == nullptr) {
            EXPECT_TRUE(std::isnan(a) && std::isnan(w));
            continue;
        }
        EXPECT_EQ(a, LodoMath::ShroudAsp(probe, T, P, Dp, Q, 7));
        EXPECT_EQ(w, LodoMath::ShroudWallLoss(probe, T, P, Dp, Q, 7));
    }
}

TEST(EvalTerms, BendBranchAndCurvatureRatio) {
    struct Case {
        double q, dp;
        bool turbulent;
    };
    // 34.9 mm at 20 degC: 30 L/min is laminar, 200 L/min turbulent (Re about 8100).
    for (const Case& c : {Case{30, 20, false}, Case{200, 20, true}, Case{200, 0.5, false}}) {
        const ComponentTerms t = TermsAt(Bend(34.9, 0.0698, c.q), c.dp);
        const auto& b = std::get<K::BendTerms>(t.Model);
        EXPECT_EQ(b.Turbulent, c.turbulent) << c.q << " " << c.dp;
        EXPECT_REL_NEAR(b.CurvatureRatio, 4.0, TestPrecision::FifteenDigits);
        EXPECT_EQ(b.Trans,
                  LodoMath::BendTrans(20, c.dp, t.Flow.V1, 34.9, 101.325, 90, c.q, 0.0698));
    }
}

TEST(EvalTerms, InputsInWorkingUnitsAndEdges) {
    TLodoComp tube = Tube(1, 10, 2, 200); // inches, feet, cfm; pointing backwards
    tube.Dia1Unit = tube.LenUnit = tube.FlowUnit = tube.TempUnit = Units::English;
    tube.Temp = 68;
    const ComponentInputs in = InputsOf(tube);
    EXPECT_EQ(in.D1, 25.4);
    EXPECT_EQ(in.L, 10 * Units::LConv);
    EXPECT_EQ(in.Q, 2 * Units::FConv);
    EXPECT_REL_NEAR(in.T, 20, TestPrecision::FifteenDigits);
    EXPECT_REL_NEAR(in.Theta, -20 * 3.141592653589793 / 180, TestPrecision::FifteenDigits);

    // A contraction entered the wrong way round is evaluated with the default ratio.
    EXPECT_EQ(InputsOf(Cone(false, 30, 30, 10)).D2, 20);
    EXPECT_EQ(InputsOf(Cone(true, 30, 30, 10)).D2, 45);
    EXPECT_EQ(InputsOf(Shroud("RF2-113", 10, 5)).D1, LodoMath::ShroudD1("RF2-113"));

    LodoModel m = Model({Base("X-1", "", 0)});
    const std::optional<ComponentTerms> unknown = TermsOf(m, 0);
    ASSERT_TRUE(unknown.has_value());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(unknown->Model));
    EXPECT_FALSE(TermsOf(m, 1).has_value());
    EXPECT_FALSE(TermsOf(m, -1).has_value());
}

} // namespace
