#include "analysis/ModelLimits.h"

#include "analysis/LimitFindings.h"
#include "analysis/SettlingSwitch.h"
#include "model/ModelTestLines.h"
#include "physics/LodoMath.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>
#include <stdexcept>
#include <string>
#include <tuple>

using namespace ModelLimits;

namespace {

// A component of the row's first type, on a branch the row applies to.
ComponentQuantities For(const LimitRange& r, double value) {
    ComponentQuantities q;
    for (int code = 1; code <= 6; ++code) {
        if (r.Types & TypeBit(code)) {
            q.NTypeInt = code;
            break;
        }
    }
    // The lowest branch bit of the row.
    q.ModelBranch = r.Branches == AnyBranch
                        ? std::uint8_t{NoBranch}
                        : static_cast<std::uint8_t>(r.Branches & (~r.Branches + 1));
    q[r.Of] = value;
    return q;
}

bool Finds(const ComponentQuantities& q, const LimitRange& r) {
    for (const Finding& f : FindLimits(q))
        if (f.Range == &r)
            return true;
    return false;
}

} // namespace

// Every row: a value just inside each bound raises nothing, just outside a warned
// bound raises exactly that row, and the safe side of a bound stays quiet however
// far out the value goes.
TEST(ModelLimitsTable, EveryBoundJustInsideAndJustOutside) {
    constexpr double eps = 1e-6;
    for (const LimitRange& r : LimitTable) {
        SCOPED_TRACE(std::string(r.Model) + " / " + std::string(r.Name));
        ASSERT_TRUE(r.Min || r.Max);
        if (r.WarnInside) {
            // A band: its bounds and what lies between are findings, nothing outside.
            ASSERT_TRUE(r.Min && r.Max);
            EXPECT_FALSE(r.WarnBelow || r.WarnAbove);
            EXPECT_FALSE(r.Why.empty());
            for (double v : {*r.Min, std::sqrt(*r.Min * *r.Max), *r.Max})
                EXPECT_TRUE(Finds(For(r, v), r)) << v;
            EXPECT_FALSE(Finds(For(r, *r.Min * (1 - eps)), r));
            EXPECT_FALSE(Finds(For(r, *r.Max * (1 + eps)), r));
            continue;
        }
        ASSERT_TRUE(r.WarnBelow || r.WarnAbove);
        if (r.Max) {
            EXPECT_FALSE(Finds(For(r, *r.Max * (1 - eps)), r));
            EXPECT_FALSE(Finds(For(r, *r.Max), r)); // the bound itself is inside
            EXPECT_EQ(Finds(For(r, *r.Max * (1 + eps)), r), r.WarnAbove);
            EXPECT_EQ(Finds(For(r, *r.Max * 1e6), r), r.WarnAbove);
        }
        if (r.Min) {
            EXPECT_FALSE(Finds(For(r, *r.Min * (1 + eps)), r));
            EXPECT_FALSE(Finds(For(r, *r.Min), r));
            EXPECT_EQ(Finds(For(r, *r.Min * (1 - eps)), r), r.WarnBelow);
            EXPECT_EQ(Finds(For(r, 0.0), r), r.WarnBelow);
        }
        EXPECT_EQ(r.WarnAbove, r.Max.has_value());
        if (!r.Min) {
            EXPECT_FALSE(Finds(For(r, 0.0), r));
        }
    }
}

