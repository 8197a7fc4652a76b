#include "drawing/geometry/Framing.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Drawing {
namespace {

bool Finite(Vec3 v) {
    return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

// The points that span a shape, and the thickness around them.
struct Extent {
    Vec3 A, B;
    double Pad = 0;
};

Extent ExtentOf(const Primitive& s) {
    if (s.Kind == ShapeKind::Letter) {
        // The letter fills its box across and along the line; depth takes the scale.
        const double half = 0.5 * std::sqrt(s.Width * s.Width + s.Height * s.Height +
                                            s.Depth * s.Scale.Z * s.Depth * s.Scale.Z);
        return {s.Position, s.Position, half};
    }
    const Vec3 axis = s.Axis();
    const Vec3 halfLength = (0.5 * s.Height * std::fabs(s.Scale.Y)) * axis;
    const double radius = 0.5 * s.Width * std::max(std::fabs(s.Scale.X), std::fabs(s.Scale.Z));
    return {s.Position - halfLength, s.Position + halfLength, radius};
}

} // namespace

Sphere BoundingSphere(const std::vector<Primitive>& shapes) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    Vec3 lo{inf, inf, inf}, hi{-inf, -inf, -inf};
    std::vector<Extent> extents;
    extents.reserve(shapes.size());
    for (const Primitive& s : shapes) {
        const Extent e = ExtentOf(s);
        if (!Finite(e.A) || !Finite(e.B) || !std::isfinite(e.Pad))
            continue;
        extents.push_back(e);
        for (Vec3 p : {e.A, e.B}) {
            lo = {std::min(lo.X, p.X - e.Pad), std::min(lo.Y, p.Y - e.Pad),
                  std::min(lo.Z, p.Z - e.Pad)};
            hi = {std::max(hi.X, p.X + e.Pad), std::max(hi.Y, p.Y + e.Pad),
                  std::max(hi.Z, p.Z + e.Pad)};
        }
    }
    if (extents.empty())
        return EmptyView;
    const Vec3 centre = 0.5 * (lo + hi);
    double radius = 0;
    for (const Extent& e : extents)
        radius = std::max({radius, Length(e.A - centre) + e.Pad, Length(e.B - centre) + e.Pad});
    return {centre, std::max(radius, MinFramedRadius)};
}

double FramingDistance(double radius, double fovYDeg, double aspect) {
    const double halfY = Rad(fovYDeg) / 2.0;
    const double halfX = std::atan(std::tan(halfY) * std::max(aspect, 1e-6));
    return radius / std::sin(std::min(halfY, halfX));
}

} // namespace Drawing
