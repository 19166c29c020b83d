// The loops of the forwarding benchmark. The same source is built into two modules: one that links
// the binding layer, where mi_point_to_world is the layer's forwarder, and one without it, where
// mi_point_to_world is an undefined reference that the dynamic loader binds through its own stub.
// Both also call the host function through a pointer, so that all three ways run the same loop.
#include "vantrel_host.h"

#define BENCH_EXPORT extern "C" __attribute__((visibility("default")))

using SpaceTransform = int32_t (*)(RenderState*, Vector*, const Vector*);

// `count` calls of mi_point_to_world, by its name.
BENCH_EXPORT void benchCallByName(long count, RenderState* state, Vector* out, const Vector* in) {
    for (long i = 0; i < count; ++i) mi_point_to_world(state, out, in);
}

// `count` calls of `function`, through the pointer.
BENCH_EXPORT void benchCallThroughPointer(SpaceTransform function, long count, RenderState* state,
                                          Vector* out, const Vector* in) {
    for (long i = 0; i < count; ++i) function(state, out, in);
}
