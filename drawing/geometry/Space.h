#pragma once

#include <array>
#include <cmath>

// Points and rotations of the drawing. World axes: X to the right, Y downward,
// Z away from the viewer; angles in degrees.
namespace Drawing {

struct Vec3 {
    double X = 0, Y = 0, Z = 0;

    friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
    friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
    friend Vec3 operator*(double s, Vec3 v) { return {s * v.X, s * v.Y, s * v.Z}; }
    friend Vec3 operator-(Vec3 v) { return {-v.X, -v.Y, -v.Z}; }
    bool operator==(const Vec3&) const = default;
};

inline double Dot(Vec3 a, Vec3 b) {
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}
inline double Length(Vec3 v) {
    return std::sqrt(Dot(v, v));
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

// A 3x3 matrix acting on column vectors, row-major.
struct Mat3 {
    std::array<double, 9> M{1, 0, 0, 0, 1, 0, 0, 0, 1};

    double operator()(int row, int col) const { return M[static_cast<std::size_t>(row * 3 + col)]; }
    double& operator()(int row, int col) { return M[static_cast<std::size_t>(row * 3 + col)]; }

    friend Mat3 operator*(const Mat3& a, const Mat3& b) {
        Mat3 r;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                r(i, j) = a(i, 0) * b(0, j) + a(i, 1) * b(1, j) + a(i, 2) * b(2, j);
        return r;
    }
    friend Vec3 operator*(const Mat3& a, Vec3 v) {
        return {a(0, 0) * v.X + a(0, 1) * v.Y + a(0, 2) * v.Z,
                a(1, 0) * v.X + a(1, 1) * v.Y + a(1, 2) * v.Z,
                a(2, 0) * v.X + a(2, 1) * v.Y + a(2, 2) * v.Z};
    }
};

inline constexpr double Pi = 3.14159265358979323846;
inline double Rad(double deg) {
    return deg * Pi / 180.0;
}
inline double Deg(double rad) {
    return rad * 180.0 / Pi;
}

Mat3 RotX(double deg);
Mat3 RotY(double deg);
Mat3 RotZ(double deg);

// The orientation given by rotation angles (ax, ay, az): RotX(ax)·RotY(ay)·RotZ(az).
Mat3 FromAngles(Vec3 anglesDeg);

// Rotation angles (ax, ay, az) whose FromAngles is the rotation r.
Vec3 AnglesOf(const Mat3& r);

} // namespace Drawing
