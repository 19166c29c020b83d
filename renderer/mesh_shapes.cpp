#include "mesh_shapes.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

TriangleMesh groundQuad(double half) {
    TriangleMesh mesh;
    mesh.positions = {{-half, 0, half}, {half, 0, half}, {half, 0, -half}, {-half, 0, -half}};
    mesh.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    mesh.triangles = {{0, 1, 2}, {0, 2, 3}};
    return mesh;
}

TriangleMesh centredBox(const Vec3& size) {
    const Vec3 h = size * 0.5;
    TriangleMesh mesh;
    // Each face gets its own four corners, counter-clockwise seen from outside, so that the faces
    // stay flat and their geometric normals point out.
    auto face = [&](Vec3 centre, Vec3 du, Vec3 dv) {
        const auto base = uint32_t(mesh.positions.size());
        mesh.positions.push_back(centre - du - dv);
        mesh.positions.push_back(centre + du - dv);
        mesh.positions.push_back(centre + du + dv);
        mesh.positions.push_back(centre - du + dv);
        mesh.triangles.push_back({base, base + 1, base + 2});
        mesh.triangles.push_back({base, base + 2, base + 3});
    };
    face({h.x, 0, 0}, {0, 0, -h.z}, {0, h.y, 0});
    face({-h.x, 0, 0}, {0, 0, h.z}, {0, h.y, 0});
    face({0, h.y, 0}, {h.x, 0, 0}, {0, 0, -h.z});
    face({0, -h.y, 0}, {h.x, 0, 0}, {0, 0, h.z});
    face({0, 0, h.z}, {h.x, 0, 0}, {0, h.y, 0});
    face({0, 0, -h.z}, {-h.x, 0, 0}, {0, h.y, 0});
    return mesh;
}

TriangleMesh torus(double major, double minor, uint32_t rings, uint32_t sides) {
    TriangleMesh mesh;
    for (uint32_t i = 0; i <= rings; ++i) {
        const double u = double(i) / rings;
        const double phi = 2.0 * kPi * u;
        const Vec3 radial{std::cos(phi), 0.0, -std::sin(phi)};
        for (uint32_t j = 0; j <= sides; ++j) {
            const double v = double(j) / sides;
            const double theta = 2.0 * kPi * v;
            const Vec3 normal = radial * std::cos(theta) + Vec3{0.0, std::sin(theta), 0.0};
            mesh.positions.push_back(radial * major + normal * minor);
            mesh.normals.push_back(normal);
            mesh.uvs.push_back({u, v});
        }
    }
    const uint32_t stride = sides + 1;
    for (uint32_t i = 0; i < rings; ++i) {
        for (uint32_t j = 0; j < sides; ++j) {
            const uint32_t a = i * stride + j, b = (i + 1) * stride + j;
            mesh.triangles.push_back({a, b, b + 1});
            mesh.triangles.push_back({a, b + 1, a + 1});
        }
    }
    return mesh;
}
