#include "drawing/geometry/ViewRig.h"

#include "TestPrecision.h"

#include <gtest/gtest.h>

using namespace Drawing;

namespace {

const Sphere Line{{0.6, -0.9, 0.1}, 0.8};

} // namespace

TEST(ViewRig, LeftDragOrbitsByAThirdOfADegreePerPixel) {
    ViewRig rig;
    rig.MouseDown(100, 100);
    EXPECT_TRUE(rig.MouseMove(110, 90, true));
    EXPECT_NEAR(rig.Alpha(), 3.0, 1e-6); // alpha -= 0.3 * (90 - 100)
    EXPECT_NEAR(rig.Beta(), 3.0, 1e-6);  // beta += 0.3 * (110 - 100)
    // The last position is remembered: the next move counts from (110, 90).
    rig.MouseMove(110, 100, true);
    EXPECT_NEAR(rig.Alpha(), 0.0, 1e-6);
    EXPECT_NEAR(rig.Beta(), 3.0, 1e-6);
    // Without the left button nothing changes, not even the remembered position.
    EXPECT_FALSE(rig.MouseMove(500, 500, false));
    EXPECT_NEAR(rig.Beta(), 3.0, 1e-6);
    EXPECT_FLOAT_EQ(rig.DownX(), 110.0f);
}

TEST(ViewRig, StartsWhereTheSceneStartsAndFramesEachLine) {
    ViewRig rig;
    // No line: the start camera 5 units in front of the origin.
    EXPECT_REL_NEAR(rig.CameraPosition().Z, -5.0, 1e-12);
    EXPECT_NEAR(rig.CameraPosition().X, 0.0, 1e-12);

    rig.SetAspect(560.0 / 690.0);
    rig.Frame(Line);
    EXPECT_REL_NEAR(rig.Distance(), FramingDistance(0.8, 45.0, 560.0 / 690.0), 1e-12);
    // The camera looks at the sphere's centre from in front of it.
    const Vec3 toCentre = Line.Centre - rig.CameraPosition();
    EXPECT_REL_NEAR(Length(toCentre), rig.Distance(), 1e-12);
    EXPECT_NEAR(Dot(toCentre, rig.ViewDirection()) / rig.Distance(), 1.0, 1e-12);
    // The whole sphere lies between the clipping planes.
    EXPECT_LT(rig.NearPlane(), rig.Distance() - Line.Radius);
    EXPECT_GT(rig.NearPlane(), 0.0);
    EXPECT_GT(rig.FarPlane(), rig.Distance() + Line.Radius);
}

TEST(ViewRig, OrbitTurnsAboutTheLinesCentre) {
    ViewRig rig;
    rig.Frame(Line);
    rig.MouseDown(0, 0);
    rig.MouseMove(300, 0, true); // beta = 90: -Z turns onto -X
    EXPECT_NEAR(rig.Beta(), 90.0, 1e-4);
    const Vec3 cam = rig.CameraPosition();
    EXPECT_NEAR(cam.X, Line.Centre.X - rig.Distance(), 1e-4);
    EXPECT_NEAR(cam.Y, Line.Centre.Y, 1e-9);
    EXPECT_NEAR(rig.ViewDirection().X, 1.0, 1e-4);
    EXPECT_NEAR(rig.UpVector().Y, -1.0, 1e-9);
    // A rebuilt line is framed again; the orbit stays.
    rig.Frame({{0, 0, 0}, 2.0});
    EXPECT_NEAR(rig.Beta(), 90.0, 1e-4);
    EXPECT_REL_NEAR(rig.Distance(), rig.FramedDistance(), 1e-12);
}

TEST(ViewRig, WheelMovesTowardsTheCentreWithinBounds) {
    ViewRig rig;
    rig.Frame(Line);
    const double framed = rig.Distance();
    EXPECT_TRUE(rig.MouseWheel(120)); // away from the user: closer
    EXPECT_REL_NEAR(rig.Distance(), framed / 1.15, 1e-12);
    rig.MouseWheel(-240); // two notches back
    EXPECT_REL_NEAR(rig.Distance(), framed * 1.15, 1e-12);
    EXPECT_FALSE(rig.MouseWheel(0));

    // However far the user turns, the camera stays outside the line and the line
    // never shrinks below a quarter of the view.
    for (int i = 0; i < 200; ++i)
        rig.MouseWheel(120);
    EXPECT_REL_NEAR(rig.Distance(), 1.25 * Line.Radius, 1e-12);
    EXPECT_FALSE(rig.MouseWheel(120));
    EXPECT_GT(rig.NearPlane(), 0.0);
    EXPECT_LT(rig.NearPlane(), rig.Distance() - Line.Radius);
    rig.MouseWheel(-120 * 500);
    EXPECT_REL_NEAR(rig.Distance(), 4.0 * framed, 1e-12);
    // Zooming never moves what the camera looks at.
    EXPECT_NEAR(Length(rig.ViewCentre() - Line.Centre), 0.0, 1e-15);
}

TEST(ViewRig, RedrawReturnsToTheFramedViewAndResizeKeepsTheZoomShare) {
    ViewRig rig;
    rig.Frame(Line);
    rig.MouseDown(0, 0);
    rig.MouseMove(40, 20, true);
    rig.MouseWheel(360);
    // A narrower view keeps the zoom's share of the framed distance.
    const double share = rig.Distance() / rig.FramedDistance();
    rig.SetAspect(0.5);
    EXPECT_REL_NEAR(rig.Distance() / rig.FramedDistance(), share, 1e-12);

    rig.ResetView();
    EXPECT_EQ(rig.Alpha(), 0.0);
    EXPECT_EQ(rig.Beta(), 0.0);
    EXPECT_REL_NEAR(rig.Distance(), FramingDistance(Line.Radius, 45.0, 0.5), 1e-12);
}
