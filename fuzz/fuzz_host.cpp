#include "fuzz_host.h"

#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "probe_records.h"

#define FUZZHOST_EXPORT __attribute__((visibility("default")))

namespace fuzzhost {
namespace {

struct Session {
    FuzzInput* answers = nullptr;
    const ProbeParameters* block = nullptr;
    VantrelShaderFn shade = nullptr;
    std::vector<Event> events;
    std::vector<Event> nestedEvents;  // calls made by a connected vantrel instance
    int nesting = 0;
    std::vector<std::unique_ptr<unsigned char[]>> allocations;
    RenderState* lastChild = nullptr;
};

Session& session() {
    // Room for the longest call up front, so that a call allocates exactly what it frees and
    // libFuzzer's leak check has nothing to look into.
    static Session current = [] {
        Session s;
        s.events.reserve(256);
        s.nestedEvents.reserve(256);
        s.allocations.reserve(1024);
        return s;
    }();
    return current;
}

// Room for `count` objects of type T, exactly that large (an empty list is a zero-size allocation).
template <class T>
T* allocate(std::size_t count = 1) {
    auto& allocations = session().allocations;
    allocations.emplace_back(new unsigned char[sizeof(T) * count]);
    T* objects = reinterpret_cast<T*>(allocations.back().get());
    for (std::size_t i = 0; i < count; ++i) new (objects + i) T{};
    return objects;
}

Event& record(Call call, const RenderState* state) {
    Event event{};
    event.call = call;
    event.statePoint = state->point;
    event.statePrimitive = state->primitive;
    Session& s = session();
    return (s.nesting > 0 ? s.nestedEvents : s.events).emplace_back(event);
}

double rayLength(FuzzInput& in) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    switch (in.byte() % 10) {
        case 0: return 0.0;
        case 1: return -0.0;
        case 2: return -1.0;
        case 3: return kInfinity;
        case 4: return -kInfinity;
        case 5: return std::numeric_limits<double>::quiet_NaN();
        case 6: return std::numeric_limits<double>::denorm_min();
        case 7: return 1e300;
        default: return in.value<double>();
    }
}

void fillDerivatives(FuzzInput& in, RenderState& child) {
    const int kind = in.byte() % 6;
    if (kind == 0) {  // no list, whatever count the host claims
        child.derivatives = nullptr;
        child.derivativeCount = static_cast<int8_t>(in.byte());
        return;
    }
    const std::size_t entries = kind == 5 ? 2 : static_cast<std::size_t>(kind - 1);
    Vector* list = allocate<Vector>(entries);
    in.read(list, sizeof(Vector) * entries);
    child.derivatives = list;
    child.derivativeCount = kind == 5 ? -1 - (in.byte() & 0x7f) : static_cast<int32_t>(entries);
}

// What a connected shader that traces rays of its own leaves behind: the child state of the
// shader's last trace overwritten, and the state pointing at another child.
void overwriteChild(RenderState* state) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    if (RenderState* child = session().lastChild) {
        child->point = {nan, -1e30f, 7.0f};
        child->normal = {nan, nan, nan};
        child->invertedNormal = 1;
        child->rayLength = 123.0;
        child->derivativeCount = 0;
    }
    RenderState* other = allocate<RenderState>();
    other->point = {-5.0f, nan, 3.0f};
    other->rayLength = 55.0;
    state->child = other;
}

// A connected shader that is another vantrel instance, run on the same render state: the host
// switches the state to that instance's shader record (no connections) and back. The call must
// return true and leave the state's point, normal and primitive as it found them.
const char* runConnectedInstance(RenderState* state) {
    Session& s = session();
    auto* block = allocate<ProbeParameters>();
    s.answers->read(block, sizeof *block);
    auto* record = allocate<ShaderCall>();
    auto* result = allocate<ProbeResult>();
    const ShaderCall* running = state->shader;
    const RenderState before = *state;
    state->shader = record;
    ++s.nesting;
    const int32_t returned = s.shade(result, state, block);
    --s.nesting;
    state->shader = running;
    if (returned != 1) return "a connected vantrel instance did not return true";
    if (std::memcmp(&before.point, &state->point, sizeof before.point) != 0 ||
        std::memcmp(&before.normal, &state->normal, sizeof before.normal) != 0 ||
        before.primitive != state->primitive) {
        return "a connected vantrel instance left the render state changed";
    }
    return nullptr;
}

std::size_t fieldSize(std::ptrdiff_t offset) {
    return offset == offsetof(ProbeParameters, inputNormal) ||
                   offset == offsetof(ProbeParameters, inputPoint)
               ? sizeof(Vector)
               : 4;
}

int32_t transform(Call call, RenderState* state, Vector* out, const Vector* in) {
    Event& event = record(call, state);
    event.input = *in;
    event.outputIsInput = out == in;
    FuzzInput& answers = *session().answers;
    switch (answers.byte() % 3) {
        case 0: return 1;  // a host that writes nothing
        case 1: *out = *in; break;
        default: answers.read(out, sizeof *out); break;
    }
    event.output = *out;
    event.wroteOutput = true;
    return 1;
}

}  // namespace

