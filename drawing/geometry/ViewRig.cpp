#include "drawing/geometry/ViewRig.h"

#include <cmath>

namespace Drawing {

void ViewRig::MouseDown(float x, float y) {
    downX_ = x;
    downY_ = y;
}

bool ViewRig::MouseMove(float x, float y, bool leftHeld) {
    if (!leftHeld)
        return false;
    alpha_ -= DegreesPerPixel * (y - downY_);
    beta_ += DegreesPerPixel * (x - downX_);
    downX_ = x;
    downY_ = y;
    return true;
}

void ViewRig::MouseWheel(int delta) {
    double n = delta / 120.0;
    // A single step of more than 3⅓ notches towards the user would make the
    // homogeneous weight negative and throw the camera through the centre to the
    // far side, where it looks away from the model and further notches never bring
    // it back. Such a turn is taken one notch at a time instead.
    if (1.0 + WheelStep * n <= -0.0001) {
        while (n <= -1.0) {
            WheelStepBy(-1.0);
            n += 1.0;
        }
    }
    WheelStepBy(n);
}

void ViewRig::WheelStepBy(double n) {
    const double w = 1.0 + WheelStep * n;
    Vec3 c = camera_;
    c.Z += WheelStep * n;
    if (std::fabs(w) >= 0.0001)
        c = (1.0 / w) * c;
    camera_ = c;
}

void ViewRig::ResetOrbit() {
    alpha_ = 0.0;
    beta_ = 0.0;
}

} // namespace Drawing
