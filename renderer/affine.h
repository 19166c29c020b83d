// Double-precision vectors and affine transforms for the scene, the camera and the spaces the
// shader asks for. The render state itself carries single-precision vectors.
#pragma once

#include <cmath>

#include "vantrel_host.h"

struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(const Vec3& a) {
    return {-a.x, -a.y, -a.z};
}
inline Vec3 operator*(const Vec3& a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const Vec3& a) {
    return std::sqrt(dot(a, a));
}
// A zero vector stays zero.
inline Vec3 normalized(const Vec3& a) {
    const double l = length(a);
    return l > 0.0 ? a * (1.0 / l) : a;
}
inline bool isFinite(const Vec3& a) {
    return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}

inline Vec3 toVec3(const Vector& v) {
    return {v.x, v.y, v.z};
}
inline Vector toVector(const Vec3& v) {
    return {float(v.x), float(v.y), float(v.z)};
}

// p' = m p + t.
struct Affine {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 t;

    static Affine translation(const Vec3& offset) {
        Affine a;
        a.t = offset;
        return a;
    }
    static Affine scaling(double s) { return scaling({s, s, s}); }
    static Affine scaling(const Vec3& s) {
        Affine a;
        a.m[0][0] = s.x;
        a.m[1][1] = s.y;
        a.m[2][2] = s.z;
        return a;
    }
    // Right-handed rotation by `degrees` about `axis`.
    static Affine rotation(const Vec3& axis, double degrees) {
        const Vec3 u = normalized(axis);
        const double r = degrees * 3.14159265358979323846 / 180.0;
        const double c = std::cos(r), s = std::sin(r), k = 1.0 - c;
        Affine a;
        a.m[0][0] = c + u.x * u.x * k;
        a.m[0][1] = u.x * u.y * k - u.z * s;
        a.m[0][2] = u.x * u.z * k + u.y * s;
        a.m[1][0] = u.y * u.x * k + u.z * s;
        a.m[1][1] = c + u.y * u.y * k;
        a.m[1][2] = u.y * u.z * k - u.x * s;
        a.m[2][0] = u.z * u.x * k - u.y * s;
        a.m[2][1] = u.z * u.y * k + u.x * s;
        a.m[2][2] = c + u.z * u.z * k;
        return a;
    }
    // A camera-to-world (or light-to-world) frame at `eye` looking at `target`: the frame looks
    // down its own -z with +y up.
    static Affine lookAt(const Vec3& eye, const Vec3& target, const Vec3& up) {
        const Vec3 back = normalized(eye - target);
        const Vec3 right = normalized(cross(up, back));
        const Vec3 trueUp = cross(back, right);
        Affine a;
        const Vec3 columns[3] = {right, trueUp, back};
        for (int c = 0; c < 3; ++c) {
            a.m[0][c] = columns[c].x;
            a.m[1][c] = columns[c].y;
            a.m[2][c] = columns[c].z;
        }
        a.t = eye;
        return a;
    }

    Vec3 vector(const Vec3& v) const {
        return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
                m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
                m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
    }
    Vec3 point(const Vec3& p) const { return vector(p) + t; }
    // Multiplies by the transpose of the linear part: applied to the inverse transform, this
    // carries normals.
    Vec3 transposedVector(const Vec3& v) const {
        return {m[0][0] * v.x + m[1][0] * v.y + m[2][0] * v.z,
                m[0][1] * v.x + m[1][1] * v.y + m[2][1] * v.z,
                m[0][2] * v.x + m[1][2] * v.y + m[2][2] * v.z};
    }

    // (this * b)(p) = this(b(p)).
    Affine operator*(const Affine& b) const {
        Affine r;
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                r.m[i][j] = m[i][0] * b.m[0][j] + m[i][1] * b.m[1][j] + m[i][2] * b.m[2][j];
            }
        }
        r.t = point(b.t);
        return r;
    }

    double determinant() const {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
               m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    }

    // The caller makes sure the transform is invertible (scene transforms are checked on entry).
    Affine inverse() const {
        const double d = 1.0 / determinant();
        Affine r;
        r.m[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) * d;
        r.m[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * d;
        r.m[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * d;
        r.m[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) * d;
        r.m[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * d;
        r.m[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * d;
        r.m[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) * d;
        r.m[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * d;
        r.m[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * d;
        r.t = -r.vector(t);
        return r;
    }
};

// A space seen from the renderer's internal space: both directions, so that normals can go
// through the inverse transpose.
struct SpaceTransform {
    Affine fromInternal;
    Affine toInternal;

    static SpaceTransform fromSpaceToInternal(const Affine& spaceToInternal) {
        return {spaceToInternal.inverse(), spaceToInternal};
    }
    Vec3 pointToSpace(const Vec3& p) const { return fromInternal.point(p); }
    Vec3 vectorToSpace(const Vec3& v) const { return fromInternal.vector(v); }
    Vec3 normalToSpace(const Vec3& n) const { return toInternal.transposedVector(n); }
    Vec3 pointToInternal(const Vec3& p) const { return toInternal.point(p); }
    Vec3 normalToInternal(const Vec3& n) const { return fromInternal.transposedVector(n); }
};
