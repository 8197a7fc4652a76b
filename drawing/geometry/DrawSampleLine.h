#pragma once

#include "drawing/geometry/Space.h"
#include "model/TLodoComp.h"

#include <string>
#include <vector>

// The schematic 3-D model of a sample line as a list of shapes. Only tube lengths,
// inclinations, bend angles and bend orientations come from the components; every
// tube has the same drawn diameter and every bend the same drawn radius.
namespace Drawing {

enum class ShapeKind { Cylinder, Cone, Letter };

enum class Material {
    LightMaterialSource1, // gray metal: tubes, bend segments, nozzle, probes
    LightMaterialSource4, // dark slate gray: shrouded-probe body
    ColorMaterialSource1, // plain black: contraction and expansion letters
};

// One shape, child of the model container. Cylinders and cones have their length
// axis along their local +Y and are centred on Position; a cone's base lies at its
// local +Y end. A letter is laid out in its local XY plane reading along +X, tops
// of the letters towards -Y, extruded along Z.
struct Primitive {
    ShapeKind Kind = ShapeKind::Cylinder;
    Vec3 Position;       // centre [drawing units]
    Vec3 RotationAngles; // (ax, ay, az) [deg]: RotX(ax)·RotY(ay)·RotZ(az)
    double Width = 0;    // diameter of a cylinder or a cone's base; letter box width
    double Height = 0;   // length along local Y; letter box height
    double Depth = 0;    // equal to Width for cylinders and cones; letter box depth
    Vec3 Scale{1, 1, 1};
    int HeightSubdivisions = 1;
    Material Mat = Material::LightMaterialSource1;
    double Opacity = 1.0;
    bool TwoSided = false;
    std::string Text;   // the letter of a Letter shape
    int Component = -1; // index of the component in the line

    Mat3 Orientation() const { return FromAngles(RotationAngles); }
    Vec3 Axis() const { return Orientation() * Vec3{0, 1, 0}; } // local +Y in the model
};

// Constants of the drawing [drawing units].
inline constexpr double BendR = 0.2;         // drawn bend radius
inline constexpr double TubeDt = 0.05;       // drawn tube diameter
inline constexpr double FittingCt = 0.05;    // drawn length of a contraction or expansion
inline constexpr double UnitsPerMetre = 0.2; // scale of tube lengths
inline constexpr int BendSegments = 16;
inline constexpr Vec3 StartPoint{1.2, -1.0, 0.0};

// A line whose entered angles cannot all be drawn: the straight part after a bend
// is inclined otherwise than the direction the bend (by its angle and orientation)
// leaves in. The drawing then turns the bend to meet the part after it, so that the
// line is drawn continuous and never back through the bend.
struct GeometryFinding {
    int Row = 0;                 // the component whose inclination contradicts the bend
    int Bend = 0;                // the bend before it
    double ContradictionDeg = 0; // angle between the two directions
    std::string Text;
    bool operator==(const GeometryFinding&) const = default;
};

struct LineDrawing {
    std::vector<Primitive> Shapes;
    std::vector<GeometryFinding> Findings;
    // The running point: Joints[k] is where component k starts, Joints[k + 1] where
    // the next one starts. Holds Count + 1 points for a non-empty line, none for an
    // empty one.
    std::vector<Vec3> Joints;
};

// Path direction of a straight part with inclination I (negative = upward) after
// the line has turned by phi about the vertical axis; a unit vector.
Vec3 PathDir(double inclinationDeg, double phiDeg);

// Builds the model of the line component by component from StartPoint. Components
// of an unknown type, or whose drawn values are not finite numbers, draw nothing
// and leave the running point where it was.
LineDrawing DrawSampleLine(const LodoList& line);

} // namespace Drawing
