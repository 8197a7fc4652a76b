#include "analysis/ModelLimits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

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
    // No row for the expansion but the Mach number: no published range exists.
    for (const LimitRange& r : LimitTable)
        if (r.Types & ExpansionType) {
            EXPECT_EQ(r.Of, Quantity::Mach);
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
