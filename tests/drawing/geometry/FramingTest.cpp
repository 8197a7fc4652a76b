#include "drawing/geometry/Framing.h"

#include "TestPrecision.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace Drawing;

namespace {

TLodoComp Comp(NodeTypeCode type, double ang1 = 0.0, double len = 0.0,
               const char* lenUnit = "Metric") {
    TLodoComp c;
    c.NTypeInt = type;
    c.Ang1 = ang1;
    c.Len = len;
    c.LenUnit = lenUnit;
    c.Ang2 = 90;
    return c;
}

// Every point of every shape lies within the sphere: the axis end points and the
// rim around them (cylinders and cones), the box corners (letters).
void ExpectHoldsEveryShape(const std::vector<Primitive>& shapes, const Sphere& s) {
    for (const Primitive& p : shapes) {
        const double slack = 1e-9 * (1 + s.Radius);
        if (p.Kind == ShapeKind::Letter) {
            const double half = 0.5 * std::hypot(p.Width, p.Height, p.Depth * p.Scale.Z);
            EXPECT_LE(Length(p.Position - s.Centre) + half, s.Radius + slack);
            continue;
        }
        const Vec3 a = p.Axis();
        const Mat3 o = p.Orientation();
        const Vec3 across[] = {o * Vec3{1, 0, 0}, o * Vec3{0, 0, 1}, o * Vec3{-1, 0, 0},
                               o * Vec3{0, 0, -1}};
        for (double t : {-0.5, 0.5})
            for (Vec3 r : across) {
                const Vec3 rim = p.Position + (t * p.Height) * a + (0.5 * p.Width) * r;
                EXPECT_LE(Length(rim - s.Centre), s.Radius + slack);
            }
    }
}

} // namespace

TEST(Framing, TheSphereHoldsTheWholeLineAndNoMore) {
    struct Case {
        const char* what;
        LodoList line;
    } const cases[] = {
        {"nozzle and a 5 m tube", {Comp(NodeNozzle), Comp(NodeTube, 0, 5)}},
        {"fittings only", {Comp(NodeNozzle), Comp(NodeContraction), Comp(NodeExpansion)}},
        {"a long line in feet, down and round",
         {Comp(NodeShroud, 10), Comp(NodeTube, 0, 100, "English"), Comp(NodeBend),
          Comp(NodeTube, 90, 40, "English"), Comp(NodeExpansion, 90)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LineDrawing d = DrawSampleLine(c.line);
        const Sphere s = BoundingSphere(d.Shapes);
        ExpectHoldsEveryShape(d.Shapes, s);
        // Not a loose bound: no more than the half diagonal of the shapes' box.
        double far = 0;
        for (Vec3 j : d.Joints)
            far = std::max(far, Length(j - s.Centre));
        EXPECT_GE(s.Radius, far - 1e-9);
        EXPECT_LE(s.Radius, far + 0.2);
    }
}

TEST(Framing, StraightTubeIsFramedAboutItsMiddle) {
    // Nozzle cone (base 0.08) from x = 1.3 to 1.1, then a 5 m tube (diameter 0.05)
    // from x = 1.1 to 0.1: the extent runs from 0.1 - 0.025 to 1.3 + 0.04.
    const LineDrawing d = DrawSampleLine({Comp(NodeNozzle), Comp(NodeTube, 0, 5)});
    const Sphere s = BoundingSphere(d.Shapes);
    EXPECT_NEAR(s.Centre.X, (0.075 + 1.34) / 2, 1e-9);
    EXPECT_NEAR(s.Centre.Y, -1.0, 1e-9);
    EXPECT_NEAR(s.Centre.Z, 0.0, 1e-9);
    // Both ends, with their own thickness, touch the sphere.
    EXPECT_NEAR(s.Radius, 1.3 - s.Centre.X + 0.04, 1e-9);
    EXPECT_NEAR(s.Radius, s.Centre.X - 0.1 + 0.025, 1e-9);
}

TEST(Framing, EmptyTinyAndBrokenShapes) {
    EXPECT_EQ(BoundingSphere({}), EmptyView);
    Primitive dot;
    dot.Position = {1, 2, 3};
    dot.Width = dot.Depth = 1e-6;
    dot.Height = 1e-6;
    const Sphere tiny = BoundingSphere({dot});
    EXPECT_EQ(tiny.Radius, MinFramedRadius);
    EXPECT_NEAR(Length(tiny.Centre - dot.Position), 0.0, 1e-12);
    Primitive broken = dot;
    broken.Position.X = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(BoundingSphere({broken}), EmptyView);
    EXPECT_EQ(BoundingSphere({broken, dot}), tiny);
}

TEST(Framing, DistanceUsesTheNarrowerFieldOfView) {
    // Square view: r / sin 22.5°; the empty view is the scene's start camera at 5.
    EXPECT_REL_NEAR(FramingDistance(1.0, 45.0, 1.0), 1.0 / std::sin(Rad(22.5)), 1e-12);
    EXPECT_REL_NEAR(FramingDistance(EmptyView.Radius, 45.0, 1.0), 5.0, 1e-12);
    // A wide view is limited by its height, a tall one by its width.
    EXPECT_REL_NEAR(FramingDistance(1.0, 45.0, 2.0), FramingDistance(1.0, 45.0, 1.0), 1e-12);
    const double halfX = std::atan(std::tan(Rad(22.5)) * 0.5);
    EXPECT_REL_NEAR(FramingDistance(1.0, 45.0, 0.5), 1.0 / std::sin(halfX), 1e-12);
    EXPECT_REL_NEAR(FramingDistance(3.0, 45.0, 0.5), 3.0 * FramingDistance(1.0, 45.0, 0.5), 1e-12);
}
