#include "ray_tracer.h"

#include <embree3/rtcore.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct MeshData {
    std::vector<Vec3> positions;  // internal space
    std::vector<Vec3> normals;    // internal space, empty without vertex normals
    std::vector<std::array<double, 2>> uvs;
    std::vector<std::array<uint32_t, 3>> triangles;
};

struct SphereData {
    Vec3 centre;  // internal space
    double radius;
    SpaceTransform objectSpace;  // object space against internal space
};

// The context Embree hands back to the filters: it knows which primitive the ray may not hit.
struct TraceContext {
    RTCIntersectContext embree;  // first, so that Embree's pointer converts back
    const PrimitiveId* excluded;
};

bool isExcluded(const RTCIntersectContext* context, unsigned geomID, unsigned primID) {
    const PrimitiveId* excluded = reinterpret_cast<const TraceContext*>(context)->excluded;
    return excluded != nullptr && excluded->object == geomID && excluded->primitive == primID;
}

// Runs for every triangle hit Embree finds; rejecting one lets the ray go on past it.
void excludeCurrentPrimitive(const RTCFilterFunctionNArguments* args) {
    for (unsigned i = 0; i < args->N; ++i) {
        if (args->valid[i] == 0) continue;
        const unsigned geomID = RTCHitN_geomID(args->hit, args->N, i);
        const unsigned primID = RTCHitN_primID(args->hit, args->N, i);
        if (isExcluded(args->context, geomID, primID)) args->valid[i] = 0;
    }
}

void sphereBounds(const RTCBoundsFunctionArguments* args) {
    const auto* s = static_cast<const SphereData*>(args->geometryUserPtr);
    args->bounds_o->lower_x = float(s->centre.x - s->radius);
    args->bounds_o->lower_y = float(s->centre.y - s->radius);
    args->bounds_o->lower_z = float(s->centre.z - s->radius);
    args->bounds_o->upper_x = float(s->centre.x + s->radius);
    args->bounds_o->upper_y = float(s->centre.y + s->radius);
    args->bounds_o->upper_z = float(s->centre.z + s->radius);
}

// The analytic sphere: the nearer root in the ray's range, else the farther one (a ray from
// inside). A sphere is a single primitive, so excluding it lets the ray pass through it.
void sphereIntersect(const RTCIntersectFunctionNArguments* args) {
    if (args->N != 1 || args->valid[0] == 0) return;
    if (isExcluded(args->context, args->geomID, 0)) return;
    const auto* s = static_cast<const SphereData*>(args->geometryUserPtr);
    auto* rayhit = reinterpret_cast<RTCRayHit*>(args->rayhit);
    RTCRay& ray = rayhit->ray;
    const Vec3 d{ray.dir_x, ray.dir_y, ray.dir_z};
    const Vec3 oc = Vec3{ray.org_x, ray.org_y, ray.org_z} - s->centre;
    const double a = dot(d, d);
    const double b = dot(oc, d);
    const double c = dot(oc, oc) - s->radius * s->radius;
    const double discriminant = b * b - a * c;
    if (!(discriminant >= 0.0) || !(a > 0.0)) return;
    const double root = std::sqrt(discriminant);
    double t = (-b - root) / a;
    if (!(t > ray.tnear)) t = (-b + root) / a;
    if (!(t > ray.tnear) || !(t < ray.tfar)) return;

    ray.tfar = float(t);
    const Vec3 n = oc + d * t;
    rayhit->hit.Ng_x = float(n.x);
    rayhit->hit.Ng_y = float(n.y);
    rayhit->hit.Ng_z = float(n.z);
    rayhit->hit.u = 0.0f;
    rayhit->hit.v = 0.0f;
    rayhit->hit.primID = 0;
    rayhit->hit.geomID = args->geomID;
    rayhit->hit.instID[0] = args->context->instID[0];
}

