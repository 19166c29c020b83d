#include "write_probe_result.h"

#include "eval_parameter.h"
#include "vector_math.h"

namespace {

using SpaceTransform = int32_t (*)(RenderState*, Vector*, const Vector*);

// The five geometric outputs, in the order the host sees their transforms.
struct Geometry {
    Vector point, vector, normal, derivU, derivV;
};

inline void transformInto(RenderState* state, Geometry& out, const Geometry& in,
                          SpaceTransform point, SpaceTransform vector, SpaceTransform normal) {
    out = Geometry{};  // what a transform that writes nothing leaves
    point(state, &out.point, &in.point);
    vector(state, &out.vector, &in.vector);
    normal(state, &out.normal, &in.normal);
    vector(state, &out.derivU, &in.derivU);
    vector(state, &out.derivV, &in.derivV);
}

// Brings the geometry into the space outputSpace selects: 1 object, 2 world, 3 camera, 5 light;
// every other value is the internal space and leaves it as it is.
inline void intoOutputSpace(RenderState* state, int32_t outputSpace, Geometry& g) {
    const Geometry in = g;
    switch (outputSpace) {
        case 1:
            transformInto(state, g, in, mi_point_to_object, mi_vector_to_object,
                          mi_normal_to_object);
            break;
        case 2:
            transformInto(state, g, in, mi_point_to_world, mi_vector_to_world, mi_normal_to_world);
            break;
        case 3:
            transformInto(state, g, in, mi_point_to_camera, mi_vector_to_camera,
                          mi_normal_to_camera);
            break;
        case 5:
            transformInto(state, g, in, mi_point_to_light, mi_vector_to_light, mi_normal_to_light);
            break;
        default: break;
    }
}

}  // namespace

void writeProbeResult(ProbeResult* result, RenderState* state, const ProbeParameters* parameters,
                      const ProbeFrame& frame, const ProbeHit& hit) {
    Geometry g{hit.position, hit.toHit, hit.surfaceNormal, hit.derivU, hit.derivV};
    const double dist = lengthOf(g.vector);
    // A hit in the plane across the normal, or with a dot product that is not a number, is behind.
    const bool ahead = dotOf(frame.probeNormal, g.vector) > 0.0;
    double front = ahead ? dist : 0.0;
    double back = ahead ? 0.0 : dist;

    if (readBoolean(state, parameters->useCutoff)) {
        const float frontCutoff = readParameter(state, parameters->frontCutoff);
        const float backCutoff = readParameter(state, parameters->backCutoff);
        const float longest = backCutoff > frontCutoff ? backCutoff : frontCutoff;
        // Written as "unless within" so that a cutoff that is not a number drops its distance.
        if (!(front <= frontCutoff)) front = 0.0;
        if (!(back <= backCutoff)) back = 0.0;
        if (dist > longest) g.vector = Vector{0.0f, 0.0f, 0.0f};
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

    intoOutputSpace(state, readParameter(state, parameters->outputSpace), g);
    makeUnit(g.normal);
    makeUnit(g.derivU);
    makeUnit(g.derivV);

    // The host has made its last call: the whole block is written now.
    result->hitColor = hit.rayColor;
    result->frontDistance = float(front);
    result->backDistance = float(back);
    result->signedDistance = float(signedDistance);
    result->hitPoint = g.point;
    result->hitVector = g.vector;
    result->hitNormal = g.normal;
    result->hitDerivU = g.derivU;
    result->hitDerivV = g.derivV;
    if (frame.offsetApplied) state->primitive = frame.savedPrimitive;
}
