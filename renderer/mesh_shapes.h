// Meshes the built-in scene is made of, built in their own object space.
#pragma once

#include "scene.h"

// The square [-half, half] x [-half, half] in the y = 0 plane, facing +y.
TriangleMesh groundQuad(double half);

// The axis-aligned box with the given edge lengths, centred on the origin; flat faces.
TriangleMesh centredBox(const Vec3& size);

// A torus around the y axis: `major` from the centre to the middle of the tube, tube radius
// `minor`; smooth normals and (u around y, v around the tube) texture coordinates.
TriangleMesh torus(double major, double minor, uint32_t rings, uint32_t sides);
