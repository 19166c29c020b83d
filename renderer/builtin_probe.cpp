#include "builtin_probe.h"

#include <cmath>
#include <cstring>
#include <optional>

#include "parameter_values.h"

namespace {

// The plug-in's vector rules: lengths and dot products in double precision from single-precision
// components, every stored value in single precision.
double lengthOf(const Vector& v) {
    return std::sqrt(double(v.x) * double(v.x) + double(v.y) * double(v.y) +
                     double(v.z) * double(v.z));
}
double dotOf(const Vector& a, const Vector& b) {
    return double(a.x) * double(b.x) + double(a.y) * double(b.y) + double(a.z) * double(b.z);
}
// Unit length through the single-precision reciprocal of the single-precision length; a vector
// whose length is zero or not a number stays as it is.
Vector unit(Vector v) {
    const float length = float(lengthOf(v));
    if (!(length > 0.0f)) return v;
    const float reciprocal = 1.0f / length;
    return {v.x * reciprocal, v.y * reciprocal, v.z * reciprocal};
}
Vector minus(const Vector& a, const Vector& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vector plus(const Vector& a, const Vector& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vector scaled(const Vector& a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
Vector negated(const Vector& a) {
    return {-a.x, -a.y, -a.z};
}

struct ProbeHit {
    Color color;
    Vector position, toHit, normal, derivU, derivV;
    double distance;
};

template <class T>
T valueOf(ShaderInstance& instance, const char* name, FieldType type) {
    const DeclaredField& field = instance.require(name, type);
    T value;
    std::memcpy(&value, reinterpret_cast<const char*>(instance.parameters()) + field.offset,
                sizeof value);
    return value;
}

std::size_t resultAt(const Declaration& declaration, const char* name, FieldType type) {
    const DeclaredField* field = declaration.result(name);
    if (field == nullptr || field->type != type) {
        throw ParameterError("the declaration '" + declaration.path + "' has no " + nameOf(type) +
                             " result '" + name + "' for the built-in probe to write");
    }
    return field->offset;
}

}  // namespace

BuiltinProbe::BuiltinProbe(const RenderContext& context, ShaderInstance& instance)
    : context_(context) {
    if (instance.call()->connectionOffset != 0) {
        throw ParameterError("the built-in probe cannot evaluate connected parameters");
    }
    Settings& s = settings_;
    s.traceFront = valueOf<int32_t>(instance, "traceFront", FieldType::kBoolean) != 0;
    s.traceBack = valueOf<int32_t>(instance, "traceBack", FieldType::kBoolean) != 0;
    s.outputSpace = valueOf<int32_t>(instance, "outputSpace", FieldType::kInteger);
    s.startOffset = valueOf<float>(instance, "startOffset", FieldType::kScalar);
    s.frontRange = valueOf<float>(instance, "frontRange", FieldType::kScalar);
    s.backRange = valueOf<float>(instance, "backRange", FieldType::kScalar);
    s.frontCutoff = valueOf<float>(instance, "frontCutoff", FieldType::kScalar);
    s.backCutoff = valueOf<float>(instance, "backCutoff", FieldType::kScalar);
    s.normalizeDistances =
        valueOf<int32_t>(instance, "normalizeDistances", FieldType::kBoolean) != 0;
    s.clampDistances = valueOf<int32_t>(instance, "clampDistances", FieldType::kBoolean) != 0;
    s.useCutoff = valueOf<int32_t>(instance, "useCutoff", FieldType::kBoolean) != 0;
    s.useInputPoint = valueOf<int32_t>(instance, "useInputPoint", FieldType::kBoolean) != 0;
    s.inputNormal = valueOf<Vector>(instance, "inputNormal", FieldType::kVector);
    s.inputPoint = valueOf<Vector>(instance, "inputPoint", FieldType::kVector);

    const Declaration& d = instance.declaration();
    at_ = {resultAt(d, "hitColor", FieldType::kColor),
           resultAt(d, "frontDistance", FieldType::kScalar),
           resultAt(d, "backDistance", FieldType::kScalar),
           resultAt(d, "signedDistance", FieldType::kScalar),
           resultAt(d, "hitPoint", FieldType::kVector),
           resultAt(d, "hitVector", FieldType::kVector),
           resultAt(d, "hitNormal", FieldType::kVector),
           resultAt(d, "hitDerivU", FieldType::kVector),
           resultAt(d, "hitDerivV", FieldType::kVector)};
}

void BuiltinProbe::shade(void* result, RenderState& state) const {
    const Settings& s = settings_;
    const RenderSpaces& spaces = *context_.spaces;

    // The probe frame, from the state or from the camera-space inputs.
    Vector p = state.point;
    Vector n = state.normal;
    if (s.useInputPoint) {
        p = toVector(spaces.camera.pointToInternal(toVec3(s.inputPoint)));
        n = toVector(spaces.camera.normalToInternal(toVec3(s.inputNormal)));
    }
    n = unit(n);
    const bool offsetApplied = std::fabs(s.startOffset) > 0.0f;
    // With the offset applied nothing is excluded, so that the rays can hit the probe's own
    // surface.
    const auto* excluded =
        offsetApplied ? nullptr : static_cast<const PrimitiveId*>(state.primitive);

    // A ray as the renderer's trace casts it, measured from the probe point.
    const auto cast = [&](const Vector& origin,
                          const Vector& direction) -> std::optional<ProbeHit> {
        const Vec3 o = toVec3(origin);
        const Vec3 d = toVec3(direction);
        const double len = length(d);
        if (!(len > 0.0) || !isFinite(d) || !isFinite(o)) return std::nullopt;
        const std::optional<SurfaceHit> hit = context_.tracer->trace(o, d * (1.0 / len), excluded);
        if (!hit || !(hit->distance > 0.0)) return std::nullopt;
        ProbeHit h;
        h.color = context_.scene->objects[hit->primitive->object].color;
        h.position = toVector(hit->point);
        h.toHit = minus(h.position, p);
        h.distance = lengthOf(h.toHit);
        h.normal = toVector(hit->normal);
        h.derivU = toVector(hit->dPdu);
        h.derivV = toVector(hit->dPdv);
        return h;
    };
    std::optional<ProbeHit> front, back;
    if (s.traceFront)
        front = cast(offsetApplied ? minus(p, scaled(n, s.startOffset)) : state.point, n);
    if (s.traceBack) {
        back = cast(offsetApplied ? plus(p, scaled(n, s.startOffset)) : state.point, negated(n));
    }
    ProbeHit chosen{};
    if (back && (!front || !(front->distance <= back->distance))) {
        chosen = *back;
    } else if (front) {
        chosen = *front;
    }

    // Distances, shaped as the switches say.
    const double dist = chosen.distance;
    const bool ahead = dotOf(n, chosen.toHit) > 0.0;
    double frontDistance = ahead ? dist : 0.0;
    double backDistance = ahead ? 0.0 : dist;
    Vector hitVector = chosen.toHit;
    if (s.useCutoff) {
        const float longest = s.backCutoff > s.frontCutoff ? s.backCutoff : s.frontCutoff;
        if (!(frontDistance <= s.frontCutoff)) frontDistance = 0.0;
        if (!(backDistance <= s.backCutoff)) backDistance = 0.0;
        if (dist > longest) hitVector = Vector{0.0f, 0.0f, 0.0f};
    }
    if (s.clampDistances) {
        if (!(frontDistance <= s.frontRange)) frontDistance = s.frontRange;
        if (!(backDistance <= s.backRange)) backDistance = s.backRange;
    }
    double signedDistance = frontDistance - backDistance;
    if (s.normalizeDistances) {
        const double ranges = double(s.frontRange) + double(s.backRange);
        signedDistance = ranges > 0.0 ? signedDistance / ranges + 0.5 : 0.0;
        frontDistance = s.frontRange > 0.0f ? frontDistance * (1.0 / double(s.frontRange)) : 0.0;
        backDistance = s.backRange > 0.0f ? backDistance * (1.0 / double(s.backRange)) : 0.0;
    }

    // The geometry in the output space, as the renderer's transforms give it.
    Vector point = chosen.position, normal = chosen.normal;
    Vector derivU = chosen.derivU, derivV = chosen.derivV;
    const SpaceTransform* space = nullptr;
    switch (s.outputSpace) {
        case 1: {
            const uint32_t object = stateData(&state)->object;
            static const SpaceTransform identity = SpaceTransform::fromSpaceToInternal(Affine{});
            space = object == kNoObject ? &identity : &spaces.objects[object];
            break;
        }
        case 2: space = &spaces.world; break;
        case 3: space = &spaces.camera; break;
        case 5: space = &spaces.light; break;
        default: break;
    }
    if (space != nullptr) {
        point = toVector(space->pointToSpace(toVec3(point)));
        hitVector = toVector(space->vectorToSpace(toVec3(hitVector)));
        normal = toVector(space->normalToSpace(toVec3(normal)));
        derivU = toVector(space->vectorToSpace(toVec3(derivU)));
        derivV = toVector(space->vectorToSpace(toVec3(derivV)));
    }
    normal = unit(normal);
    derivU = unit(derivU);
    derivV = unit(derivV);

    char* out = static_cast<char*>(result);
    const float distances[3] = {float(frontDistance), float(backDistance), float(signedDistance)};
    std::memcpy(out + at_.hitColor, &chosen.color, sizeof chosen.color);
    std::memcpy(out + at_.frontDistance, &distances[0], sizeof(float));
    std::memcpy(out + at_.backDistance, &distances[1], sizeof(float));
    std::memcpy(out + at_.signedDistance, &distances[2], sizeof(float));
    std::memcpy(out + at_.hitPoint, &point, sizeof point);
    std::memcpy(out + at_.hitVector, &hitVector, sizeof hitVector);
    std::memcpy(out + at_.hitNormal, &normal, sizeof normal);
    std::memcpy(out + at_.hitDerivU, &derivU, sizeof derivU);
    std::memcpy(out + at_.hitDerivV, &derivV, sizeof derivV);
}
