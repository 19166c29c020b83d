#include "quiet_host.h"

namespace quiethost {
namespace {

PresetHit preset;

}  // namespace

void setPresetHit(const PresetHit& hit) {
    preset = hit;
}

}  // namespace quiethost

using quiethost::preset;

extern "C" {

// Nothing is connected in this host: a parameter's value is the block's own.
QUIETHOST_API void* mi_phen_eval(RenderState*, void* parameter) {
    return parameter;
}

// The child state is the caller's own, as a host that keeps one chain of states per thread has it.
QUIETHOST_API int32_t mi_trace_reflection(Color* result, RenderState* state,
                                          const Vector* direction) {
    RenderState* child = state->child;
    const float d = static_cast<float>(preset.distance);
    child->point = {state->point.x + direction->x * d, state->point.y + direction->y * d,
                    state->point.z + direction->z * d};
    child->normal = preset.normal;
    child->invertedNormal = preset.invertedNormal;
    child->rayLength = preset.distance;
    child->derivatives = preset.derivatives;
    child->derivativeCount = 2;
    *result = preset.color;
    return preset.distance > 0.0 ? 1 : 0;
}

#define QUIET_TRANSFORM(name)                                                 \
    QUIETHOST_API int32_t name(RenderState*, Vector* out, const Vector* in) { \
        *out = *in;                                                           \
        return 1;                                                             \
    }
QUIET_TRANSFORM(mi_point_from_camera)
QUIET_TRANSFORM(mi_normal_from_camera)
QUIET_TRANSFORM(mi_point_to_object)
QUIET_TRANSFORM(mi_point_to_world)
QUIET_TRANSFORM(mi_point_to_camera)
QUIET_TRANSFORM(mi_point_to_light)
QUIET_TRANSFORM(mi_vector_to_object)
QUIET_TRANSFORM(mi_vector_to_world)
QUIET_TRANSFORM(mi_vector_to_camera)
QUIET_TRANSFORM(mi_vector_to_light)
QUIET_TRANSFORM(mi_normal_to_object)
QUIET_TRANSFORM(mi_normal_to_world)
QUIET_TRANSFORM(mi_normal_to_camera)
QUIET_TRANSFORM(mi_normal_to_light)
#undef QUIET_TRANSFORM

QUIETHOST_API intptr_t mi_info(const char*) {
    return 0;
}
QUIETHOST_API intptr_t mi_query(int32_t, ...) {
    return 0;
}
QUIETHOST_API intptr_t mi_scene_create(intptr_t, intptr_t, ...) {
    return 0;
}

}  // extern "C"