// The safe sides named by the ranges' notes, and the sides that warn.
TEST(ModelLimitsTable, SafeSidesAreTheExactLimits) {
    auto row = [](Quantity q, std::uint8_t type) -> const LimitRange& {
        for (const LimitRange& r : LimitTable)
            if (r.Of == q && (r.Types & type))
                return r;
        throw std::logic_error("no row");
    };
    // Aspiration tends to 1 and a contraction transmits everything as Stk vanishes.
    EXPECT_FALSE(row(Quantity::EntranceStokes, NozzleType).WarnBelow);
    EXPECT_FALSE(row(Quantity::ContractionPx, ContractionType).WarnBelow);
    EXPECT_TRUE(row(Quantity::VelocityRatio, NozzleType).WarnBelow);
    EXPECT_TRUE(row(Quantity::HalfAngle, ContractionType).WarnBelow);
    // No published row for the expansion but the Mach number: no published range
    // exists; its other row is the fit's own turning point, and says so.
    for (const LimitRange& r : LimitTable)
        if ((r.Types & ExpansionType) && r.Of != Quantity::Mach) {
            EXPECT_EQ(r.Of, Quantity::ExpansionPx);
            EXPECT_EQ(r.Source, "the program's expansion fit");
            EXPECT_NE(r.Reference.find("no published range"), std::string_view::npos);
        }
}

TEST(ModelLimits, AppliesOnlyToItsTypesAndBranches) {
    const LimitRange* tubeRe = nullptr;
    const LimitRange* bendLaminar = nullptr;
    for (const LimitRange& r : LimitTable) {
        if (r.Of == Quantity::Reynolds && r.Types == TubeType)
            tubeRe = &r;
        if (r.Of == Quantity::Reynolds && r.Types == BendType && r.Branches == Laminar)
            bendLaminar = &r;
    }
    ASSERT_TRUE(tubeRe && bendLaminar);

    ComponentQuantities tube;
    tube.NTypeInt = 1;
    tube[Quantity::Reynolds] = 40000;
    tube.ModelBranch = Turbulent;
    EXPECT_TRUE(Finds(tube, *tubeRe));
    tube.ModelBranch = Transition; // not reached in transition, but the branch decides
    EXPECT_FALSE(Finds(tube, *tubeRe));

    // A turbulent bend at Re 40 000 is outside its turbulent range, not the laminar one.
    ComponentQuantities bend;
    bend.NTypeInt = 2;
    bend.ModelBranch = Turbulent;
    bend[Quantity::Reynolds] = 40000;
    const auto found = FindLimits(bend);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Range->Model, "turbulent bend model");

    // Node type codes the evaluation does not know raise nothing.
    ComponentQuantities unknown = bend;
    unknown.NTypeInt = 7;
    EXPECT_TRUE(FindLimits(unknown).empty());
    unknown.NTypeInt = 0;
    EXPECT_TRUE(FindLimits(unknown).empty());
}

TEST(ModelLimits, NotANumberRaisesNothing) {
    ComponentQuantities q;
    q.NTypeInt = 5;
    q[Quantity::EntranceStokes] = std::nan("");
    q[Quantity::VelocityRatio] = INFINITY;
    q[Quantity::Mach] = -INFINITY;
    EXPECT_TRUE(FindLimits(q).empty());
}

TEST(ModelLimits, FindingsComeInTableOrder) {
    ComponentQuantities q;
    q.NTypeInt = 5;
    q[Quantity::Mach] = 0.5;
    q[Quantity::VelocityRatio] = 10;
    q[Quantity::EntranceStokes] = 3;
    const auto found = FindLimits(q);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].Range->Of, Quantity::EntranceStokes);
    EXPECT_EQ(found[1].Range->Of, Quantity::VelocityRatio);
    EXPECT_EQ(found[2].Range->Of, Quantity::Mach);
}

