#include "drawing/geometry/DrawSampleLine.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace Drawing;

namespace {

constexpr double Tol = 1e-9;

testing::AssertionResult VecNear(Vec3 a, Vec3 b) {
    if (Length(a - b) < Tol)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << a.X << ", " << a.Y << ", " << a.Z << ") vs ("
                                       << b.X << ", " << b.Y << ", " << b.Z << ")";
}
// Variadic so that braced vectors pass through the macro.
#define EXPECT_VEC_NEAR(...) EXPECT_TRUE(VecNear(__VA_ARGS__))

TLodoComp Comp(NodeTypeCode type, double ang1 = 0.0) {
    TLodoComp c;
    c.NTypeInt = type;
    c.Ang1 = ang1;
    c.LenUnit = c.Dia1Unit = c.Dia2Unit = c.RadiusUnit = "Metric";
    c.Dia1 = c.Dia2 = 34.9;
    c.Brd = 0.1016;
    return c;
}
TLodoComp Nozzle(double incl = 0.0) {
    return Comp(NodeNozzle, incl);
}
TLodoComp Shroud(double incl = 0.0) {
    return Comp(NodeShroud, incl);
}
TLodoComp Tube(double len, double incl = 0.0, const char* unit = "Metric") {
    TLodoComp c = Comp(NodeTube, incl);
    c.Len = len;
    c.LenUnit = unit;
    return c;
}
TLodoComp Bend(double angle, double orientation, double incl = 0.0) {
    TLodoComp c = Comp(NodeBend, incl);
    c.Ang2 = angle;
    c.Ang3 = orientation;
    return c;
}

std::vector<const Primitive*> ShapesOf(const LineDrawing& d, int component) {
    std::vector<const Primitive*> out;
    for (const Primitive& s : d.Shapes)
        if (s.Component == component)
            out.push_back(&s);
    return out;
}

// The end points of a cylinder along its axis.
Vec3 Tail(const Primitive& s) {
    return s.Position - (s.Height / 2.0) * s.Axis();
}
Vec3 Head(const Primitive& s) {
    return s.Position + (s.Height / 2.0) * s.Axis();
}

} // namespace

TEST(DrawSampleLine, EmptyLineDrawsNothing) {
    const LineDrawing d = DrawSampleLine({});
    EXPECT_TRUE(d.Shapes.empty());
    EXPECT_TRUE(d.Joints.empty());
}

TEST(DrawSampleLine, HorizontalNozzleThenFiveMetreTube) {
    const LineDrawing d = DrawSampleLine({Nozzle(), Tube(5.0)});
    const auto nozzle = ShapesOf(d, 0);
    ASSERT_EQ(nozzle.size(), 2u);
    const Primitive& cone = *nozzle[0];
    const Primitive& probe = *nozzle[1];
    EXPECT_EQ(cone.Kind, ShapeKind::Cone);
    EXPECT_EQ(probe.Kind, ShapeKind::Cylinder);
    for (const Primitive* s : nozzle) {
        EXPECT_VEC_NEAR(s->Position, (Vec3{1.2, -1.0, 0.0}));
        EXPECT_EQ(s->HeightSubdivisions, 12);
        EXPECT_EQ(s->Mat, Material::LightMaterialSource1);
        EXPECT_DOUBLE_EQ(s->Height, 0.2);
    }
    EXPECT_DOUBLE_EQ(cone.Width, 0.08);
    EXPECT_DOUBLE_EQ(probe.Width, 0.02);
    // The base (local +Y) faces downstream, towards -X.
    EXPECT_VEC_NEAR(cone.Axis(), (Vec3{-1, 0, 0}));
    EXPECT_VEC_NEAR(cone.RotationAngles, (Vec3{0, 0, 90}));

    const auto tube = ShapesOf(d, 1);
    ASSERT_EQ(tube.size(), 1u);
    EXPECT_EQ(tube[0]->Kind, ShapeKind::Cylinder);
    EXPECT_DOUBLE_EQ(tube[0]->Width, TubeDt);
    EXPECT_EQ(tube[0]->HeightSubdivisions, 1);
    EXPECT_VEC_NEAR(Tail(*tube[0]), (Vec3{1.1, -1.0, 0.0}));
    EXPECT_VEC_NEAR(Head(*tube[0]), (Vec3{0.1, -1.0, 0.0}));
    ASSERT_EQ(d.Joints.size(), 3u);
    EXPECT_VEC_NEAR(d.Joints[2], (Vec3{0.1, -1.0, 0.0}));
}

