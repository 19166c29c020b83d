// What the renderer draws: objects with their own transforms, a camera and a light, all placed in
// world space. The renderer's internal space is the camera's space (see render_spaces.h).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "affine.h"
#include "vantrel_host.h"

// Triangles in object space. Vertex normals and texture coordinates are optional: without normals
// the geometric normal shades, without texture coordinates the derivatives follow the triangle's
// edges.
struct TriangleMesh {
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;               // empty, or one per position
    std::vector<std::array<double, 2>> uvs;  // empty, or one per position
    std::vector<std::array<uint32_t, 3>> triangles;
};

// The sphere of radius 1 around the object-space origin; its object transform must keep it a
// sphere (rotation, uniform scale, translation). u runs around the object's y axis, v from +y to
// -y.
struct UnitSphere {};

struct SceneObject {
    std::string name;
    Affine objectToWorld;
    Color color;  // what a trace that hits the object reports
    std::variant<UnitSphere, TriangleMesh> shape;
};

struct Camera {
    Affine cameraToWorld;  // the camera looks down its -z axis with +y up
    double verticalFovDegrees = 40.0;
};

struct Scene {
    std::vector<SceneObject> objects;
    Camera camera;
    Affine lightToWorld;  // the key light's frame: the space that light-space output refers to
};