TEST(ModelLimits, Texts) {
    struct Case {
        Quantity q;
        int type;
        std::uint8_t branch;
        double value;
        const char* text;
    } cases[] = {
        {Quantity::EntranceStokes, 5, NoBranch, 3.1,
         "Stokes number 3.10 is outside 0.05 to 2.03, the range of the nozzle aspiration "
         "correlation (Stevens 1986)"},
        // The value is never rounded onto the bound it crosses.
        {Quantity::EntranceStokes, 5, NoBranch, 2.0304,
         "Stokes number 2.0304 is outside 0.05 to 2.03, the range of the nozzle aspiration "
         "correlation (Stevens 1986)"},
        {Quantity::VelocityRatio, 5, NoBranch, 0.1,
         "Velocity ratio 0.10 is outside 0.17 to 5.6, the range of the nozzle aspiration "
         "correlation (Belyaev & Levin 1974)"},
        {Quantity::SettlingParameter, 1, Laminar, 0.25,
         "Settling parameter 0.250 is above 0.1, the limit of the laminar settling model "
         "(Heyder & Gebhart 1977)"},
        {Quantity::Reynolds, 1, Turbulent, 40000,
         "Reynolds number 40000 is above 15600, the limit of the turbulent inertial deposition "
         "model (Liu–Agarwal / Lee–Gieseke deposition data)"},
        {Quantity::Reynolds, 1, Turbulent, 15600.2,
         "Reynolds number 15600.2 is above 15600, the limit of the turbulent inertial deposition "
         "model (Liu–Agarwal / Lee–Gieseke deposition data)"},
        {Quantity::CurvatureRatio, 2, Laminar, 3,
         "Curvature ratio 3.00 is below 4, the limit of the bend models (the program's own bend "
         "note)"},
        {Quantity::HalfAngle, 3, NoBranch, 5,
         "Half angle 5.0° is outside 12° to 90°, the range of the contraction model (Muyshondt, "
         "McFarland & Anand 1996)"},
        {Quantity::Mach, 4, NoBranch, 0.35,
         "Mach number 0.350 is above 0.3, the limit of the incompressible flow every model "
         "assumes (textbook fluid mechanics)"},
        {Quantity::ParticleReynolds, 1, Turbulent, 1.03,
         "Particle Reynolds number 1.03 is within 0.5 to 2, near 1, where the settling velocity "
         "switches from the Stokes branch to the drag iteration: the settling penetration "
         "jumps across this size (the program's settling model)"},
        {Quantity::ExpansionPx, 4, NoBranch, 2.5,
         "Stokes parameter Px 2.500 is above 0.5518, the limit of the expansion fit (the "
         "program's expansion fit)"},
    };
    for (const Case& c : cases) {
        ComponentQuantities q;
        q.NTypeInt = c.type;
        q.ModelBranch = c.branch;
        q[c.q] = c.value;
        const auto found = FindLimits(q);
        ASSERT_EQ(found.size(), 1u) << c.text;
        EXPECT_EQ(FindingText(found[0]), c.text);
    }
}

// ---- On real components -------------------------------------------------------