// Derivatives from texture coordinates, or along the triangle's edges when it has none (or they
// are degenerate).
void triangleDerivatives(const MeshData& mesh, const std::array<uint32_t, 3>& tri,
                         SurfaceHit& hit) {
    const Vec3 e1 = mesh.positions[tri[1]] - mesh.positions[tri[0]];
    const Vec3 e2 = mesh.positions[tri[2]] - mesh.positions[tri[0]];
    hit.dPdu = e1;
    hit.dPdv = e2;
    if (mesh.uvs.empty()) return;
    const auto& t0 = mesh.uvs[tri[0]];
    const auto& t1 = mesh.uvs[tri[1]];
    const auto& t2 = mesh.uvs[tri[2]];
    const double du1 = t1[0] - t0[0], dv1 = t1[1] - t0[1];
    const double du2 = t2[0] - t0[0], dv2 = t2[1] - t0[1];
    const double det = du1 * dv2 - dv1 * du2;
    if (std::abs(det) < 1e-12) return;
    hit.dPdu = (e1 * dv2 - e2 * dv1) * (1.0 / det);
    hit.dPdv = (e2 * du1 - e1 * du2) * (1.0 / det);
}

}  // namespace

struct RayTracer::Impl {
    RTCDevice device = nullptr;
    RTCScene scene = nullptr;
    std::vector<MeshData> meshes;                        // by object; empty for spheres
    std::vector<std::unique_ptr<SphereData>> spheres;    // by object; null for meshes
    std::vector<std::vector<PrimitiveId>> primitiveIds;  // by object, then primitive

    ~Impl() {
        if (scene) rtcReleaseScene(scene);
        if (device) rtcReleaseDevice(device);
    }

