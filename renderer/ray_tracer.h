// Ray casting through the scene with Embree, in the renderer's internal space.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "affine.h"
#include "scene.h"

// One primitive of the scene: a triangle of a mesh, or a whole sphere. The render state's
// current-primitive handle points at one of these; they live as long as the tracer.
struct PrimitiveId {
    uint32_t object;
    uint32_t primitive;
};

// What a ray hit, in internal space.
struct SurfaceHit {
    double distance;       // from the ray's origin to `point`
    Vec3 point;            // on the surface
    Vec3 normal;           // unit shading normal, facing the way the surface's own normal does
    Vec3 geometricNormal;  // unit normal of the primitive, on the same side as `normal`
    Vec3 dPdu, dPdv;       // first derivatives of the surface's parametrisation
    const PrimitiveId* primitive;
};

class RayTracer {
   public:
    // Builds the acceleration structure with every object in internal space. Throws
    // std::runtime_error when Embree cannot start or a sphere's transform does not keep it round.
    RayTracer(const Scene& scene, const Affine& worldToInternal);
    ~RayTracer();
    RayTracer(const RayTracer&) = delete;
    RayTracer& operator=(const RayTracer&) = delete;

    // The nearest hit along the ray at a distance above 0. `excluded`, unless null, cannot be hit:
    // that is how a ray leaving a surface avoids hitting it again at once. Safe to call from any
    // number of threads.
    std::optional<SurfaceHit> trace(const Vec3& origin, const Vec3& unitDirection,
                                    const PrimitiveId* excluded) const;

    struct Impl;

   private:
    std::unique_ptr<Impl> impl_;
};