namespace {

constexpr double T20 = 20.0, P0 = 101.325;

// A one-component line whose quantity takes the value asked for, evaluated as the
// editor does. Each maker inverts the quantity with the physics routines.
struct RealCase {
    std::string_view model;
    Quantity of;
    std::function<LodoList(double)> make;
    float Dp = 10.0f;
};

double SpeedOfSound20() {
    return std::sqrt(1.4 * 287.05 * (T20 + 273.15));
}

const std::vector<RealCase>& RealCases() {
    using namespace TestLines;
    static const std::vector<RealCase> cases = {
        {"nozzle aspiration correlation", Quantity::EntranceStokes,
         [](double v) {
             return LodoList{Nozzle(10, 10, 50, 10, v / LodoMath::StkNo(T20, P0, 10, 1, 10))};
         }},
        {"nozzle aspiration correlation", Quantity::VelocityRatio,
         [](double v) { return LodoList{Nozzle(10, 10, 50, 10, v * LodoMath::Vel(10, 10))}; },
         1.0f},
        {"laminar settling model", Quantity::SettlingParameter,
         [](double v) {
             // A vertical tube: the whole settling velocity runs along the axis.
             const double vts = LodoMath::SettleVel(T20, 20, P0, 1, 1, 10, std::numbers::pi / 2);
             return LodoList{Tube(10, 1, vts / (2 * v) / LodoMath::Vel(10, 1), 90)};
         },
         20.0f},
        {"turbulent inertial deposition model", Quantity::Reynolds,
         [](double v) {
             return LodoList{
                 Tube(10, 1, v / LodoMath::ReynoldsNo(LodoMath::Vel(10, 1), 10, T20, P0))};
         }},
        // A wall colder than the gas; Gnielinski's Nu is the larger from Re 3000 up.
        {"turbulent heat-transfer correlation (thermophoresis)", Quantity::HeatReynolds,
         [](double v) {
             TLodoComp t = Tube(10, 1, v / LodoMath::ReynoldsNo(LodoMath::Vel(10, 1), 10, T20, P0));
             t.WallTemp = 0.0;
             t.WallTempUnit = Units::Metric;
             return LodoList{t};
         }},
        {"laminar bend model", Quantity::Reynolds,
         [](double v) {
             return LodoList{
                 Bend(10, 0.1, v / LodoMath::ReynoldsNo(LodoMath::Vel(10, 1), 10, T20, P0))};
         },
         1.0f},
        // 20 um keeps the Stokes number above 0.1: the turbulent branch.
        {"turbulent bend model", Quantity::Reynolds,
         [](double v) {
             return LodoList{
                 Bend(10, 0.1, v / LodoMath::ReynoldsNo(LodoMath::Vel(10, 1), 10, T20, P0))};
         },
         20.0f},
        {"bend models", Quantity::CurvatureRatio,
         [](double v) { return LodoList{Bend(10, v * 0.005, 10)}; }},
        {"contraction model", Quantity::ContractionPx,
         [](double v) {
             const double pxPerLpm =
                 (1 - 0.25) * LodoMath::StkNo(T20, P0, 100, LodoMath::Vel(20, 1), 10);
             return LodoList{Cone(false, 20, 10, v / pxPerLpm)};
         },
         100.0f},
        {"contraction model", Quantity::HalfAngle,
         [](double v) { return LodoList{Cone(false, 20, 10, 10, v)}; }},
        {"incompressible flow every model assumes", Quantity::Mach,
         [](double v) {
             return LodoList{Tube(10, 1, v * SpeedOfSound20() / LodoMath::Vel(10, 1))};
         }},
        // The particle Reynolds number grows with the air's density: the pressure
        // that gives 80 um the value asked for.
        {"settling model", Quantity::ParticleReynolds,
         [](double v) {
             double lo = 1, hi = 10000;
             for (int i = 0; i < 200; ++i) {
                 const double mid = std::sqrt(lo * hi);
                 (Analysis::StokesParticleReynolds(T20, mid, 80) < v ? lo : hi) = mid;
             }
             TLodoComp t = Tube(10, 1, 10);
             t.Press = std::sqrt(lo * hi);
             return LodoList{t};
         },
         80.0f},
        {"expansion fit", Quantity::ExpansionPx,
         [](double v) {
             const double pxPerLpm =
                 (1 - 0.25) * LodoMath::StkNo(T20, P0, 20, LodoMath::Vel(20, 1), 10);
             return LodoList{Cone(true, 10, 20, v / pxPerLpm, 30)};
         },
         20.0f},
    };
    return cases;
}

LodoModel Evaluated(const RealCase& c, double value) {
    LodoModel m = TestLines::Model(c.make(value), "Mono", c.Dp);
    AlignList(m, 0);
    return m;
}

bool FindsRow(const LodoModel& m, const LimitRange& r) {
    for (const Finding& f : ComponentFindings(m, 0))
        if (f.Range == &r)
            return true;
    return false;
}

} // namespace

