#include "drawing/geometry/Space.h"

#include <gtest/gtest.h>

using namespace Drawing;

namespace {

void ExpectSameMatrix(const Mat3& a, const Mat3& b) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(a(i, j), b(i, j), 1e-12) << i << "," << j;
}

} // namespace

TEST(Space, RotationsFollowTheRightHandRule) {
    // X towards Y about Z, Y towards Z about X, Z towards X about Y.
    const Vec3 x = RotZ(90) * Vec3{1, 0, 0};
    EXPECT_NEAR(x.Y, 1.0, 1e-15);
    const Vec3 y = RotX(90) * Vec3{0, 1, 0};
    EXPECT_NEAR(y.Z, 1.0, 1e-15);
    const Vec3 z = RotY(90) * Vec3{0, 0, 1};
    EXPECT_NEAR(z.X, 1.0, 1e-15);
}

TEST(Space, AnglesOfInvertsFromAnglesIncludingGimbalLock) {
    const Vec3 cases[] = {{0, 0, 0},     {0, 0, 90},      {10, 20, 30},   {-170, 45, 100},
                          {35, 90, -20}, {-60, -90, 140}, {0, 180, 0},    {123, -33, -177},
                          {0, 90, 0},    {90, 0, 90},     {-90, 45, -90}, {0.5, 89.9999, 3}};
    for (const Vec3& a : cases) {
        SCOPED_TRACE(testing::Message() << a.X << " " << a.Y << " " << a.Z);
        ExpectSameMatrix(FromAngles(AnglesOf(FromAngles(a))), FromAngles(a));
    }
}
