// Small shaders a parameter can be connected to. Each gives a number at the render state's point,
// taken in world space; the renderer writes it as a value of the parameter's type.
//
//   gradient:AXIS:C0:C1:V0:V1  V0 where the world coordinate AXIS (x, y or z) is C0, V1 where it
//                              is C1, linear in between and held beyond
//   checker:SIZE:V0:V1         a 3D checkerboard of cubes of edge SIZE: V0 on the cube that has
//                              the origin as its lowest corner, V1 on its neighbours
#pragma once

#include <string>
#include <string_view>

#include "affine.h"

struct BuiltinShader {
    enum class Kind { Gradient, Checker } kind = Kind::Gradient;
    int axis = 0;                      // gradient: 0 x, 1 y, 2 z
    double from = 0.0, to = 1.0;       // gradient: the coordinates of V0 and V1
    double cell = 1.0;                 // checker: edge of a cube
    double first = 0.0, second = 1.0;  // V0 and V1

    double valueAt(const Vec3& worldPoint) const;
};

// Throws ParameterError (parameter_values.h) when the text is not one of the forms above.
BuiltinShader parseBuiltinShader(std::string_view text);
