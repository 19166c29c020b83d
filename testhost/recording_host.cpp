#include "recording_host.h"

#include <cstring>
#include <deque>
#include <map>

#include "per_thread.h"

namespace testhost {
namespace {

struct Connection {
    std::vector<unsigned char> bytes;
    bool answersNull = false;
};

struct HostState {
    std::deque<TraceAnswer> traces;
    TraceAnswer lastTrace;  // keeps the child's derivative list alive
    RenderState child{};
    const void* block = nullptr;
    std::map<std::size_t, Connection> connections;
    std::vector<HostCall> log;
};

// Each thread's state lives as long as the process (per_thread.h).
HostState& host() {
    return perThread<HostState>();
}

void record(const char* function, const RenderState* state, Vector argument = {},
            std::ptrdiff_t parameterOffset = -1) {
    host().log.push_back({function, parameterOffset, argument, state->point, state->primitive});
}

// Distinct per function: the index of the name picks the scale and the offset.
const char* const kTransforms[] = {
    "mi_point_from_camera", "mi_normal_from_camera", "mi_point_to_object",  "mi_point_to_world",
    "mi_point_to_camera",   "mi_point_to_light",     "mi_vector_to_object", "mi_vector_to_world",
    "mi_vector_to_camera",  "mi_vector_to_light",    "mi_normal_to_object", "mi_normal_to_world",
    "mi_normal_to_camera",  "mi_normal_to_light",
};

int32_t applyTransform(const char* function, RenderState* state, Vector* out, const Vector* in) {
    record(function, state, *in);
    *out = transform(function, *in);
    return 1;
}

}  // namespace

void reset() { host() = HostState{}; }

void scriptTrace(const TraceAnswer& answer) { host().traces.push_back(answer); }

void setParameterBlock(const void* block) { host().block = block; }

void connectValue(std::size_t offset, const void* value, std::size_t size) {
    Connection& c = host().connections[offset];
    c.answersNull = value == nullptr;
    if (value) c.bytes.assign(static_cast<const unsigned char*>(value),
                              static_cast<const unsigned char*>(value) + size);
}

Vector transform(const std::string& function, const Vector& in) {
    float k = 1.0f;
    for (const char* name : kTransforms) {
        if (function == name) break;
        k += 1.0f;
    }
    const Vector scale{k, 0.5f * k, -k};
    // Points move as well; vectors and normals only scale, as directions do.
    const bool isPoint = function.find("_point_") != std::string::npos;
    const Vector offset = isPoint ? Vector{100.0f * k, -3.0f * k, 0.25f * k} : Vector{};
    return {in.x * scale.x + offset.x, in.y * scale.y + offset.y, in.z * scale.z + offset.z};
}

const std::vector<HostCall>& callLog() { return host().log; }

}  // namespace testhost

using testhost::host;

extern "C" {

TESTHOST_API void* mi_phen_eval(RenderState* state, void* parameter) {
    const std::ptrdiff_t offset =
        static_cast<const char*>(parameter) - static_cast<const char*>(host().block);
    testhost::record("mi_phen_eval", state, {}, offset);
    auto found = host().connections.find(static_cast<std::size_t>(offset));
    if (found == host().connections.end()) return parameter;  // connected to "the block's value"
    if (found->second.answersNull) return nullptr;
    return found->second.bytes.data();
}

TESTHOST_API int32_t mi_trace_reflection(Color* result, RenderState* state,
                                         const Vector* direction) {
    testhost::record("mi_trace_reflection", state, *direction);
    auto& h = host();
    if (h.traces.empty()) return 0;
    h.lastTrace = h.traces.front();
    h.traces.pop_front();
    const testhost::TraceAnswer& a = h.lastTrace;
    *result = a.color;
    h.child = RenderState{};
    h.child.point = a.point;
    h.child.normal = a.normal;
    h.child.invertedNormal = a.invertedNormal;
    h.child.rayLength = a.rayLength;
    h.child.derivatives = a.nullDerivatives ? nullptr : a.derivatives.data();
    h.child.derivativeCount =
        a.derivativeCount >= 0 ? a.derivativeCount : static_cast<int32_t>(a.derivatives.size());
    state->child = &h.child;
    return a.returns;
}

#define TRANSFORM(name)                                                               \
    TESTHOST_API int32_t name(RenderState* state, Vector* out, const Vector* in) {   \
        return testhost::applyTransform(#name, state, out, in);                      \
    }
TRANSFORM(mi_point_from_camera)
TRANSFORM(mi_normal_from_camera)
TRANSFORM(mi_point_to_object)
TRANSFORM(mi_point_to_world)
TRANSFORM(mi_point_to_camera)
TRANSFORM(mi_point_to_light)
TRANSFORM(mi_vector_to_object)
TRANSFORM(mi_vector_to_world)
TRANSFORM(mi_vector_to_camera)
TRANSFORM(mi_vector_to_light)
TRANSFORM(mi_normal_to_object)
TRANSFORM(mi_normal_to_world)
TRANSFORM(mi_normal_to_camera)
TRANSFORM(mi_normal_to_light)
#undef TRANSFORM

}  // extern "C"
