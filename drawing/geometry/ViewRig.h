#pragma once

#include "drawing/geometry/Space.h"

// The camera rig of the 3-D view: an outer group turned about Y by the orbit angle
// Beta, an inner group turned about X by Alpha, and the camera on the inner group's
// Z axis looking along +Z. Plain state so the mouse rules can be tested without a
// window.
namespace Drawing {

class ViewRig {
public:
    static constexpr double StartCameraZ = -5.0;
    static constexpr double DegreesPerPixel = 0.3;
    static constexpr double WheelStep = 0.3; // per notch of 120

    double Alpha() const { return alpha_; } // [deg]
    double Beta() const { return beta_; }   // [deg]
    Vec3 CameraInRig() const { return camera_; }
    float DownX() const { return downX_; }
    float DownY() const { return downY_; }

    // Any button pressed in the view at pixel (x, y).
    void MouseDown(float x, float y);
    // Pointer moved to (x, y); only a held left button orbits. True when the
    // orbit changed.
    bool MouseMove(float x, float y, bool leftHeld);
    // A wheel turn of `delta` eighths of a degree (120 per notch). The camera is
    // scaled towards or away from the rig's centre by a projective step, so a
    // notch changes its distance by a factor rather than a fixed amount.
    void MouseWheel(int delta);
    // "Redraw": back to the start orbit; the zoom is kept.
    void ResetOrbit();

    Mat3 RigOrientation() const { return RotY(beta_) * RotX(alpha_); }
    Vec3 CameraPosition() const { return RigOrientation() * camera_; }      // world
    Vec3 ViewDirection() const { return RigOrientation() * Vec3{0, 0, 1}; } // world
    Vec3 UpVector() const { return RigOrientation() * Vec3{0, -1, 0}; }     // world; Y points down

private:
    void WheelStepBy(double notches);

    double alpha_ = 0.0, beta_ = 0.0;
    Vec3 camera_{0.0, 0.0, StartCameraZ};
    float downX_ = 0.0f, downY_ = 0.0f;
};

} // namespace Drawing
