// A host whose functions answer at once and allocate nothing: every trace hits a preset surface at
// a fixed distance along the ray, and every transform copies its input. It keeps no log, no script
// and no per-thread data, so it costs next to nothing beside the plug-in and can be called from any
// number of threads; the benchmarks and the allocation tests run the plug-in against it. Beside the
// shader's 16 functions it answers one host function of each other forwarding family (mi_info,
// mi_query, mi_scene_create) with 0, for the binding layer's allocation test.
#pragma once

#include "vantrel_host.h"

#define QUIETHOST_API __attribute__((visibility("default")))

namespace quiethost {

// What every trace leaves in the calling state's child. The hit point is the state's point moved
// `distance` along the ray's direction. Not to be changed while a plug-in runs.
struct PresetHit {
    double distance = 1.0;  // also the child's ray length; not above 0: every trace misses
    Color color{0.25f, 0.5f, 0.75f, 1.0f};
    Vector normal{0.0f, 0.6f, 0.8f};
    uint8_t invertedNormal = 1;
    Vector derivatives[2]{{2.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 3.0f}};
};

QUIETHOST_API void setPresetHit(const PresetHit& hit);

}  // namespace quiethost
