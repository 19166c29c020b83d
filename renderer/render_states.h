// The render states of one render thread and what the host keeps behind each of them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "ray_tracer.h"
#include "render_spaces.h"
#include "scene.h"
#include "shader_instance.h"
#include "vantrel_host.h"

// Everything the host functions need that is the same for every sample of a frame.
struct RenderContext {
    const Scene* scene;
    const RayTracer* tracer;
    const RenderSpaces* spaces;
    const ShaderInstance* instance;  // whose connected parameters mi_phen_eval runs
};

inline constexpr uint32_t kNoObject = std::numeric_limits<uint32_t>::max();

// What a render state's hostData points to.
struct StateData {
    const RenderContext* render = nullptr;
    uint32_t object = kNoObject;          // the object the state's point lies on: its object space
    std::array<Vector, 2> derivatives{};  // the list the state's derivatives point to
    // Where mi_phen_eval leaves a connected shader's value; the caller copies it at once.
    alignas(16) std::byte value[16]{};
};

// A thread's chain of states: the sample's own, then the child of each trace level. A trace from
// the deepest state finds nothing: that is the renderer's trace depth limit.
class StateChain {
   public:
    static constexpr int kTraceDepth = 2;

    explicit StateChain(const RenderContext& render) {
        for (int i = 0; i <= kTraceDepth; ++i) {
            data_[i].render = &render;
            states_[i].hostData = &data_[i];
            states_[i].child = i < kTraceDepth ? &states_[i + 1] : nullptr;
            states_[i].shader = &kNoShader;
        }
    }
    StateChain(const StateChain&) = delete;
    StateChain& operator=(const StateChain&) = delete;

    // The sample's state, cleared to "nothing hit, no shader running".
    RenderState& freshSample() {
        RenderState& s = states_[0];
        s.shader = &kNoShader;
        s.primitive = nullptr;
        s.point = s.normal = Vector{0.0f, 0.0f, 0.0f};
        s.invertedNormal = 0;
        s.rayLength = 0.0;
        s.derivatives = nullptr;
        s.derivativeCount = 0;
        data_[0].object = kNoObject;
        return s;
    }

    // A shader call record for states in which no shader with parameters runs.
    static inline const ShaderCall kNoShader{0};

   private:
    std::array<RenderState, kTraceDepth + 1> states_{};
    std::array<StateData, kTraceDepth + 1> data_{};
};

inline StateData* stateData(const RenderState* state) {
    return state ? static_cast<StateData*>(state->hostData) : nullptr;
}

// Fills a state with a hit of a ray going along `direction`: the normal is turned towards the ray
// and the state says so when it was.
inline void describeHit(RenderState& state, const SurfaceHit& hit, const Vec3& direction) {
    StateData& data = *stateData(&state);
    Vec3 normal = hit.normal;
    const bool facesAway = dot(hit.geometricNormal, direction) > 0.0;
    if (facesAway) normal = -normal;
    state.point = toVector(hit.point);
    state.normal = toVector(normal);
    state.invertedNormal = facesAway ? 1 : 0;
    state.rayLength = hit.distance;
    state.primitive = hit.primitive;
    data.object = hit.primitive->object;
    data.derivatives = {toVector(hit.dPdu), toVector(hit.dPdv)};
    state.derivatives = data.derivatives.data();
    state.derivativeCount = 2;
}

// Clears a child state to "nothing hit".
inline void describeMiss(RenderState& state) {
    state.point = state.normal = Vector{0.0f, 0.0f, 0.0f};
    state.invertedNormal = 0;
    state.rayLength = 0.0;
    state.primitive = nullptr;
    state.derivatives = nullptr;
    state.derivativeCount = 0;
    stateData(&state)->object = kNoObject;
}
