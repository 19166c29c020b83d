#include "write_probe_result.h"

#include "eval_parameter.h"
#include "vector_math.h"

namespace {

using SpaceTransform = int32_t (*)(RenderState*, Vector*, const Vector*);

struct Geometry {
    Vector point, vector, normal, derivU, derivV;
};

// Brings the five output vectors into one space, in the order the host sees the calls.
inline Geometry transformed(RenderState* state, const Geometry& in, SpaceTransform point,
                            SpaceTransform vector, SpaceTransform normal) {
    Geometry out{};
    point(state, &out.point, &in.point);
    vector(state, &out.vector, &in.vector);
    normal(state, &out.normal, &in.normal);
    vector(state, &out.derivU, &in.derivU);
    vector(state, &out.derivV, &in.derivV);
    return out;
}

// 1 object, 2 world, 3 camera, 5 light; every other value is the internal space.
inline Geometry inOutputSpace(RenderState* state, int32_t outputSpace, const Geometry& g) {
    switch (outputSpace) {
        case 1: return transformed(state, g, mi_point_to_object, mi_vector_to_object, mi_normal_to_object);
        case 2: return transformed(state, g, mi_point_to_world, mi_vector_to_world, mi_normal_to_world);
        case 3: return transformed(state, g, mi_point_to_camera, mi_vector_to_camera, mi_normal_to_camera);
        case 5: return transformed(state, g, mi_point_to_light, mi_vector_to_light, mi_normal_to_light);
        default: return g;
    }
}

}  // namespace

void writeProbeResult(ProbeResult* result, RenderState* state, const ProbeParameters* parameters,
                      const ProbeFrame& frame, const ProbeHit& hit) {
    Vector d = hit.toHit;
    const double dist = lengthOf(d);
    // A hit in the plane across the normal, or with a dot product that is not a number, is behind.
    double front = 0.0;
    double back = 0.0;
    if (dotOf(frame.probeNormal, d) > 0.0) {
        front = dist;
    } else {
        back = dist;
    }

    if (readBoolean(state, parameters->useCutoff)) {
        const float frontCutoff = readParameter(state, parameters->frontCutoff);
        const float backCutoff = readParameter(state, parameters->backCutoff);
        const float longest = backCutoff > frontCutoff ? backCutoff : frontCutoff;
        // Written as "unless within" so that a cutoff that is not a number drops its distance.
        if (!(front <= frontCutoff)) front = 0.0;
        if (!(back <= backCutoff)) back = 0.0;
        if (dist > longest) d = Vector{0.0f, 0.0f, 0.0f};
    }

    const bool normalize = readBoolean(state, parameters->normalizeDistances);
    const bool clamp = readBoolean(state, parameters->clampDistances);
    double signedDistance;
    if (normalize || clamp) {
        const float frontRange = readParameter(state, parameters->frontRange);
        const float backRange = readParameter(state, parameters->backRange);
        if (clamp) {
            if (!(front <= frontRange)) front = frontRange;
            if (!(back <= backRange)) back = backRange;
        }
        signedDistance = front - back;
        if (normalize) {
            const double ranges = double(frontRange) + double(backRange);
            signedDistance = ranges > 0.0 ? signedDistance / ranges + 0.5 : 0.0;
            front = frontRange > 0.0f ? front * (1.0 / double(frontRange)) : 0.0;
            back = backRange > 0.0f ? back * (1.0 / double(backRange)) : 0.0;
        }
    } else {
        signedDistance = front - back;
    }

    const int32_t outputSpace = readParameter(state, parameters->outputSpace);
    Geometry out = inOutputSpace(
        state, outputSpace, Geometry{hit.position, d, hit.surfaceNormal, hit.derivU, hit.derivV});
    makeUnit(out.normal);
    makeUnit(out.derivU);
    makeUnit(out.derivV);

    *result = ProbeResult{hit.rayColor,  float(front), float(back), float(signedDistance),
                          out.point,     out.vector,   out.normal,  out.derivU,
                          out.derivV};
    if (frame.offsetApplied) state->primitive = frame.savedPrimitive;
}
