#include "probe_along_normal.h"

#include <cmath>

#include "eval_parameter.h"
#include "vector_math.h"

namespace {

// Casts one ray from the state's point. On a hit, copies everything out of the child state before
// anything else can trace; on a miss leaves `hit` with `found` false and nothing else written.
inline void trace(RenderState* state, const Vector& direction, const Vector& probePoint,
                  ProbeHit& hit) {
    hit.found = false;
    Color color{0.0f, 0.0f, 0.0f, 0.0f};
    if (!mi_trace_reflection(&color, state, &direction)) return;
    const RenderState* child = state->child;
    // A ray length of 0, a negative one or one that is not a number is a miss.
    if (child == nullptr || !(child->rayLength > 0.0)) return;

    hit.found = true;
    hit.rayColor = color;
    hit.position = child->point;
    hit.toHit = child->point - probePoint;
    hit.surfaceNormal = child->invertedNormal ? -child->normal : child->normal;
    // Missing derivatives read as zero rather than past the host's list.
    const int32_t count = child->derivatives ? child->derivativeCount : 0;
    hit.derivU = count > 0 ? child->derivatives[0] : Vector{0.0f, 0.0f, 0.0f};
    hit.derivV = count > 1 ? child->derivatives[1] : Vector{0.0f, 0.0f, 0.0f};
}

}  // namespace

ProbeOutcome probeAlongNormal(RenderState* state, const ProbeParameters* parameters) {
    ProbeOutcome outcome;
    ProbeFrame& frame = outcome.frame;

    if (readBoolean(state, parameters->useInputPoint)) {
        const Vector inputNormal = readParameter(state, parameters->inputNormal);
        const Vector inputPoint = readParameter(state, parameters->inputPoint);
        frame.probePoint = frame.probeNormal = Vector{0.0f, 0.0f, 0.0f};
        mi_point_from_camera(state, &frame.probePoint, &inputPoint);
        mi_normal_from_camera(state, &frame.probeNormal, &inputNormal);
    } else {
        frame.probePoint = state->point;
        frame.probeNormal = state->normal;
    }
    makeUnit(frame.probeNormal);
    const Vector& p = frame.probePoint;
    const Vector& n = frame.probeNormal;
    frame.backDirection = -n;

    // Zero of either sign and a value that is not a number leave the rays where the state is.
    const float offset = readParameter(state, parameters->startOffset);
    frame.offsetApplied = std::fabs(offset) > 0.0f;
    frame.savedPrimitive = state->primitive;
    frame.savedPoint = state->point;
    if (frame.offsetApplied) {
        const Vector shift = n * offset;
        frame.frontOrigin = p - shift;
        frame.backOrigin = p + shift;
        state->primitive = nullptr;  // lets the rays hit the surface the probe point lies on
    } else {
        frame.frontOrigin = frame.backOrigin = p;
    }

    // The front hit goes straight into the chosen one; the back hit replaces it only if nearer.
    ProbeHit& front = outcome.chosen;
    front.found = false;
    if (readBoolean(state, parameters->traceFront)) {
        if (frame.offsetApplied) state->point = frame.frontOrigin;
        trace(state, n, p, front);
    }
    ProbeHit back;
    back.found = false;
    if (readBoolean(state, parameters->traceBack)) {
        if (frame.offsetApplied) state->point = frame.backOrigin;
        trace(state, frame.backDirection, p, back);
    }
    if (frame.offsetApplied) state->point = frame.savedPoint;

    // A tie goes to the front, a length that is not a number to the back.
    if (back.found && (!front.found || !(lengthOf(front.toHit) <= lengthOf(back.toHit)))) {
        outcome.chosen = back;
    } else if (!front.found) {
        outcome.chosen = ProbeHit{};  // no hit: every field zero
    }
    return outcome;
}
