// End to end: the renderer loads the built plug-in, renders the built-in scene, and the EXR holds
// the answers the scene's geometry and transforms dictate.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "default_scene.h"
#include "exr_image.h"
#include "renderer_process.h"

namespace {

using namespace default_scene;

constexpr double kDistanceTolerance = 1e-4;
constexpr double kDirectionTolerance = 1e-4;

// Renders at a small size with the given extra arguments; fails the test if the renderer does.
std::unique_ptr<ExrImage> render(const ScratchFolder& scratch, const std::string& name,
                                 std::vector<std::string> arguments) {
    const std::vector<std::string> common = {"--width",  "200",
                                             "--height", "125",
                                             "--exr",    scratch.file(name + ".exr"),
                                             "--png",    scratch.file(name + ".png")};
    arguments.insert(arguments.begin(), common.begin(), common.end());
    const RendererRun run = runRenderer(scratch, arguments);
    EXPECT_TRUE(run.exited && run.exitCode == 0) << run.errors;
    return std::make_unique<ExrImage>(scratch.file(name + ".exr"));
}

void expectNear(const Vec3& actual, const Vec3& expected, double tolerance, std::size_t pixel) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << "pixel " << pixel;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << "pixel " << pixel;
    EXPECT_NEAR(actual.z, expected.z, tolerance) << "pixel " << pixel;
}

// The scene's default settings: inward probe, world-space output.
class BuiltInScene : public ::testing::Test {
   protected:
    static void SetUpTestSuite() {
        scratch = new ScratchFolder();
        world = render(*scratch, "world", {}).release();
    }
    static void TearDownTestSuite() {
        delete world;
        delete scratch;
    }
    static inline ScratchFolder* scratch = nullptr;
    static inline ExrImage* world = nullptr;
};

TEST_F(BuiltInScene, SphereThicknessAlongTheInwardNormalIsItsDiameter) {
    const std::vector<std::size_t> pixels = world->pixelsOf(kSphere);
    ASSERT_GT(pixels.size(), 500u);
    for (std::size_t p : pixels) {
        EXPECT_NEAR(world->value("backDistance", p), 2.0 * kSphereRadius, kDistanceTolerance) << p;
        EXPECT_EQ(world->value("frontDistance", p), 0.0f) << p;
        EXPECT_NEAR(world->value("signedDistance", p), -2.0 * kSphereRadius, kDistanceTolerance)
            << p;
    }
}

TEST_F(BuiltInScene, SlabFacesGiveTheSlabsExtentAcrossThem) {
    const Affine worldToSlab = slabToWorld().inverse();
    struct Face {
        const char* name;
        double Vec3::*axis;
        double size;
    };
    const Face faces[] = {{"top", &Vec3::y, kSlabSize.y}, {"front", &Vec3::z, kSlabSize.z}};
    for (const Face& face : faces) {
        std::size_t seen = 0;
        for (std::size_t p : world->pixelsOf(kSlab)) {
            const Vec3 local = worldToSlab.point(world->vector("position", p));
            if (std::abs(local.*face.axis - 0.5) > 1e-4) continue;  // a face of the unit cube
            ++seen;
            EXPECT_NEAR(world->value("backDistance", p), face.size, kDistanceTolerance)
                << face.name << " face, pixel " << p;
        }
        EXPECT_GT(seen, 100u) << face.name;
    }
}

TEST_F(BuiltInScene, WorldSpaceHitsFollowTheSpheresTransform) {
    const Affine worldToSphere = sphereToWorld().inverse();
    const Affine sphereToWorldAffine = sphereToWorld();
    for (std::size_t p : world->pixelsOf(kSphere)) {
        const Vec3 hitPoint = world->vector("hitPoint", p);
        const Vec3 outward = (hitPoint - kSphereCentre) * (1.0 / kSphereRadius);
        EXPECT_NEAR(length(hitPoint - kSphereCentre), kSphereRadius, kDistanceTolerance) << p;
        expectNear(world->vector("hitVector", p), hitPoint - world->vector("position", p),
                   kDistanceTolerance, p);
        expectNear(world->vector("hitNormal", p), outward, kDirectionTolerance, p);

        // u runs around the sphere's own y axis and v from its +y pole to its -y pole.
        const Vec3 q = normalized(worldToSphere.point(hitPoint));
        const double theta = std::acos(q.y), phi = std::atan2(q.z, q.x);
        if (std::sin(theta) < 0.05) continue;  // near a pole the direction along u is unstable
        const Vec3 alongU =
            normalized(sphereToWorldAffine.vector({-std::sin(phi), 0, std::cos(phi)}));
        const Vec3 alongV = normalized(sphereToWorldAffine.vector(
            {std::cos(theta) * std::cos(phi), -std::sin(theta), std::cos(theta) * std::sin(phi)}));
        expectNear(world->vector("hitDerivU", p), alongU, 1e-3, p);
        expectNear(world->vector("hitDerivV", p), alongV, 1e-3, p);
    }
}

