// The built-in scene: shapes of known thickness (a sphere, a thin slab, a torus) over a ground
// plane, seen from above and in front. The dimensions are public so that a result can be checked
// against them.
#pragma once

#include "scene.h"

namespace default_scene {

// Object indices; a pixel's objectId channel is the index plus 1 (0: nothing was hit).
inline constexpr uint32_t kGround = 0;
inline constexpr uint32_t kSphere = 1;
inline constexpr uint32_t kSlab = 2;
inline constexpr uint32_t kTorus = 3;

inline constexpr double kGroundHalfSize = 8.0;  // the ground is the y = 0 plane, this far each way

// The sphere floats above the ground: a unit sphere scaled by its radius and turned, so that its
// object space and world space differ in origin, scale and orientation.
inline constexpr Vec3 kSphereCentre{-1.9, 1.45, 0.1};
inline constexpr double kSphereRadius = 0.9;
inline constexpr Vec3 kSphereTurnAxis{1.0, 2.0, 0.5};
inline constexpr double kSphereTurnDegrees = 35.0;

// The slab is a unit cube scaled to these edge lengths (thickness along its own y) and tilted
// about z: its object space is scaled unevenly, so normals and vectors transform differently.
inline constexpr Vec3 kSlabCentre{0.15, 0.75, 0.6};
inline constexpr Vec3 kSlabSize{1.7, 0.22, 1.3};
inline constexpr double kSlabTiltDegrees = 14.0;

// The torus has its tube flattened along its own axis (so that its object space is scaled
// unevenly, and its thickness varies round the tube) and stands tilted towards the camera, resting
// on the ground.
inline constexpr double kTorusMajorRadius = 0.8;
inline constexpr double kTorusMinorRadius = 0.3;
inline constexpr double kTorusFlattening = 0.65;   // scale along the torus's own axis
inline constexpr double kTorusTiltDegrees = 60.0;  // about x, from lying flat
inline constexpr double kTorusX = 2.0;
inline constexpr double kTorusZ = -0.4;

inline constexpr Vec3 kCameraEye{0.0, 3.6, 7.2};
inline constexpr Vec3 kCameraTarget{0.1, 0.7, 0.0};
inline constexpr double kCameraFovDegrees = 36.0;

inline constexpr Vec3 kLightPosition{-4.0, 7.0, 5.0};

// Edge length of the cube an OBJ mesh is fitted into, resting on the ground at the origin.
inline constexpr double kFittedMeshSize = 2.0;

// The object transforms, for checks against world and object space.
Affine sphereToWorld();
Affine slabToWorld();
Affine torusToWorld();  // its centre is as high as resting on the ground needs

}  // namespace default_scene

// The built-in scene.
Scene defaultScene();

// The built-in ground, camera and light with `mesh` in place of the built-in shapes, scaled
// uniformly and moved so that its largest extent is kFittedMeshSize, centred over the origin and
// resting on the ground. Throws std::runtime_error for a mesh without extent.
Scene sceneWithMesh(TriangleMesh mesh, const Color& color);
