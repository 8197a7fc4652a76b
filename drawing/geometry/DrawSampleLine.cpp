#include "drawing/geometry/DrawSampleLine.h"

#include "model/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace Drawing {
namespace {

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// The running state while the model is built.
struct Pen {
    Vec3 P = StartPoint;
    double AngY = 0.0;  // phi: turn of the line about the vertical axis [deg]
    double AngZ = 90.0; // the Z turn [deg]
};

// A frame whose local +Y is PathDir(I, phi). With phi = 0 it is RotZ(90 - I), the
// frame of a part inclined by I; the turn phi then tips that frame about its own X
// axis, so local X stays perpendicular to the path and on the downward side, and
// bends and letters after an oriented bend continue the incoming path.
Mat3 PathFrame(double inclinationDeg, double phiDeg) {
    return RotZ(90.0 - inclinationDeg) * RotX(-phiDeg);
}

Primitive Shape(ShapeKind kind, int component, Vec3 position, const Mat3& orientation,
                double diameter, double height, int subdivisions, Material mat) {
    Primitive s;
    s.Kind = kind;
    s.Component = component;
    s.Position = position;
    s.RotationAngles = AnglesOf(orientation);
    s.Width = diameter;
    s.Height = height;
    s.Depth = diameter;
    s.HeightSubdivisions = subdivisions;
    s.Mat = mat;
    return s;
}

void DrawTube(const TLodoComp& c, int index, Pen& pen, std::vector<Primitive>& out) {
    if (!AllFinite({c.Len, c.Ang1}))
        return;
    // Same unit rule as the evaluation, so the drawn length is the evaluated length.
    const double ell = UnitsPerMetre * Units::TubeLenToM(c.Len, c.LenUnit);
    const Vec3 d = PathDir(c.Ang1, pen.AngY);
    out.push_back(Shape(ShapeKind::Cylinder, index, pen.P + (ell / 2.0) * d,
                        PathFrame(c.Ang1, pen.AngY), TubeDt, std::fabs(ell), 1,
                        Material::LightMaterialSource1));
    pen.P = pen.P + ell * d;
    pen.AngZ = 90.0 - c.Ang1;
}

void DrawFitting(const TLodoComp& c, int index, Pen& pen, std::vector<Primitive>& out) {
    if (!AllFinite({c.Ang1}))
        return;
    const bool contraction = c.NTypeInt == NodeContraction;
    const Vec3 d = PathDir(c.Ang1, pen.AngY);
    // The point of the "V" (its local +Y) faces downstream for a contraction and
    // upstream for an expansion.
    const Mat3 orientation =
        contraction ? RotZ(90.0 - c.Ang1) * RotX(-pen.AngY) : RotZ(-90.0 - c.Ang1) * RotX(pen.AngY);
    Primitive v = Shape(ShapeKind::Letter, index, pen.P + (FittingCt / 2.0) * d, orientation,
                        FittingCt, FittingCt, 1, Material::ColorMaterialSource1);
    v.Scale = {0.02, 0.03, 0.5};
    v.Text.assign(1, 'V'); // not = "V": GCC 12 warns falsely (-Wrestrict) on that
    out.push_back(v);
    pen.P = pen.P + FittingCt * d;
    pen.AngZ = (contraction ? 90.0 : -90.0) - c.Ang1;
}

Vec3 Unit(Vec3 v) {
    const double l = Length(v);
    return l > 0 ? (1.0 / l) * v : v;
}

// The straight part after a bend and the direction it is entered in, if it has one.
const TLodoComp* StraightAfter(const LodoList& line, int bend) {
    const auto next = static_cast<std::size_t>(bend) + 1;
    if (next >= line.size())
        return nullptr;
    const TLodoComp& c = line[next];
    const bool straight =
        c.NTypeInt == NodeTube || c.NTypeInt == NodeContraction || c.NTypeInt == NodeExpansion;
    return straight && std::isfinite(c.Ang1) ? &c : nullptr;
}

std::string BaseName(std::string name) {
    if (name.size() >= 2 && name.compare(name.size() - 2, 2, " *") == 0)
        name.resize(name.size() - 2);
    return name;
}

// A bend drawn from the direction it is entered in to the direction `out` of the
// part after it, in the plane of the two (or, for a turn back, the bend's own).
void DrawBendTowards(int index, Vec3 in, Vec3 out, Vec3 ownSide, Pen& pen,
                     std::vector<Primitive>& shapes) {
    const double cosT = std::clamp(Dot(in, out), -1.0, 1.0);
    const double theta = std::acos(cosT);
    Vec3 n = out - cosT * in;
    n = Length(n) > 1e-9 ? Unit(n) : ownSide;
    for (int j = 0; j < BendSegments; ++j) {
        const double t = j * theta / (BendSegments - 1);
        const Vec3 tangent = std::cos(t) * in + std::sin(t) * n;
        const Vec3 side = std::cos(t) * n - std::sin(t) * in;
        const Vec3 depth = Cross(side, tangent);
        Mat3 frame;
        for (int r = 0; r < 3; ++r) {
            const double v[3][3] = {{side.X, tangent.X, depth.X},
                                    {side.Y, tangent.Y, depth.Y},
                                    {side.Z, tangent.Z, depth.Z}};
            for (int col = 0; col < 3; ++col)
                frame(r, col) = v[r][col];
        }
        Primitive seg = Shape(ShapeKind::Cylinder, index,
                              pen.P + BendR * ((1.0 - std::cos(t)) * n + std::sin(t) * in), frame,
                              TubeDt, 0.05, 1, Material::LightMaterialSource1);
        seg.TwoSided = true;
        shapes.push_back(seg);
    }
    pen.P = pen.P + BendR * ((1.0 - std::cos(theta)) * n + std::sin(theta) * in);
}

void DrawBend(const LodoList& line, int index, Pen& pen, LineDrawing& drawing) {
    const TLodoComp& c = line[static_cast<std::size_t>(index)];
    std::vector<Primitive>& out = drawing.Shapes;
    if (!AllFinite({c.Ang1, c.Ang2, c.Ang3}))
        return;
    const double B = c.Ang2, O = c.Ang3;
    pen.AngZ = 90.0 - c.Ang1;
    // The arc leaves P along the frame's +Y and, before the orientation turn O about
    // that axis, curves towards the frame's +X.
    const Mat3 F = PathFrame(c.Ang1, pen.AngY);
    const Mat3 FO = F * RotY(O);
    // Where the bend leaves for, and where the part after it is entered to go: the
    // two differ when the inclination after the bend does not continue the turn.
    if (const TLodoComp* next = StraightAfter(line, index)) {
        const Vec3 leaves = Unit(FO * Vec3{std::sin(Rad(B)), std::cos(Rad(B)), 0.0});
        const Vec3 entered = PathDir(next->Ang1, O);
        const double apart = Deg(std::acos(std::clamp(Dot(leaves, entered), -1.0, 1.0)));
        if (apart > 1.0) {
            GeometryFinding f;
            f.Row = index + 1;
            f.Bend = index;
            f.ContradictionDeg = apart;
            const std::string name = BaseName(next->Name), bend = BaseName(c.Name);
            char degrees[32];
            std::snprintf(degrees, sizeof degrees, "%.0f", apart);
            f.Text = name + " (Index " + std::to_string(index + 1) + "): its inclination (" +
                     std::to_string(static_cast<long>(std::lround(next->Ang1))) +
                     "\u00b0) points " + degrees + "\u00b0 away from the direction " + bend +
                     " (Index " + std::to_string(index) + ") leaves in; the drawing turns " + bend +
                     " to meet " + name + ". Check " + bend + "'s angle and orientation or " +
                     name + "'s inclination.";
            drawing.Findings.push_back(std::move(f));
            DrawBendTowards(index, PathDir(c.Ang1, pen.AngY), entered, FO * Vec3{1, 0, 0}, pen,
                            out);
            pen.AngY = O;
            return;
        }
    }
    auto arc = [&](double t) {
        return FO * Vec3{BendR * (1.0 - std::cos(Rad(t))), BendR * std::sin(Rad(t)), 0.0};
    };
    for (int j = 0; j < BendSegments; ++j) {
        const double t = j * B / (BendSegments - 1);
        // RotZ(-t) turns local +Y onto the tangent (sin t, cos t, 0).
        Primitive seg = Shape(ShapeKind::Cylinder, index, pen.P + arc(t), FO * RotZ(-t), TubeDt,
                              0.05, 1, Material::LightMaterialSource1);
        seg.TwoSided = true;
        out.push_back(seg);
    }
    pen.P = pen.P + arc(B);
    pen.AngY = O;
}

void DrawInlet(const TLodoComp& c, int index, Pen& pen, std::vector<Primitive>& out) {
    if (!AllFinite({c.Ang1}))
        return;
    const double A = c.Ang1;
    pen.AngZ -= A;
    const Mat3 turn = RotZ(pen.AngZ);
    const Vec3 ahead{-std::cos(Rad(A)), std::sin(Rad(A)), 0.0};
    if (c.NTypeInt == NodeNozzle) {
        out.push_back(Shape(ShapeKind::Cone, index, pen.P, turn, 0.08, 0.2, 12,
                            Material::LightMaterialSource1));
        out.push_back(Shape(ShapeKind::Cylinder, index, pen.P, turn, 0.02, 0.2, 12,
                            Material::LightMaterialSource1));
        // The line continues from the cone's base.
        pen.P = pen.P + 0.1 * ahead;
    } else {
        Primitive shroud = Shape(ShapeKind::Cylinder, index, pen.P, turn, 0.11, 0.22, 12,
                                 Material::LightMaterialSource4);
        shroud.Opacity = 0.6;
        out.push_back(shroud);
        out.push_back(Shape(ShapeKind::Cylinder, index, pen.P, turn, 0.05, 0.15, 12,
                            Material::LightMaterialSource1));
        pen.P = pen.P + 0.11 * ahead;
    }
}

} // namespace

Vec3 PathDir(double I, double phi) {
    const double ci = std::cos(Rad(I)), si = std::sin(Rad(I));
    const double cp = std::cos(Rad(phi)), sp = std::sin(Rad(phi));
    return {-ci * cp, si * cp, -sp};
}

LineDrawing DrawSampleLine(const LodoList& line) {
    LineDrawing drawing;
    if (line.empty())
        return drawing;
    Pen pen;
    drawing.Joints.push_back(pen.P);
    for (int k = 0; k < static_cast<int>(line.size()); ++k) {
        const TLodoComp& c = line[static_cast<std::size_t>(k)];
        switch (c.NTypeInt) {
        case NodeTube:
            DrawTube(c, k, pen, drawing.Shapes);
            break;
        case NodeBend:
            DrawBend(line, k, pen, drawing);
            break;
        case NodeContraction:
        case NodeExpansion:
            DrawFitting(c, k, pen, drawing.Shapes);
            break;
        case NodeNozzle:
        case NodeShroud:
            DrawInlet(c, k, pen, drawing.Shapes);
            break;
        default:
            break;
        }
        drawing.Joints.push_back(pen.P);
    }
    return drawing;
}

} // namespace Drawing
