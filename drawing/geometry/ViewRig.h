#pragma once

#include "drawing/geometry/Framing.h"
#include "drawing/geometry/Space.h"

// The camera rig of the 3-D view: an outer group turned about Y by the orbit angle
// Beta, an inner group turned about X by Alpha, and the camera on the inner group's
// -Z axis looking along +Z at the rig's centre. The rig sits on the centre of the
// line's bounding sphere, so the orbit turns the line about its own middle and the
// zoom moves towards it. Plain state so the mouse rules can be tested without a
// window.
namespace Drawing {

class ViewRig {
public:
    static constexpr double FieldOfViewY = 45.0; // [deg]
    static constexpr double DegreesPerPixel = 0.3;
    // One wheel notch (120) changes the distance by this factor.
    static constexpr double ZoomPerNotch = 1.15;
    // Closest approach, as a multiple of the sphere's radius: the camera stays
    // outside the line, so no part of it is ever behind the near plane.
    static constexpr double MinDistanceRadii = 1.25;
    // Furthest retreat, as a multiple of the framed distance: the line still shows
    // at a quarter of the view.
    static constexpr double MaxDistanceFramed = 4.0;

    ViewRig() { Frame(EmptyView); }

    double Alpha() const { return alpha_; } // [deg]
    double Beta() const { return beta_; }   // [deg]
    float DownX() const { return downX_; }
    float DownY() const { return downY_; }

    // What is framed, and from how far the camera looks at its centre.
    const Sphere& Target() const { return target_; }
    double Distance() const { return distance_; }
    double FramedDistance() const { return FramingDistance(target_.Radius, FieldOfViewY, aspect_); }
    double MinDistance() const { return MinDistanceRadii * target_.Radius; }
    double MaxDistance() const { return MaxDistanceFramed * FramedDistance(); }
    double Aspect() const { return aspect_; }

    // A rebuilt line: look at its sphere from the framed distance; the orbit stays.
    void Frame(const Sphere& target);
    // The view's width/height changed; the zoom keeps its share of the framed view.
    void SetAspect(double aspect);

    // Any button pressed in the view at pixel (x, y).
    void MouseDown(float x, float y);
    // Pointer moved to (x, y); only a held left button orbits. True when the
    // orbit changed.
    bool MouseMove(float x, float y, bool leftHeld);
    // A wheel turn of `delta` eighths of a degree (120 per notch): positive moves
    // towards the centre, by ZoomPerNotch per notch, within MinDistance and
    // MaxDistance. True when the distance changed.
    bool MouseWheel(int delta);
    // "Redraw": the start orbit and the framed distance.
    void ResetView();
    // The framed distance, keeping the orbit (exported and printed drawings).
    void ResetZoom() { distance_ = FramedDistance(); }

    Mat3 RigOrientation() const { return RotY(beta_) * RotX(alpha_); }
    Vec3 CameraPosition() const {
        return target_.Centre + RigOrientation() * Vec3{0, 0, -distance_};
    }
    Vec3 ViewCentre() const { return target_.Centre; }
    Vec3 ViewDirection() const { return RigOrientation() * Vec3{0, 0, 1}; } // world
    Vec3 UpVector() const { return RigOrientation() * Vec3{0, -1, 0}; }     // world; Y points down
    // Clipping planes that hold the whole sphere (and the axis marker beyond it).
    double NearPlane() const;
    double FarPlane() const;

private:
    double alpha_ = 0.0, beta_ = 0.0;
    Sphere target_;
    double aspect_ = 1.0;
    double distance_ = 0.0;
    float downX_ = 0.0f, downY_ = 0.0f;
};

} // namespace Drawing