TEST(DrawSampleLine, TubeLengthFollowsItsUnit) {
    struct Case {
        double len;
        const char* unit;
        double drawn;
    } const cases[] = {{10.0, "English", 0.6096}, {10.0, "Metric", 2.0}, {0.0, "Metric", 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        const LineDrawing d = DrawSampleLine({Nozzle(), Tube(c.len, 0.0, c.unit)});
        EXPECT_NEAR(ShapesOf(d, 1)[0]->Height, c.drawn, Tol);
        EXPECT_NEAR(Length(d.Joints[2] - d.Joints[1]), c.drawn, Tol);
    }
}

TEST(DrawSampleLine, InclinedTubesRunAlongTheirInclination) {
    // Positive inclination runs downward (+Y), negative upward.
    struct Case {
        double incl;
        Vec3 dir;
    } const cases[] = {{90, {0, 1, 0}}, {-90, {0, -1, 0}}, {30, {-std::sqrt(3.0) / 2, 0.5, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.incl);
        const LineDrawing d = DrawSampleLine({Nozzle(), Tube(1.0, c.incl)});
        EXPECT_VEC_NEAR(d.Joints[2] - d.Joints[1], 0.2 * c.dir);
        const Primitive& t = *ShapesOf(d, 1)[0];
        EXPECT_NEAR(std::fabs(Dot(t.Axis(), c.dir)), 1.0, Tol);
    }
}

TEST(DrawSampleLine, RightAngleBendAfterHorizontalTubeTurnsDown) {
    const LineDrawing d = DrawSampleLine({Nozzle(), Tube(1.0), Bend(90, 0), Tube(1.0, 90)});
    const Vec3 start = d.Joints[2];
    EXPECT_VEC_NEAR(d.Joints[3], start + Vec3{-0.2, 0.2, 0.0});

    const auto seg = ShapesOf(d, 2);
    ASSERT_EQ(seg.size(), 16u);
    for (const Primitive* s : seg) {
        EXPECT_EQ(s->Kind, ShapeKind::Cylinder);
        EXPECT_DOUBLE_EQ(s->Height, 0.05);
        EXPECT_DOUBLE_EQ(s->Width, 0.05);
        EXPECT_TRUE(s->TwoSided);
        EXPECT_NEAR(s->Position.Z, 0.0, Tol);
        // Every segment lies on the arc of radius 0.2 about the bend's centre.
        EXPECT_NEAR(Length(s->Position - (start + Vec3{0, 0.2, 0})), BendR, Tol);
    }
    EXPECT_VEC_NEAR(seg.front()->Position, start);
    EXPECT_VEC_NEAR(seg.front()->Axis(), (Vec3{-1, 0, 0}));
    EXPECT_VEC_NEAR(seg.back()->Position, d.Joints[3]);
    EXPECT_VEC_NEAR(seg.back()->Axis(), (Vec3{0, 1, 0}));

    // The tube inclined at 90 runs straight down from the end of the arc.
    const Primitive& down = *ShapesOf(d, 3)[0];
    EXPECT_VEC_NEAR(Tail(down), d.Joints[3]);
    EXPECT_VEC_NEAR(d.Joints[4], d.Joints[3] + Vec3{0, 0.2, 0});
}

TEST(DrawSampleLine, OrientedBendCurvesTowardsMinusZ) {
    const LineDrawing d = DrawSampleLine({Nozzle(), Tube(1.0), Bend(90, 90), Tube(1.0)});
    EXPECT_VEC_NEAR(d.Joints[3], d.Joints[2] + Vec3{-0.2, 0, -0.2});
    EXPECT_VEC_NEAR(ShapesOf(d, 2).back()->Axis(), (Vec3{0, 0, -1}));
    // The straight parts after it run along dir(I, 90°).
    EXPECT_VEC_NEAR(d.Joints[4], d.Joints[3] + Vec3{0, 0, -0.2});
}

TEST(DrawSampleLine, FittingsAdvanceAFixedStepWithTheirLetter) {
    for (NodeTypeCode type : {NodeContraction, NodeExpansion}) {
        for (double incl : {0.0, 45.0}) {
            SCOPED_TRACE(testing::Message() << type << " at " << incl);
            TLodoComp fitting = Comp(type, incl);
            fitting.Dia1 = 50.0;
            fitting.Dia2 = 10.0;
            const LineDrawing d = DrawSampleLine({Nozzle(), Tube(1.0), fitting});
            const Vec3 dir = PathDir(incl, 0.0);
            EXPECT_VEC_NEAR(d.Joints[3], d.Joints[2] + FittingCt * dir);

            const auto v = ShapesOf(d, 2);
            ASSERT_EQ(v.size(), 1u);
            EXPECT_EQ(v[0]->Kind, ShapeKind::Letter);
            EXPECT_EQ(v[0]->Text, "V");
            EXPECT_EQ(v[0]->Mat, Material::ColorMaterialSource1);
            EXPECT_VEC_NEAR(v[0]->Position, d.Joints[2] + 0.025 * dir);
            EXPECT_VEC_NEAR(v[0]->Scale, (Vec3{0.02, 0.03, 0.5}));
            EXPECT_DOUBLE_EQ(v[0]->Width, 0.05);
            EXPECT_DOUBLE_EQ(v[0]->Height, 0.05);
            EXPECT_DOUBLE_EQ(v[0]->Depth, 0.05);
            // The point faces downstream for a contraction, upstream for an expansion.
            const double sign = type == NodeContraction ? 1.0 : -1.0;
            EXPECT_VEC_NEAR(v[0]->Axis(), sign * dir);
            EXPECT_VEC_NEAR(v[0]->RotationAngles, (Vec3{0, 0, sign * 90.0 - incl}));
        }
    }
}

TEST(DrawSampleLine, ShroudedProbeBodyIsTranslucentAndLineStartsBehindIt) {
    const LineDrawing d = DrawSampleLine({Shroud(30.0), Tube(1.0, 30.0)});
    const auto probe = ShapesOf(d, 0);
    ASSERT_EQ(probe.size(), 2u);
    EXPECT_EQ(probe[0]->Mat, Material::LightMaterialSource4);
    EXPECT_DOUBLE_EQ(probe[0]->Opacity, 0.6);
    EXPECT_DOUBLE_EQ(probe[0]->Height, 0.22);
    EXPECT_DOUBLE_EQ(probe[0]->Width, 0.11);
    EXPECT_EQ(probe[1]->Mat, Material::LightMaterialSource1);
    EXPECT_DOUBLE_EQ(probe[1]->Opacity, 1.0);
    EXPECT_DOUBLE_EQ(probe[1]->Height, 0.15);
    EXPECT_DOUBLE_EQ(probe[1]->Width, 0.05);
    const Vec3 dir = PathDir(30.0, 0.0);
    for (const Primitive* s : probe) {
        EXPECT_VEC_NEAR(s->Position, StartPoint);
        EXPECT_VEC_NEAR(s->Axis(), dir);
    }
    EXPECT_VEC_NEAR(d.Joints[1], StartPoint + 0.11 * dir);
}

TEST(DrawSampleLine, RadiusDiameterAndTheirUnitsDoNotChangeTheDrawing) {
    LodoList line = {Nozzle(),      Tube(2.0),           Bend(60, 30),   Comp(NodeContraction),
                     Tube(1.0, 20), Comp(NodeExpansion), Bend(90, 0, 10)};
    const LineDrawing reference = DrawSampleLine(line);
    for (TLodoComp& c : line) {
        c.Brd *= 7.0;
        c.Dia1 = 3.0;
        c.Dia2 = 300.0;
        c.Dia1Unit = c.Dia2Unit = c.RadiusUnit = "English";
    }
    const LineDrawing changed = DrawSampleLine(line);
    ASSERT_EQ(changed.Shapes.size(), reference.Shapes.size());
    for (std::size_t i = 0; i < reference.Shapes.size(); ++i) {
        EXPECT_VEC_NEAR(changed.Shapes[i].Position, reference.Shapes[i].Position);
        EXPECT_VEC_NEAR(changed.Shapes[i].RotationAngles, reference.Shapes[i].RotationAngles);
        EXPECT_DOUBLE_EQ(changed.Shapes[i].Width, reference.Shapes[i].Width);
    }
}

// After a bend the line has turned by phi = its orientation. What follows an
// oriented bend is framed along the incoming path, so each bend's arc and each
// letter start where the path is and leave along it.
TEST(DrawSampleLine, PartsAfterAnOrientedBendContinueThePath) {
    struct Case {
        const char* name;
        LodoList tail; // after nozzle, tube and a 90° bend oriented at 90°
    };
    const Case cases[] = {
        {"bend O=0", {Bend(90, 0)}},
        {"bend O=90", {Bend(90, 90)}},
        {"inclined bend O=45", {Bend(60, 45, 30)}},
        {"tube then bend O=-90", {Tube(1.0, 20), Bend(45, -90, 20)}},
        {"contraction", {Comp(NodeContraction, 10)}},
        {"expansion", {Comp(NodeExpansion)}},
        {"bend, bend, tube", {Bend(90, 0), Bend(30, 180), Tube(1.0)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LodoList line = {Nozzle(), Tube(1.0), Bend(90, 90)};
        line.insert(line.end(), c.tail.begin(), c.tail.end());
        const LineDrawing d = DrawSampleLine(line);
        double phi = 0.0;
        for (int k = 1; k < static_cast<int>(line.size()); ++k) {
            const TLodoComp& comp = line[static_cast<std::size_t>(k)];
            const auto shapes = ShapesOf(d, k);
            const Vec3 in = PathDir(comp.Ang1, phi);
            const Vec3 from = d.Joints[static_cast<std::size_t>(k)];
            const Vec3 to = d.Joints[static_cast<std::size_t>(k) + 1];
            ASSERT_FALSE(shapes.empty());
            const bool turnedToMeet =
                std::any_of(d.Findings.begin(), d.Findings.end(),
                            [&](const GeometryFinding& f) { return f.Bend == k; });
            if (comp.NTypeInt == NodeBend && turnedToMeet) {
                // The part after it contradicts its turn: it is drawn to meet that part.
                const TLodoComp& next = line[static_cast<std::size_t>(k) + 1];
                EXPECT_VEC_NEAR(shapes.front()->Position, from);
                EXPECT_VEC_NEAR(shapes.front()->Axis(), in);
                EXPECT_VEC_NEAR(shapes.back()->Axis(), PathDir(next.Ang1, comp.Ang3));
                phi = comp.Ang3;
            } else if (comp.NTypeInt == NodeBend) {
                EXPECT_VEC_NEAR(shapes.front()->Position, from);
                EXPECT_VEC_NEAR(shapes.front()->Axis(), in);
                EXPECT_VEC_NEAR(shapes.back()->Position, to);
                // Neighbouring segments are one arc step apart along the same circle.
                const double step = 2.0 * BendR * std::sin(Rad(comp.Ang2 / 15.0 / 2.0));
                for (std::size_t j = 1; j < shapes.size(); ++j)
                    EXPECT_NEAR(Length(shapes[j]->Position - shapes[j - 1]->Position), step, Tol);
                EXPECT_NEAR(Length(to - from), 2.0 * BendR * std::sin(Rad(comp.Ang2 / 2.0)), Tol);
                phi = comp.Ang3;
            } else if (comp.NTypeInt == NodeTube) {
                EXPECT_VEC_NEAR(Tail(*shapes[0]), from);
                EXPECT_VEC_NEAR(Head(*shapes[0]), to);
            } else {
                const double sign = comp.NTypeInt == NodeContraction ? 1.0 : -1.0;
                EXPECT_VEC_NEAR(shapes[0]->Axis(), sign * in);
                EXPECT_VEC_NEAR(to, from + FittingCt * in);
            }
        }
    }
}

TEST(DrawSampleLine, UnknownTypesAndNonFiniteValuesDrawNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    TLodoComp unknown = Tube(1.0);
    unknown.NTypeInt = 9;
    TLodoComp badBend = Bend(90, 0);
    badBend.Ang3 = nan;
    const LodoList line = {Nozzle(),       Tube(1.0), unknown,  Tube(nan),
                           Tube(1.0, inf), badBend,   Tube(1.0)};
    const LineDrawing d = DrawSampleLine(line);
    ASSERT_EQ(d.Joints.size(), line.size() + 1);
    for (std::size_t k = 2; k <= 5; ++k) {
        EXPECT_TRUE(ShapesOf(d, static_cast<int>(k)).empty()) << k;
        EXPECT_VEC_NEAR(d.Joints[k + 1], d.Joints[2]);
    }
    EXPECT_VEC_NEAR(d.Joints[7], d.Joints[2] + Vec3{-0.2, 0, 0});
    for (const Primitive& s : d.Shapes) {
        EXPECT_TRUE(std::isfinite(s.Position.X) && std::isfinite(s.Position.Y) &&
                    std::isfinite(s.Position.Z));
    }
}

// A straight part after a bend: inclined as the bend leaves it draws exactly as
// before; inclined against it, the bend is turned to meet it (never drawn back
// through the bend) and the contradiction is a finding of the geometry.
TEST(DrawSampleLine, ATubeAfterABendFollowsItOrIsAFinding) {
    struct Case {
        const char* name;
        LodoList line;
        bool contradicts;
    };
    const Case cases[] = {
        {"down then +X turn, tube down: consistent",
         {Nozzle(), Tube(1.0), Bend(90, 0), Tube(1.0, 90)},
         false},
        {"down tube, bend turning it to +X, tube horizontal (-X)",
         {Nozzle(), Tube(1.0, 90), Bend(90, 0, 90), Tube(1.0, 0)},
         true},
        {"horizontal tube, 90 bend down, tube horizontal again",
         {Nozzle(), Tube(1.0), Bend(90, 0), Tube(1.0, 0)},
         true},
        {"a 180 degree turn drawn back along the line",
         {Nozzle(), Tube(1.0), Bend(90, 0), Tube(1.0, -90)},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LineDrawing d = DrawSampleLine(c.line);
        ASSERT_EQ(d.Findings.size(), c.contradicts ? 1u : 0u);
        const auto bend = ShapesOf(d, 2);
        const Primitive& tube = *ShapesOf(d, 3)[0];
        // The tube starts where the bend ends and leaves along the bend's last tangent.
        EXPECT_VEC_NEAR(Tail(tube), d.Joints[3]);
        EXPECT_VEC_NEAR(bend.back()->Axis(), tube.Axis());
        // It heads away from the bend: nothing of it lies back towards the bend's start.
        const Vec3 through = d.Joints[2] - d.Joints[3];
        if (Length(through) > Tol)
            EXPECT_LT(Dot(tube.Axis(), through), Length(through) * 0.71);
        if (c.contradicts) {
            EXPECT_EQ(d.Findings[0].Row, 3);
            EXPECT_EQ(d.Findings[0].Bend, 2);
            EXPECT_GT(d.Findings[0].ContradictionDeg, 1.0);
            EXPECT_FALSE(d.Findings[0].Text.empty());
        }
    }
    // The consistent line draws as it always did: a right-angle arc.
    const LineDrawing d = DrawSampleLine(cases[0].line);
    EXPECT_VEC_NEAR(d.Joints[3], d.Joints[2] + Vec3{-0.2, 0.2, 0.0});
}
