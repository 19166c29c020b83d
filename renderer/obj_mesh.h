// Meshes from Wavefront OBJ files.
#pragma once

#include <string>

#include "scene.h"

// Every face of every shape in the file, triangulated, as one mesh in the file's own coordinates.
// Vertex normals and texture coordinates are kept when every corner has them. Throws
// std::runtime_error naming the file when it cannot be read, refers to data it does not have, or
// holds no face.
TriangleMesh loadObjMesh(const std::string& path);
