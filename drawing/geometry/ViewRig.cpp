#include "drawing/geometry/ViewRig.h"

#include <algorithm>
#include <cmath>

namespace Drawing {

void ViewRig::Frame(const Sphere& target) {
    target_ = target;
    distance_ = FramedDistance();
}

void ViewRig::SetAspect(double aspect) {
    if (!(aspect > 0) || !std::isfinite(aspect))
        return;
    const double share = distance_ / FramedDistance();
    aspect_ = aspect;
    distance_ = std::clamp(share * FramedDistance(), MinDistance(), MaxDistance());
}

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

bool ViewRig::MouseWheel(int delta) {
    const double notches = delta / 120.0;
    const double before = distance_;
    distance_ =
        std::clamp(distance_ * std::pow(ZoomPerNotch, -notches), MinDistance(), MaxDistance());
    return distance_ != before;
}

void ViewRig::ResetView() {
    alpha_ = 0.0;
    beta_ = 0.0;
    ResetZoom();
}

double ViewRig::NearPlane() const {
    // Half the gap to the sphere, never so small that depth precision suffers.
    return std::max(0.5 * (distance_ - target_.Radius), 0.01 * target_.Radius);
}

double ViewRig::FarPlane() const {
    // The axis marker stays near the scene's origin, possibly outside the sphere.
    return distance_ + target_.Radius + Length(target_.Centre) + 10.0;
}

} // namespace Drawing
