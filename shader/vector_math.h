#pragma once
// Vector rules of the shader: lengths and dot products in double precision from
// single-precision components, everything stored in single precision.

#include <cmath>

#include "vantrel_host.h"

// |v| in double precision from single-precision components, unrounded: (x² + y²) + z². x and y
// are widened as a pair, one conversion instead of two, with the same values.
inline double lengthOf(const Vector& v) {
    using FloatPair = float __attribute__((vector_size(8)));
    using DoublePair = double __attribute__((vector_size(16)));
    const DoublePair xy = __builtin_convertvector(FloatPair{v.x, v.y}, DoublePair);
    const DoublePair squares = xy * xy;
    const double z = v.z;
    return std::sqrt(squares[0] + squares[1] + z * z);
}

// Scales v in place to unit length: the components are multiplied by the single-precision
// reciprocal of the single-precision length. A vector whose length is zero or not a number is
// left as it is.
inline void makeUnit(Vector& v) {
    const float length = float(lengthOf(v));
    if (!(length > 0.0f)) return;  // a root is never negative: this is zero or not a number
    const float reciprocal = 1.0f / length;
    v.x *= reciprocal;
    v.y *= reciprocal;
    v.z *= reciprocal;
}

// v scaled to unit length by the same rule.
inline Vector unit(Vector v) {
    makeUnit(v);
    return v;
}

// a · b in double precision from single-precision components, unrounded.
inline double dotOf(const Vector& a, const Vector& b) {
    return double(a.x) * double(b.x) + double(a.y) * double(b.y) + double(a.z) * double(b.z);
}

// Component-wise single-precision arithmetic.
inline Vector operator-(const Vector& a, const Vector& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector operator+(const Vector& a, const Vector& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector operator-(const Vector& a) { return {-a.x, -a.y, -a.z}; }
inline Vector operator*(const Vector& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
