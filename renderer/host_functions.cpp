// The host functions the shader calls. The executable exports them, so that a plug-in without the
// binding layer has the dynamic loader bind them from this process, and one with it finds them in
// the module the renderer hands over (dlopen(nullptr)).
#include <cstring>

#include "affine.h"
#include "parameter_values.h"
#include "render_states.h"
#include "vantrel_host.h"

// Everything else in the executable stays hidden.
#define HOST_EXPORT __attribute__((visibility("default")))

namespace {

using Convert = Vec3 (SpaceTransform::*)(const Vec3&) const;

// Writes the converted vector; a state the renderer did not make leaves `out` untouched.
int32_t convert(RenderState* state, Vector* out, const Vector* in,
                const SpaceTransform& (*space)(const StateData&), Convert how) {
    const StateData* data = stateData(state);
    if (data == nullptr || out == nullptr || in == nullptr) return 0;
    *out = toVector((space(*data).*how)(toVec3(*in)));
    return 1;
}

const SpaceTransform& objectSpace(const StateData& d) {
    static const SpaceTransform identity = SpaceTransform::fromSpaceToInternal(Affine{});
    return d.object == kNoObject ? identity : d.render->spaces->objects[d.object];
}
const SpaceTransform& worldSpace(const StateData& d) {
    return d.render->spaces->world;
}
const SpaceTransform& cameraSpace(const StateData& d) {
    return d.render->spaces->camera;
}
const SpaceTransform& lightSpace(const StateData& d) {
    return d.render->spaces->light;
}

}  // namespace

extern "C" {

HOST_EXPORT void* mi_phen_eval(RenderState* state, void* parameter) {
    StateData* data = stateData(state);
    if (data == nullptr) return nullptr;
    const ShaderInstance::Connection* connection = data->render->instance->connectionAt(parameter);
    if (connection == nullptr) return nullptr;
    // The connected shader runs as the state's current shader and sees the state's point.
    const ShaderCall* running = state->shader;
    state->shader = &StateChain::kNoShader;
    const Vec3 world = data->render->spaces->world.pointToSpace(toVec3(state->point));
    writeNumberAs(connection->field->type, connection->shader.valueAt(world), data->value);
    state->shader = running;
    return data->value;
}

HOST_EXPORT int32_t mi_trace_reflection(Color* result, RenderState* state,
                                        const Vector* direction) {
    const StateData* data = stateData(state);
    if (result == nullptr || data == nullptr || direction == nullptr) return 0;
    *result = Color{0.0f, 0.0f, 0.0f, 0.0f};
    RenderState* child = state->child;
    if (child == nullptr) return 0;  // the trace depth limit
    describeMiss(*child);

    const Vec3 origin = toVec3(state->point);
    const Vec3 d = toVec3(*direction);
    const double len = length(d);
    if (!(len > 0.0) || !isFinite(d) || !isFinite(origin)) return 0;  // no direction to go
    const Vec3 unit = d * (1.0 / len);
    const auto* excluded = static_cast<const PrimitiveId*>(state->primitive);
    const std::optional<SurfaceHit> hit = data->render->tracer->trace(origin, unit, excluded);
    if (!hit) return 0;
    describeHit(*child, *hit, unit);
    *result = data->render->scene->objects[hit->primitive->object].color;
    return 1;
}

HOST_EXPORT int32_t mi_point_from_camera(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, cameraSpace, &SpaceTransform::pointToInternal);
}
HOST_EXPORT int32_t mi_normal_from_camera(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, cameraSpace, &SpaceTransform::normalToInternal);
}

HOST_EXPORT int32_t mi_point_to_object(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, objectSpace, &SpaceTransform::pointToSpace);
}
HOST_EXPORT int32_t mi_point_to_world(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, worldSpace, &SpaceTransform::pointToSpace);
}
HOST_EXPORT int32_t mi_point_to_camera(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, cameraSpace, &SpaceTransform::pointToSpace);
}
HOST_EXPORT int32_t mi_point_to_light(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, lightSpace, &SpaceTransform::pointToSpace);
}

HOST_EXPORT int32_t mi_vector_to_object(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, objectSpace, &SpaceTransform::vectorToSpace);
}
HOST_EXPORT int32_t mi_vector_to_world(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, worldSpace, &SpaceTransform::vectorToSpace);
}
HOST_EXPORT int32_t mi_vector_to_camera(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, cameraSpace, &SpaceTransform::vectorToSpace);
}
HOST_EXPORT int32_t mi_vector_to_light(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, lightSpace, &SpaceTransform::vectorToSpace);
}

HOST_EXPORT int32_t mi_normal_to_object(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, objectSpace, &SpaceTransform::normalToSpace);
}
HOST_EXPORT int32_t mi_normal_to_world(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, worldSpace, &SpaceTransform::normalToSpace);
}
HOST_EXPORT int32_t mi_normal_to_camera(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, cameraSpace, &SpaceTransform::normalToSpace);
}
HOST_EXPORT int32_t mi_normal_to_light(RenderState* state, Vector* out, const Vector* in) {
    return convert(state, out, in, lightSpace, &SpaceTransform::normalToSpace);
}

}  // extern "C"