// Each row of the table, just inside and just outside each bound, on a component
// evaluated as the editor evaluates it; the safe side of a range stays quiet.
TEST(ModelLimitsOnComponents, EveryRowJustInsideAndJustOutside) {
    constexpr double eps = 1e-6;
    for (const LimitRange& r : LimitTable) {
        SCOPED_TRACE(std::string(r.Model) + " / " + std::string(r.Name));
        const RealCase* c = nullptr;
        for (const RealCase& rc : RealCases())
            if (rc.model == r.Model && rc.of == r.Of)
                c = &rc;
        ASSERT_NE(c, nullptr) << "no component case for this row";
        for (const auto& [bound, warns, outward] :
             {std::tuple{r.Max, r.WarnAbove, 1.0}, std::tuple{r.Min, r.WarnBelow, -1.0}}) {
            if (!bound)
                continue;
            const double in = 1 - outward * eps;
            const LodoModel inside = Evaluated(*c, *bound * in);
            const LodoModel outside = Evaluated(*c, *bound * (2 - in));
            if (r.WarnInside) { // a band's finding lies inside it
                EXPECT_NEAR(QuantitiesOf(inside, 0)[r.Of], *bound * in, *bound * 1e-9);
                EXPECT_TRUE(FindsRow(inside, r)) << "inside " << *bound;
                EXPECT_FALSE(FindsRow(outside, r)) << "outside " << *bound;
                continue;
            }
            // The quantity the finding reads is the one the evaluation computed.
            EXPECT_NEAR(QuantitiesOf(outside, 0)[r.Of], *bound * (1 + outward * eps),
                        *bound * 1e-9);
            EXPECT_FALSE(FindsRow(inside, r)) << "inside " << *bound;
            EXPECT_EQ(FindsRow(outside, r), warns) << "outside " << *bound;
            if (!warns) {
                EXPECT_FALSE(FindsRow(Evaluated(*c, *bound * (outward > 0 ? 10 : 0.1)), r));
            }
        }
    }
}

TEST(ModelLimitsOnComponents, WhatEachTypeIsCheckedFor) {
    using namespace TestLines;
    // Within every range: a short, slow laminar tube of moderate particles.
    LodoModel quiet = Model({Tube(10, 1, 5)}, "Mono", 1.0f);
    AlignList(quiet, 0);
    EXPECT_TRUE(ComponentFindings(quiet, 0).empty());
    EXPECT_FALSE(AnyFinding(quiet));

    // Expansions have no published range: even a very fast particle-laden one raises
    // only the Mach number and the fit's own turning point.
    LodoModel exp = Model({Cone(true, 10, 20, 600, 5)}, "Mono", 100.0f);
    AlignList(exp, 0);
    const auto found = ComponentFindings(exp, 0);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].Range->Of, Quantity::Mach);
    EXPECT_EQ(found[1].Range->Of, Quantity::ExpansionPx);

    // A shrouded probe is checked for the Mach number only (its free stream included).
    LodoModel probe = Model({Shroud("RF2-111", 56.6, 120)});
    AlignList(probe, 0);
    const auto probeFound = ComponentFindings(probe, 0);
    ASSERT_EQ(probeFound.size(), 1u);
    EXPECT_EQ(probeFound[0].Range->Of, Quantity::Mach);

    // A record the evaluation ignores, and rows outside the line, have none.
    LodoModel odd = Model({Base("X", "", 0)});
    AlignList(odd, 0);
    EXPECT_TRUE(ComponentFindings(odd, 0).empty());
    EXPECT_TRUE(ComponentFindings(odd, 1).empty());
    EXPECT_TRUE(ComponentFindings(odd, -1).empty());
    EXPECT_EQ(LineFindings(odd).size(), 1u);
}

// The contraction is checked as it is evaluated: entered the wrong way round, with
// the default ratio its evaluation takes.
TEST(ModelLimitsOnComponents, ContractionAsEvaluated) {
    using namespace TestLines;
    LodoModel m = Model({Cone(false, 20, 20, 10, 30)}, "Mono", 10.0f);
    AlignList(m, 0);
    const double din = 20, dco = 20 / 1.5;
    const double expected =
        (1 - (dco * dco) / (din * din)) * LodoMath::StkNo(T20, P0, 10, LodoMath::Vel(din, 10), dco);
    EXPECT_NEAR(QuantitiesOf(m, 0)[Quantity::ContractionPx], expected, expected * 1e-12);
}

