#include "write_probe_result.h"

#include "eval_parameter.h"
#include "vector_math.h"

namespace {

using SpaceTransform = int32_t (*)(RenderState*, Vector*, const Vector*);

// What the switches of this stage say, read in their fixed order before any of it is used. The
// cutoffs are read, and used, only under useCutoff, the ranges only under normalisation or
// clamping.
struct Shaping {
    Shaping(RenderState* state, const ProbeParameters* parameters) {
        cutoff = readBoolean(state, parameters->useCutoff);
        if (cutoff) {
            frontCutoff = readParameter(state, parameters->frontCutoff);
            backCutoff = readParameter(state, parameters->backCutoff);
        }
        normalize = readBoolean(state, parameters->normalizeDistances);
        clamp = readBoolean(state, parameters->clampDistances);
        if (normalize || clamp) {
            frontRange = readParameter(state, parameters->frontRange);
            backRange = readParameter(state, parameters->backRange);
        }
        outputSpace = readParameter(state, parameters->outputSpace);
    }
    Shaping(const Shaping&) = delete;
    Shaping& operator=(const Shaping&) = delete;

    bool cutoff;
    float frontCutoff, backCutoff;
    bool normalize, clamp;
    float frontRange, backRange;
    int32_t outputSpace;
};

// The five geometric outputs, in the order the host sees their transforms.
struct Geometry {
    Vector point, vector, normal, derivU, derivV;
};

struct Transforms {
    SpaceTransform point, vector, normal;
};

// 1 object, 2 world, 3 camera, 5 light; every other value is the internal space: no transforms.
inline bool transformsFor(int32_t outputSpace, Transforms& t) {
    switch (outputSpace) {
        case 1: t = {mi_point_to_object, mi_vector_to_object, mi_normal_to_object}; return true;
        case 2: t = {mi_point_to_world, mi_vector_to_world, mi_normal_to_world}; return true;
        case 3: t = {mi_point_to_camera, mi_vector_to_camera, mi_normal_to_camera}; return true;
        case 5: t = {mi_point_to_light, mi_vector_to_light, mi_normal_to_light}; return true;
        default: return false;
    }
}

constexpr Vector kZeroVector{0.0f, 0.0f, 0.0f};

struct Distances {
    float front, back, signedDistance;
};

// Called after the host's last call: the whole block is written in one step.
inline void writeResult(ProbeResult* result, const Color& color, const Distances& distances,
                        const Vector& point, const Vector& vector, const Vector& normal,
                        const Vector& derivU, const Vector& derivV) {
    result->hitColor = color;
    result->frontDistance = distances.front;
    result->backDistance = distances.back;
    result->signedDistance = distances.signedDistance;
    result->hitPoint = point;
    result->hitVector = vector;
    result->hitNormal = unit(normal);
    result->hitDerivU = unit(derivU);
    result->hitDerivV = unit(derivV);
}

}  // namespace

void writeProbeResult(ProbeResult* result, RenderState* state, const ProbeParameters* parameters,
                      const ProbeFrame& frame, const ProbeHit& hit) {
    const Shaping s(state, parameters);

    const double dist = hit.distance;
    // A hit in the plane across the normal, or with a dot product that is not a number, is behind.
    const bool ahead = dotOf(frame.probeNormal, hit.toHit) > 0.0;
    double front = ahead ? dist : 0.0;
    double back = ahead ? 0.0 : dist;

    bool vectorCut = false;  // the hit vector is cleared, not the rest of the hit
    if (s.cutoff) {
        const float longest = s.backCutoff > s.frontCutoff ? s.backCutoff : s.frontCutoff;
        // Written as "unless within" so that a cutoff that is not a number drops its distance.
        if (!(front <= s.frontCutoff)) front = 0.0;
        if (!(back <= s.backCutoff)) back = 0.0;
        vectorCut = dist > longest;
    }
    if (s.clamp) {
        if (!(front <= s.frontRange)) front = s.frontRange;
        if (!(back <= s.backRange)) back = s.backRange;
    }
    double signedDistance = front - back;
    if (s.normalize) {
        const double ranges = double(s.frontRange) + double(s.backRange);
        signedDistance = ranges > 0.0 ? signedDistance / ranges + 0.5 : 0.0;
        front = s.frontRange > 0.0f ? front * (1.0 / double(s.frontRange)) : 0.0;
        back = s.backRange > 0.0f ? back * (1.0 / double(s.backRange)) : 0.0;
    }
    const Distances distances{float(front), float(back), float(signedDistance)};
    const Vector& d = vectorCut ? kZeroVector : hit.toHit;

    if (Transforms t; transformsFor(s.outputSpace, t)) {
        Geometry g{};  // zero: what a transform that writes nothing leaves
        t.point(state, &g.point, &hit.position);
        t.vector(state, &g.vector, &d);
        t.normal(state, &g.normal, &hit.surfaceNormal);
        t.vector(state, &g.derivU, &hit.derivU);
        t.vector(state, &g.derivV, &hit.derivV);
        writeResult(result, hit.rayColor, distances, g.point, g.vector, g.normal, g.derivU,
                    g.derivV);
    } else {
        writeResult(result, hit.rayColor, distances, hit.position, d, hit.surfaceNormal, hit.derivU,
                    hit.derivV);
    }
    if (frame.offsetApplied) state->primitive = frame.savedPrimitive;
}
