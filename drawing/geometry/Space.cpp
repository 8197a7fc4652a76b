#include "drawing/geometry/Space.h"

namespace Drawing {

Mat3 RotX(double deg) {
    const double c = std::cos(Rad(deg)), s = std::sin(Rad(deg));
    return Mat3{{1, 0, 0, 0, c, -s, 0, s, c}};
}

Mat3 RotY(double deg) {
    const double c = std::cos(Rad(deg)), s = std::sin(Rad(deg));
    return Mat3{{c, 0, s, 0, 1, 0, -s, 0, c}};
}

Mat3 RotZ(double deg) {
    const double c = std::cos(Rad(deg)), s = std::sin(Rad(deg));
    return Mat3{{c, -s, 0, s, c, 0, 0, 0, 1}};
}

Mat3 FromAngles(Vec3 a) {
    return RotX(a.X) * RotY(a.Y) * RotZ(a.Z);
}

// RotX(a)·RotY(b)·RotZ(c) has r02 = sin b, r12 = -sin a cos b, r22 = cos a cos b,
// r01 = -cos b sin c, r00 = cos b cos c.
Vec3 AnglesOf(const Mat3& r) {
    const double cb = std::hypot(r(0, 0), r(0, 1));
    const double b = std::atan2(r(0, 2), cb);
    if (cb < 1e-12) {
        // Gimbal lock: only a ± c is defined; put it all in a (c = 0), where
        // r10 = sin a sin b and r11 = cos a.
        return {Deg(std::atan2(r(1, 0) * std::sin(b), r(1, 1))), Deg(b), 0.0};
    }
    return {Deg(std::atan2(-r(1, 2), r(2, 2))), Deg(b), Deg(std::atan2(-r(0, 1), r(0, 0)))};
}

} // namespace Drawing
