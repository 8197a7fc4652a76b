#pragma once

#include "drawing/geometry/DrawSampleLine.h"
#include "drawing/geometry/Space.h"

#include <vector>

// What the camera has to show: a sphere around every shape of the model, and the
// distance at which a perspective camera sees that sphere fill its view.
namespace Drawing {

struct Sphere {
    Vec3 Centre;
    double Radius = 0; // [drawing units]
    bool operator==(const Sphere&) const = default;
};

// The smallest radius framed: a model of one tiny shape still shows at a readable
// size, and the camera never sits on the centre.
inline constexpr double MinFramedRadius = 0.05;

// The view of an empty line: the start camera of the scene, 5 units in front of
// the origin with the axis marker in sight.
inline constexpr Sphere EmptyView{{0.0, 0.0, 0.0}, 1.9134171618254487}; // 5 sin 22.5°

// A sphere holding the whole of every shape (cylinders and cones with their
// radius, letters with their box). Centred on the middle of the shapes' extent;
// the empty list gives EmptyView. Shapes that are not finite are left out.
Sphere BoundingSphere(const std::vector<Primitive>& shapes);

// Distance from the sphere's centre at which a camera with the vertical field of
// view `fovYDeg` and the width/height ratio `aspect` sees the sphere touch the
// nearer pair of view edges: d = r / sin(half angle), with the half angle the
// smaller of the vertical and the horizontal one.
double FramingDistance(double radius, double fovYDeg, double aspect);

} // namespace Drawing
