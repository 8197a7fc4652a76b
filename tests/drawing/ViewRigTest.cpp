#include "drawing/geometry/ViewRig.h"

#include "TestPrecision.h"

#include <gtest/gtest.h>

using namespace Drawing;

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

    const double zoomBefore = rig.CameraInRig().Z;
    rig.ResetOrbit();
    EXPECT_EQ(rig.Alpha(), 0.0);
    EXPECT_EQ(rig.Beta(), 0.0);
    EXPECT_EQ(rig.CameraInRig().Z, zoomBefore);
}

TEST(ViewRig, WheelScalesTheCameraProjectively) {
    struct Case {
        int delta;
        double z; // camera Z after one event from the start position -5
    } const cases[] = {
        {120, (-5.0 + 0.3) / 1.3},        // away from the user: closer to the centre
        {-120, (-5.0 - 0.3) / 0.7},       // towards the user: further away
        {240, (-5.0 + 0.6) / 1.6},        // two notches at once
        {60, (-5.0 + 0.15) / 1.15},       // half a notch
        {-400, -5.0 - 0.3 * 400 / 120.0}, // weight 0: taken as it is
        {0, -5.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delta);
        ViewRig rig;
        rig.MouseWheel(c.delta);
        EXPECT_REL_NEAR(rig.CameraInRig().Z, c.z, 1e-12);
        EXPECT_EQ(rig.CameraInRig().X, 0.0);
        EXPECT_EQ(rig.CameraInRig().Y, 0.0);
    }
}

TEST(ViewRig, FastTurnTowardsTheUserNeverFlipsTheCamera) {
    ViewRig rig;
    rig.MouseWheel(-600); // five notches in one event
    double z = -5.0;
    for (int i = 0; i < 5; ++i)
        z = (z - 0.3) / 0.7;
    EXPECT_REL_NEAR(rig.CameraInRig().Z, z, 1e-12);
    EXPECT_LT(rig.CameraInRig().Z, 0.0);
}

TEST(ViewRig, CameraFollowsTheOrbit) {
    ViewRig rig;
    // At start: on -Z looking along +Z with the Y axis pointing down the screen.
    EXPECT_NEAR(rig.CameraPosition().Z, -5.0, 1e-12);
    EXPECT_NEAR(rig.ViewDirection().Z, 1.0, 1e-12);
    EXPECT_NEAR(rig.UpVector().Y, -1.0, 1e-12);
    // beta = 90: the outer group turns -Z onto -X.
    rig.MouseDown(0, 0);
    rig.MouseMove(300, 0, true);
    EXPECT_NEAR(rig.Beta(), 90.0, 1e-4);
    EXPECT_NEAR(rig.CameraPosition().X, -5.0, 1e-4);
    EXPECT_NEAR(rig.ViewDirection().X, 1.0, 1e-4);
}