    void addMesh(uint32_t object, const TriangleMesh& mesh, const Affine& objectToInternal) {
        const SpaceTransform space = SpaceTransform::fromSpaceToInternal(objectToInternal);
        MeshData& data = meshes[object];
        for (const Vec3& p : mesh.positions) data.positions.push_back(space.pointToInternal(p));
        for (const Vec3& n : mesh.normals)
            data.normals.push_back(normalized(space.normalToInternal(n)));
        data.uvs = mesh.uvs;
        data.triangles = mesh.triangles;
        for (const auto& tri : mesh.triangles) {
            for (uint32_t index : tri) {
                if (index >= mesh.positions.size()) {
                    throw std::runtime_error(
                        "a triangle refers to a vertex the mesh does not have");
                }
            }
        }

        RTCGeometry geometry = rtcNewGeometry(device, RTC_GEOMETRY_TYPE_TRIANGLE);
        auto* vertices = static_cast<float*>(
            rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT3,
                                    3 * sizeof(float), data.positions.size()));
        for (std::size_t i = 0; i < data.positions.size(); ++i) {
            vertices[3 * i] = float(data.positions[i].x);
            vertices[3 * i + 1] = float(data.positions[i].y);
            vertices[3 * i + 2] = float(data.positions[i].z);
        }
        auto* indices = static_cast<uint32_t*>(
            rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3,
                                    3 * sizeof(uint32_t), data.triangles.size()));
        for (std::size_t i = 0; i < data.triangles.size(); ++i) {
            std::copy(data.triangles[i].begin(), data.triangles[i].end(), indices + 3 * i);
        }
        attach(geometry, object, uint32_t(data.triangles.size()));
    }

    void addSphere(uint32_t object, const std::string& name, const Affine& objectToInternal) {
        // Round only if the linear part is a rotation times a uniform scale.
        const Vec3 ex = objectToInternal.vector({1, 0, 0});
        const Vec3 ey = objectToInternal.vector({0, 1, 0});
        const Vec3 ez = objectToInternal.vector({0, 0, 1});
        const double radius = length(ex);
        const double tolerance = 1e-9 * radius;
        if (!(radius > 0.0) || std::abs(length(ey) - radius) > tolerance ||
            std::abs(length(ez) - radius) > tolerance ||
            std::abs(dot(ex, ey)) > tolerance * radius ||
            std::abs(dot(ex, ez)) > tolerance * radius ||
            std::abs(dot(ey, ez)) > tolerance * radius) {
            throw std::runtime_error("object '" + name +
                                     "': a sphere's transform must keep it round");
        }
        spheres[object] = std::make_unique<SphereData>(SphereData{
            objectToInternal.t, radius, SpaceTransform::fromSpaceToInternal(objectToInternal)});

        RTCGeometry geometry = rtcNewGeometry(device, RTC_GEOMETRY_TYPE_USER);
        rtcSetGeometryUserPrimitiveCount(geometry, 1);
        rtcSetGeometryUserData(geometry, spheres[object].get());
        rtcSetGeometryBoundsFunction(geometry, sphereBounds, nullptr);
        rtcSetGeometryIntersectFunction(geometry, sphereIntersect);
        attach(geometry, object, 1);
    }

    void attach(RTCGeometry geometry, uint32_t object, uint32_t primitiveCount) {
        rtcCommitGeometry(geometry);
        rtcAttachGeometryByID(scene, geometry, object);
        rtcReleaseGeometry(geometry);
        std::vector<PrimitiveId>& ids = primitiveIds[object];
        ids.reserve(primitiveCount);
        for (uint32_t p = 0; p < primitiveCount; ++p) ids.push_back({object, p});
    }

    SurfaceHit triangleHit(const RTCRayHit& rayhit, const Vec3& origin) const {
        const MeshData& mesh = meshes[rayhit.hit.geomID];
        const auto& tri = mesh.triangles[rayhit.hit.primID];
        const double u = rayhit.hit.u, v = rayhit.hit.v, w = 1.0 - u - v;
        SurfaceHit hit{};
        hit.point =
            mesh.positions[tri[0]] * w + mesh.positions[tri[1]] * u + mesh.positions[tri[2]] * v;
        hit.geometricNormal = normalized(cross(mesh.positions[tri[1]] - mesh.positions[tri[0]],
                                               mesh.positions[tri[2]] - mesh.positions[tri[0]]));
        hit.normal = hit.geometricNormal;
        if (!mesh.normals.empty()) {
            const Vec3 smooth = normalized(mesh.normals[tri[0]] * w + mesh.normals[tri[1]] * u +
                                           mesh.normals[tri[2]] * v);
            if (length(smooth) > 0.0) hit.normal = smooth;
            // The geometric normal goes to the side the mesh's own normals are on.
            if (dot(hit.geometricNormal, hit.normal) < 0.0)
                hit.geometricNormal = -hit.geometricNormal;
        }
        triangleDerivatives(mesh, tri, hit);
        hit.distance = length(hit.point - origin);
        return hit;
    }

    SurfaceHit sphereHit(const RTCRayHit& rayhit, const Vec3& origin, const Vec3& direction) const {
        const SphereData& s = *spheres[rayhit.hit.geomID];
        const Vec3 onRay = origin + direction * double(rayhit.ray.tfar);
        SurfaceHit hit{};
        hit.normal = normalized(onRay - s.centre);
        hit.geometricNormal = hit.normal;
        hit.point = s.centre + hit.normal * s.radius;  // exactly on the sphere
        // The unit sphere in object space: q = (sin v' cos u', cos v', sin v' sin u') with
        // u' = 2 pi u and v' = pi v.
        const Vec3 q = normalized(s.objectSpace.pointToSpace(hit.point));
        const double theta = std::acos(std::clamp(q.y, -1.0, 1.0));
        const double phi = std::atan2(q.z, q.x);
        const Vec3 dqdu =
            Vec3{-std::sin(theta) * std::sin(phi), 0.0, std::sin(theta) * std::cos(phi)} *
            (2.0 * kPi);
        const Vec3 dqdv = Vec3{std::cos(theta) * std::cos(phi), -std::sin(theta),
                               std::cos(theta) * std::sin(phi)} *
                          kPi;
        hit.dPdu = s.objectSpace.toInternal.vector(dqdu);
        hit.dPdv = s.objectSpace.toInternal.vector(dqdv);
        hit.distance = length(hit.point - origin);
        return hit;
    }
};