TEST_F(BuiltInScene, ObjectCameraAndLightSpacesAgreeWithWorldSpace) {
    struct Space {
        const char* outputSpace;
        uint32_t object;  // whose pixels are checked
        Affine worldToSpace;
    };
    // Object space is that of the object the probe started on; the slab's and the torus's are
    // scaled unevenly, so their normals must go through the inverse transpose.
    const Space spaces[] = {
        {"1", kSphere, sphereToWorld().inverse()},
        {"1", kSlab, slabToWorld().inverse()},
        {"1", kTorus, torusToWorld().inverse()},
        {"3", kSphere, Affine::lookAt(kCameraEye, kCameraTarget, {0, 1, 0}).inverse()},
        {"5", kSlab, Affine::lookAt(kLightPosition, {0, 0, 0}, {0, 1, 0}).inverse()},
    };
    for (const Space& space : spaces) {
        SCOPED_TRACE(std::string("outputSpace ") + space.outputSpace + ", object " +
                     std::to_string(space.object));
        const auto image = render(*scratch, std::string("space") + space.outputSpace,
                                  {"--set", std::string("outputSpace=") + space.outputSpace});
        const Affine& m = space.worldToSpace;
        const Affine spaceToWorld = m.inverse();
        const std::vector<std::size_t> pixels = world->pixelsOf(space.object);
        ASSERT_GT(pixels.size(), 100u);
        for (std::size_t p : pixels) {
            expectNear(image->vector("hitPoint", p), m.point(world->vector("hitPoint", p)), 1e-3,
                       p);
            expectNear(image->vector("hitVector", p), m.vector(world->vector("hitVector", p)), 1e-3,
                       p);
            expectNear(image->vector("hitNormal", p),
                       normalized(spaceToWorld.transposedVector(world->vector("hitNormal", p))),
                       1e-3, p);
            expectNear(image->vector("hitDerivU", p),
                       normalized(m.vector(world->vector("hitDerivU", p))), 1e-3, p);
        }
    }
}

TEST_F(BuiltInScene, ARayLeavingTheSphereWithoutOffsetPassesThroughIt) {
    // With startOffset 0 the sphere, a single primitive, stays the current primitive and cannot be
    // hit: the inward ray goes on through its centre to the ground.
    const auto image = render(*scratch, "noOffset", {"--set", "startOffset=0"});
    std::size_t steep = 0;
    for (std::size_t p : image->pixelsOf(kSphere)) {
        const Vec3 start = image->vector("position", p);
        const Vec3 inward = normalized(kSphereCentre - start);
        if (inward.y > -0.5) continue;  // shallow rays may meet other shapes on the way
        ++steep;
        EXPECT_NEAR(image->value("backDistance", p), start.y / -inward.y, 1e-3) << p;
        EXPECT_NEAR(image->value("hitPoint.Y", p), 0.0, 1e-4) << p;
    }
    EXPECT_GT(steep, 100u);
}

TEST_F(BuiltInScene, GroundProbedUpwardsMeetsTheSphereAboveIt) {
    const auto image = render(*scratch, "up", {"--set", "traceFront=1", "--set", "traceBack=0"});
    std::size_t below = 0;
    for (std::size_t p : image->pixelsOf(kGround)) {
        const Vec3 ground = image->vector("position", p);
        const double dx = ground.x - kSphereCentre.x, dz = ground.z - kSphereCentre.z;
        const double across = dx * dx + dz * dz;
        if (across > 0.9 * kSphereRadius * kSphereRadius) continue;
        ++below;
        const double sphereBottom =
            kSphereCentre.y - std::sqrt(kSphereRadius * kSphereRadius - across);
        EXPECT_NEAR(image->value("frontDistance", p), sphereBottom - ground.y, kDistanceTolerance)
            << p;
        EXPECT_EQ(image->value("backDistance", p), 0.0f) << p;
    }
    EXPECT_GT(below, 50u);
}

TEST_F(BuiltInScene, ConnectedRangeIsEvaluatedAtEverySample) {
    // backRange from 0.5 at world x = -3 to 2.5 at x = 3, read where each camera ray hit.
    const auto image =
        render(*scratch, "connected",
               {"--set", "normalizeDistances=1", "--connect", "backRange=gradient:x:-3:3:0.5:2.5"});
    float smallest = INFINITY, largest = 0.0f;
    for (std::size_t p : image->pixelsOf(kSphere)) {
        const double range = 0.5 + 2.0 * (image->value("position.X", p) + 3.0) / 6.0;
        const float back = image->value("backDistance", p);
        EXPECT_NEAR(back, 2.0 * kSphereRadius / range, 1e-4) << p;
        EXPECT_NEAR(image->value("signedDistance", p), -2.0 * kSphereRadius / range + 0.5, 1e-4)
            << p;
        smallest = std::min(smallest, back);
        largest = std::max(largest, back);
    }
    EXPECT_GT(largest - smallest, 1.0f) << "the connected range should vary across the sphere";
}

TEST(ObjMesh, IsFittedOntoTheGroundAndKeepsItsOwnObjectSpace) {
    ScratchFolder scratch;
    // A cube of edge 0.5 around (5, 5, 5): fitted, it becomes a cube of edge 2 on the ground.
    std::string obj;
    for (int i = 0; i < 8; ++i) {
        obj += "v " + std::to_string(i & 1 ? 5.25 : 4.75) + " " +
               std::to_string(i & 2 ? 5.25 : 4.75) + " " + std::to_string(i & 4 ? 5.25 : 4.75) +
               "\n";
    }
    obj += "f 1 3 4 2\nf 5 6 8 7\nf 1 2 6 5\nf 3 7 8 4\nf 1 5 7 3\nf 2 4 8 6\n";
    const std::string path = scratch.write("cube.obj", obj);
    const auto world = render(scratch, "cube", {"--obj", path});
    const auto object = render(scratch, "cubeObject", {"--obj", path, "--set", "outputSpace=1"});
    std::size_t top = 0;
    for (std::size_t p : world->pixelsOf(1)) {
        if (std::abs(world->value("position.Y", p) - kFittedMeshSize) > 1e-4) continue;
        ++top;
        EXPECT_NEAR(world->value("backDistance", p), kFittedMeshSize, kDistanceTolerance) << p;
        EXPECT_NEAR(world->value("hitPoint.Y", p), 0.0, kDistanceTolerance) << p;
        EXPECT_NEAR(object->value("hitPoint.Y", p), 4.75, kDistanceTolerance) << p;
    }
    EXPECT_GT(top, 100u);
}

}  // namespace
