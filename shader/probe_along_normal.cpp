#include "probe_along_normal.h"

#include <cmath>
#include <cstring>

#include "eval_parameter.h"
#include "vector_math.h"

namespace {

// Casts one ray from the state's point and, on a hit, copies everything out of the child state
// before anything else can trace. The colour goes straight into the hit record; after a miss the
// record's geometry is left unwritten.
inline bool trace(RenderState* state, const Vector* direction, ProbeHit& hit) {
    hit.rayColor = Color{0.0f, 0.0f, 0.0f, 0.0f};
    if (!mi_trace_reflection(&hit.rayColor, state, direction)) return false;
    const RenderState* child = state->child;
    // A ray length of 0, a negative one or one that is not a number is a miss.
    if (child == nullptr || !(child->rayLength > 0.0)) return false;

    hit.position = child->point;
    hit.surfaceNormal = child->invertedNormal ? -child->normal : child->normal;
    // Missing derivatives read as zero rather than past the host's list.
    const Vector* derivatives = child->derivatives;
    const int32_t count = derivatives ? child->derivativeCount : 0;
    if (count >= 2) [[likely]] {
        std::memcpy(&hit.derivU, derivatives, 2 * sizeof(Vector));
    } else {
        hit.derivU = count == 1 ? derivatives[0] : Vector{0.0f, 0.0f, 0.0f};
        hit.derivV = Vector{0.0f, 0.0f, 0.0f};
    }
    return true;
}

// The ray origins when the offset is applied: w behind P for the front ray, w ahead for the back.
inline Vector frontOrigin(const ProbeFrame& frame) {
    return frame.probePoint - frame.probeNormal * frame.startOffset;
}
inline Vector backOrigin(const ProbeFrame& frame) {
    return frame.probePoint + frame.probeNormal * frame.startOffset;
}

inline void measure(ProbeHit& hit, const Vector& probePoint) {
    hit.toHit = hit.position - probePoint;
    hit.distance = lengthOf(hit.toHit);
}

}  // namespace

ProbeOutcome probeAlongNormal(RenderState* state, const ProbeParameters* parameters) {
    ProbeOutcome outcome;
    ProbeFrame& frame = outcome.frame;

    Vector n;
    if (readBoolean(state, parameters->useInputPoint)) [[unlikely]] {
        const Vector inputNormal = readParameter(state, parameters->inputNormal);
        const Vector inputPoint = readParameter(state, parameters->inputPoint);
        Vector normal{0.0f, 0.0f, 0.0f};
        frame.probePoint = normal;
        mi_point_from_camera(state, &frame.probePoint, &inputPoint);
        mi_normal_from_camera(state, &normal, &inputNormal);
        n = normal;
    } else {
        frame.probePoint = state->point;
        n = state->normal;
    }
    makeUnit(n);
    frame.probeNormal = n;

    // Zero of either sign and a value that is not a number leave the rays where the state is.
    const float offset = readParameter(state, parameters->startOffset);
    frame.offsetApplied = std::fabs(offset) > 0.0f;
    if (frame.offsetApplied) {
        frame.startOffset = offset;
        frame.savedPrimitive = state->primitive;
        frame.savedPoint = state->point;
        state->primitive = nullptr;  // lets the rays hit the surface the probe point lies on
    }

    ProbeHit& front = outcome.front;
    front.found = false;
    if (readBoolean(state, parameters->traceFront)) {
        if (frame.offsetApplied) state->point = frontOrigin(frame);
        front.found = trace(state, &frame.probeNormal, front);
    }
    ProbeHit& back = outcome.back;
    back.found = false;
    if (readBoolean(state, parameters->traceBack)) {
        if (frame.offsetApplied) state->point = backOrigin(frame);
        frame.backDirection = -frame.probeNormal;
        back.found = trace(state, &frame.backDirection, back);
    }
    if (frame.offsetApplied) state->point = frame.savedPoint;

    // Both hits are measured from the probe point. A tie goes to the front, a length that is not a
    // number to the back.
    const Vector& p = frame.probePoint;
    if (front.found) measure(front, p);
    if (back.found) measure(back, p);
    outcome.backChosen = back.found && (!front.found || !(front.distance <= back.distance));
    if (!front.found && !back.found) front = ProbeHit{};  // no hit: every field zero
    return outcome;
}