RayTracer::RayTracer(const Scene& scene, const Affine& worldToInternal)
    : impl_(std::make_unique<Impl>()) {
    Impl& m = *impl_;
    m.device = rtcNewDevice(nullptr);
    if (!m.device) throw std::runtime_error("Embree could not start a device");
    m.scene = rtcNewScene(m.device);
    rtcSetSceneFlags(m.scene, RTC_SCENE_FLAG_CONTEXT_FILTER_FUNCTION);
    rtcSetSceneBuildQuality(m.scene, RTC_BUILD_QUALITY_HIGH);
    m.meshes.resize(scene.objects.size());
    m.spheres.resize(scene.objects.size());
    m.primitiveIds.resize(scene.objects.size());
    for (uint32_t i = 0; i < uint32_t(scene.objects.size()); ++i) {
        const SceneObject& object = scene.objects[i];
        const Affine objectToInternal = worldToInternal * object.objectToWorld;
        if (!(std::abs(objectToInternal.determinant()) > 0.0)) {
            throw std::runtime_error("object '" + object.name +
                                     "' has a transform that flattens it");
        }
        if (const auto* mesh = std::get_if<TriangleMesh>(&object.shape)) {
            m.addMesh(i, *mesh, objectToInternal);
        } else {
            m.addSphere(i, object.name, objectToInternal);
        }
    }
    rtcCommitScene(m.scene);
    if (rtcGetDeviceError(m.device) != RTC_ERROR_NONE) {
        throw std::runtime_error("Embree could not build the scene");
    }
}

RayTracer::~RayTracer() = default;

std::optional<SurfaceHit> RayTracer::trace(const Vec3& origin, const Vec3& unitDirection,
                                           const PrimitiveId* excluded) const {
    TraceContext context;
    rtcInitIntersectContext(&context.embree);
    context.embree.filter = excludeCurrentPrimitive;
    context.excluded = excluded;

    RTCRayHit rayhit{};
    rayhit.ray.org_x = float(origin.x);
    rayhit.ray.org_y = float(origin.y);
    rayhit.ray.org_z = float(origin.z);
    rayhit.ray.dir_x = float(unitDirection.x);
    rayhit.ray.dir_y = float(unitDirection.y);
    rayhit.ray.dir_z = float(unitDirection.z);
    rayhit.ray.tnear = 0.0f;
    rayhit.ray.tfar = std::numeric_limits<float>::infinity();
    rayhit.ray.mask = 0xFFFFFFFFu;
    rayhit.hit.geomID = RTC_INVALID_GEOMETRY_ID;
    rayhit.hit.instID[0] = RTC_INVALID_GEOMETRY_ID;
    rtcIntersect1(impl_->scene, &context.embree, &rayhit);
    if (rayhit.hit.geomID == RTC_INVALID_GEOMETRY_ID) return std::nullopt;

    // Embree saw the ray with single-precision origin and direction; measure from those too.
    const Vec3 rayOrigin{rayhit.ray.org_x, rayhit.ray.org_y, rayhit.ray.org_z};
    const Vec3 rayDirection{rayhit.ray.dir_x, rayhit.ray.dir_y, rayhit.ray.dir_z};
    SurfaceHit hit = impl_->spheres[rayhit.hit.geomID]
                         ? impl_->sphereHit(rayhit, rayOrigin, rayDirection)
                         : impl_->triangleHit(rayhit, rayOrigin);
    hit.primitive = &impl_->primitiveIds[rayhit.hit.geomID][rayhit.hit.primID];
    if (!(hit.distance > 0.0)) return std::nullopt;
    return hit;
}
