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

using SpaceOf = const SpaceTransform& (*)(const StateData&);
using Convert = Vec3 (SpaceTransform::*)(const Vec3&) const;

// Writes the converted vector; a state the renderer did not make leaves `out` untouched. The space
// and the conversion are template arguments, so that each host function compiles to its own
// straight-line conversion.
template <SpaceOf space, Convert how>
int32_t convert(RenderState* state, Vector* out, const Vector* in) {
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

    const Vec3 origin = toVec3(state->point);
    const Vec3 d = toVec3(*direction);
    const double len = length(d);
    const Vec3 unit = d * (1.0 / len);
    std::optional<SurfaceHit> hit;
    if (len > 0.0 && isFinite(d) && isFinite(origin)) {  // else there is no direction to go
        const auto* excluded = static_cast<const PrimitiveId*>(state->primitive);
        hit = data->render->tracer->trace(origin, unit, excluded);
    }
    if (!hit) {
        describeMiss(*child);
        return 0;
    }
    describeHit(*child, *hit, unit);
    *result = data->render->scene->objects[hit->primitive->object].color;
    return 1;
}

HOST_EXPORT int32_t mi_point_from_camera(RenderState* state, Vector* out, const Vector* in) {
    return convert<cameraSpace, &SpaceTransform::pointToInternal>(state, out, in);
}
HOST_EXPORT int32_t mi_normal_from_camera(RenderState* state, Vector* out, const Vector* in) {
    return convert<cameraSpace, &SpaceTransform::normalToInternal>(state, out, in);
}

HOST_EXPORT int32_t mi_point_to_object(RenderState* state, Vector* out, const Vector* in) {
    return convert<objectSpace, &SpaceTransform::pointToSpace>(state, out, in);
}
HOST_EXPORT int32_t mi_point_to_world(RenderState* state, Vector* out, const Vector* in) {
    return convert<worldSpace, &SpaceTransform::pointToSpace>(state, out, in);
}
HOST_EXPORT int32_t mi_point_to_camera(RenderState* state, Vector* out, const Vector* in) {
    return convert<cameraSpace, &SpaceTransform::pointToSpace>(state, out, in);
}
HOST_EXPORT int32_t mi_point_to_light(RenderState* state, Vector* out, const Vector* in) {
    return convert<lightSpace, &SpaceTransform::pointToSpace>(state, out, in);
}

HOST_EXPORT int32_t mi_vector_to_object(RenderState* state, Vector* out, const Vector* in) {
    return convert<objectSpace, &SpaceTransform::vectorToSpace>(state, out, in);
}
HOST_EXPORT int32_t mi_vector_to_world(RenderState* state, Vector* out, const Vector* in) {
    return convert<worldSpace, &SpaceTransform::vectorToSpace>(state, out, in);
}
HOST_EXPORT int32_t mi_vector_to_camera(RenderState* state, Vector* out, const Vector* in) {
    return convert<cameraSpace, &SpaceTransform::vectorToSpace>(state, out, in);
}
HOST_EXPORT int32_t mi_vector_to_light(RenderState* state, Vector* out, const Vector* in) {
    return convert<lightSpace, &SpaceTransform::vectorToSpace>(state, out, in);
}

HOST_EXPORT int32_t mi_normal_to_object(RenderState* state, Vector* out, const Vector* in) {
    return convert<objectSpace, &SpaceTransform::normalToSpace>(state, out, in);
}
HOST_EXPORT int32_t mi_normal_to_world(RenderState* state, Vector* out, const Vector* in) {
    return convert<worldSpace, &SpaceTransform::normalToSpace>(state, out, in);
}
HOST_EXPORT int32_t mi_normal_to_camera(RenderState* state, Vector* out, const Vector* in) {
    return convert<cameraSpace, &SpaceTransform::normalToSpace>(state, out, in);
}
HOST_EXPORT int32_t mi_normal_to_light(RenderState* state, Vector* out, const Vector* in) {
    return convert<lightSpace, &SpaceTransform::normalToSpace>(state, out, in);
}

}  // extern "C"