// In log-normal mode the quantities are those at the mass median diameter.
TEST(ModelLimitsOnComponents, LogNormalAtTheMassMedianDiameter) {
    using namespace TestLines;
    const double uo = 2.5 / LodoMath::StkNo(T20, P0, 10, 1, 10); // Stk 2.5 at 10 um
    LodoModel m = Model({Nozzle(10, 10, 50, 10, uo)}, "LogNormal", 1.0f);
    m.Ctx.MDp = 10.0f;
    m.Ctx.DpSD = 1.5f;
    AlignList(m, 0);
    EXPECT_NEAR(QuantitiesOf(m, 0)[Quantity::EntranceStokes], 2.5, 1e-9);
    const auto found = ComponentFindings(m, 0);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0].Range->Of, Quantity::EntranceStokes);
    m.Ctx.MDp = 5.0f; // at 5 um the same nozzle is inside
    AlignList(m, 0);
    for (const Finding& f : ComponentFindings(m, 0))
        EXPECT_NE(f.Range->Of, Quantity::EntranceStokes);
}

// Findings only read: the line, the context and the display are the same with and
// without them, and so is every later evaluation.
TEST(ModelLimitsOnComponents, FindingsNeverChangeAResult) {
    using namespace TestLines;
    for (const char* dtype : {"Mono", "LogNormal"}) {
        SCOPED_TRACE(dtype);
        const LodoList line = {
            Nozzle(10, 10, 50, 10, 40), Tube(10, 1, 10, 30), Bend(10, 0.01, 10),
            Cone(false, 10, 5, 10, 5),  Tube(5, 2, 10),      Cone(true, 5, 10, 10, 30)};
        LodoModel plain = Model(line, dtype);
        LodoModel checked = Model(line, dtype);
        AlignList(plain, 0);
        AlignList(checked, 0);
        ASSERT_TRUE(AnyFinding(checked));
        (void)LineFindings(checked);
        for (int row = 0; row < static_cast<int>(line.size()); ++row)
            (void)FindingTexts(ComponentFindings(checked, row));
        EXPECT_EQ(checked.List, plain.List);
        EXPECT_TRUE(checked.Display == plain.Display);
        EXPECT_EQ(checked.Ctx.SystemTrans, plain.Ctx.SystemTrans);
        EXPECT_EQ(checked.Ctx.MassTrans, plain.Ctx.MassTrans);
        EXPECT_EQ(checked.Ctx.PartTrans, plain.Ctx.PartTrans);
        EXPECT_EQ(checked.Ctx.NodeTrans, plain.Ctx.NodeTrans);
        EXPECT_EQ(checked.Ctx.NewHighV, plain.Ctx.NewHighV);
        EXPECT_EQ(checked.Ctx.Dp, plain.Ctx.Dp);
        // And the next evaluation after them.
        CalcNodeTrans(plain, 2);
        CalcNodeTrans(checked, 2);
        EXPECT_EQ(checked.List, plain.List);
        EXPECT_TRUE(checked.Display == plain.Display);
        EXPECT_EQ(checked.Ctx.SystemTrans, plain.Ctx.SystemTrans);
    }
}

// The panel's findings describe the row the panel shows.
TEST(ModelLimitsOnComponents, LastEvaluatedRowIsThePanelRow) {
    using namespace TestLines;
    LodoModel m = Model({Tube(10, 1, 10), Bend(10, 0.01, 10), Tube(10, 1, 10)});
    EXPECT_EQ(LastEvaluatedRow(m), -1);
    AlignList(m, 0);
    EXPECT_EQ(LastEvaluatedRow(m), 2);
    CalcNodeTrans(m, 1);
    EXPECT_EQ(LastEvaluatedRow(m), 1);
    m.List.resize(1); // the row it pointed to is gone
    EXPECT_EQ(LastEvaluatedRow(m), -1);
}