const char* nameOf(Call call) {
    static const char* const kNames[] = {
        "mi_phen_eval",          "mi_trace_reflection", "mi_point_from_camera",
        "mi_normal_from_camera", "mi_point_to_object",  "mi_point_to_world",
        "mi_point_to_camera",    "mi_point_to_light",   "mi_vector_to_object",
        "mi_vector_to_world",    "mi_vector_to_camera", "mi_vector_to_light",
        "mi_normal_to_object",   "mi_normal_to_world",  "mi_normal_to_camera",
        "mi_normal_to_light",
    };
    return kNames[static_cast<int>(call)];
}

void beginCall(FuzzInput& answers, const ProbeParameters* block, VantrelShaderFn shade) {
    Session& s = session();
    s.answers = &answers;
    s.block = block;
    s.shade = shade;
    s.events.clear();
    s.nestedEvents.clear();
    s.lastChild = nullptr;
}

const std::vector<Event>& events() {
    return session().events;
}

void endCall() {
    Session& s = session();
    s.allocations.clear();
    s.answers = nullptr;
    s.lastChild = nullptr;
}

}  // namespace fuzzhost

using fuzzhost::Call;

extern "C" {

FUZZHOST_EXPORT void* mi_phen_eval(RenderState* state, void* parameter) {
    auto& s = fuzzhost::session();
    fuzzhost::Event& event = fuzzhost::record(Call::PhenEval, state);
    event.parameterOffset =
        static_cast<const char*>(parameter) - reinterpret_cast<const char*>(s.block);
    FuzzInput& answers = *s.answers;
    const uint8_t control = answers.byte();
    void* value = nullptr;
    if ((control & 3) == 0) {
        event.answeredNoAddress = true;
    } else {
        const std::size_t size = fuzzhost::fieldSize(event.parameterOffset);
        auto* bytes = fuzzhost::allocate<unsigned char>(size);
        answers.read(bytes, size);
        std::memcpy(event.answer, bytes, size);
        value = bytes;
    }
    if (control & 4) fuzzhost::overwriteChild(state);
    if (control & 8) event.nestedCallFault = fuzzhost::runConnectedInstance(state);
    return value;
}

FUZZHOST_EXPORT int32_t mi_trace_reflection(Color* result, RenderState* state,
                                            const Vector* direction) {
    auto& s = fuzzhost::session();
    fuzzhost::Event& event = fuzzhost::record(Call::TraceReflection, state);
    event.direction = *direction;
    FuzzInput& answers = *s.answers;
    const uint8_t control = answers.byte();
    static constexpr int32_t kResults[] = {0, 1, 2, -1};
    const int32_t returns = kResults[control & 3];
    const bool leavesNoChild = (control & 4) != 0;

    RenderState* child = fuzzhost::allocate<RenderState>();
    child->rayLength = fuzzhost::rayLength(answers);
    Color color;
    answers.read(&color, sizeof color);
    answers.read(&child->point, sizeof child->point);
    answers.read(&child->normal, sizeof child->normal);
    child->invertedNormal = answers.byte();
    fuzzhost::fillDerivatives(answers, *child);

    *result = color;
    state->child = leavesNoChild ? nullptr : child;
    s.lastChild = child;
    event.countsAsHit = returns != 0 && !leavesNoChild && child->rayLength > 0.0;
    event.color = color;
    event.hitPoint = child->point;
    return returns;
}

#define FUZZHOST_TRANSFORM(name, call)                                                \
    FUZZHOST_EXPORT int32_t name(RenderState* state, Vector* out, const Vector* in) { \
        return fuzzhost::transform(Call::call, state, out, in);                       \
    }
FUZZHOST_TRANSFORM(mi_point_from_camera, PointFromCamera)
FUZZHOST_TRANSFORM(mi_normal_from_camera, NormalFromCamera)
FUZZHOST_TRANSFORM(mi_point_to_object, PointToObject)
FUZZHOST_TRANSFORM(mi_point_to_world, PointToWorld)
FUZZHOST_TRANSFORM(mi_point_to_camera, PointToCamera)
FUZZHOST_TRANSFORM(mi_point_to_light, PointToLight)
FUZZHOST_TRANSFORM(mi_vector_to_object, VectorToObject)
FUZZHOST_TRANSFORM(mi_vector_to_world, VectorToWorld)
FUZZHOST_TRANSFORM(mi_vector_to_camera, VectorToCamera)
FUZZHOST_TRANSFORM(mi_vector_to_light, VectorToLight)
FUZZHOST_TRANSFORM(mi_normal_to_object, NormalToObject)
FUZZHOST_TRANSFORM(mi_normal_to_world, NormalToWorld)
FUZZHOST_TRANSFORM(mi_normal_to_camera, NormalToCamera)
FUZZHOST_TRANSFORM(mi_normal_to_light, NormalToLight)
#undef FUZZHOST_TRANSFORM

}  // extern "C"
