#include "default_scene.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "mesh_shapes.h"

namespace default_scene {

Affine sphereToWorld() {
    return Affine::translation(kSphereCentre) *
           Affine::rotation(kSphereTurnAxis, kSphereTurnDegrees) * Affine::scaling(kSphereRadius);
}

Affine slabToWorld() {
    return Affine::translation(kSlabCentre) * Affine::rotation({0, 0, 1}, kSlabTiltDegrees) *
           Affine::scaling(kSlabSize);
}

Affine torusToWorld() {
    const Affine shape = Affine::rotation({1, 0, 0}, kTorusTiltDegrees) *
                         Affine::scaling({1.0, kTorusFlattening, 1.0});
    // The lowest point of the turned torus: on the ring's lowest side, where the tube's ellipse
    // reaches furthest down.
    const double tilt = kTorusTiltDegrees * 3.14159265358979323846 / 180.0;
    const double alongAxis = kTorusFlattening * kTorusMinorRadius * std::cos(tilt);
    const double acrossAxis = kTorusMinorRadius * std::sin(tilt);
    const double lowest = std::sqrt(alongAxis * alongAxis + acrossAxis * acrossAxis) +
                          kTorusMajorRadius * std::sin(tilt);
    return Affine::translation({kTorusX, lowest, kTorusZ}) * shape;
}

}  // namespace default_scene

namespace {

using namespace default_scene;

Scene groundCameraAndLight() {
    Scene scene;
    scene.objects.push_back(
        {"ground", Affine{}, Color{0.55f, 0.55f, 0.5f, 1.0f}, groundQuad(kGroundHalfSize)});
    scene.camera.cameraToWorld = Affine::lookAt(kCameraEye, kCameraTarget, {0, 1, 0});
    scene.camera.verticalFovDegrees = kCameraFovDegrees;
    scene.lightToWorld = Affine::lookAt(kLightPosition, {0, 0, 0}, {0, 1, 0});
    return scene;
}

}  // namespace

Scene defaultScene() {
    Scene scene = groundCameraAndLight();
    scene.objects.push_back(
        {"sphere", sphereToWorld(), Color{0.85f, 0.25f, 0.2f, 1.0f}, UnitSphere{}});
    scene.objects.push_back(
        {"slab", slabToWorld(), Color{0.2f, 0.45f, 0.85f, 1.0f}, centredBox({1, 1, 1})});
    scene.objects.push_back({"torus", torusToWorld(), Color{0.9f, 0.75f, 0.2f, 1.0f},
                             torus(kTorusMajorRadius, kTorusMinorRadius, 96, 48)});
    return scene;
}

Scene sceneWithMesh(TriangleMesh mesh, const Color& color) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    Vec3 low{inf, inf, inf}, high{-inf, -inf, -inf};
    for (const Vec3& p : mesh.positions) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    const Vec3 extent = high - low;
    const double largest = std::max({extent.x, extent.y, extent.z});
    if (!(largest > 0.0) || !isFinite(extent)) {
        throw std::runtime_error("its mesh has no extent to fit into the scene");
    }
    const double scale = kFittedMeshSize / largest;
    const Vec3 bottomCentre{(low.x + high.x) * 0.5, low.y, (low.z + high.z) * 0.5};
    const Affine fit = Affine::scaling(scale) * Affine::translation(-bottomCentre);

    Scene scene = groundCameraAndLight();
    scene.objects.push_back({"mesh", fit, color, std::move(mesh)});
    return scene;
}
