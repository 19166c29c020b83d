// The shader's parameter and result blocks. The host lays both out from the declaration file
// (vantrel.decl), so every size and offset here is fixed and checked at compile time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vantrel_host.h"

struct ProbeParameters {
    int32_t traceFront;          // boolean: cast a ray along the probe normal
    int32_t traceBack;           // boolean: cast a ray against it
    float unread[4];             // declared parameters the shader never reads
    int32_t outputSpace;         // 1 object, 2 world, 3 camera, 5 light, else internal
    float startOffset;           // ray origins pulled back by this much
    float frontRange;            // clamp limit and normalisation divisor, front side
    float backRange;             // the same, back side
    float frontCutoff;           // a front distance above it becomes 0
    float backCutoff;            // a back distance above it becomes 0
    int32_t normalizeDistances;  // boolean
    int32_t clampDistances;      // boolean
    int32_t useCutoff;           // boolean
    int32_t useInputPoint;       // boolean: probe from inputPoint/inputNormal (camera space)
    Vector inputNormal;
    Vector inputPoint;
};

struct ProbeResult {
    Color hitColor;
    float frontDistance;
    float backDistance;
    float signedDistance;
    Vector hitPoint;
    Vector hitVector;
    Vector hitNormal;
    Vector hitDerivU;
    Vector hitDerivV;
};

static_assert(sizeof(Vector) == 12 && sizeof(Color) == 16);
static_assert(sizeof(ProbeParameters) == 88);
static_assert(offsetof(ProbeParameters, traceFront) == 0);
static_assert(offsetof(ProbeParameters, traceBack) == 4);
static_assert(offsetof(ProbeParameters, unread) == 8);
static_assert(offsetof(ProbeParameters, outputSpace) == 24);
static_assert(offsetof(ProbeParameters, startOffset) == 28);
static_assert(offsetof(ProbeParameters, frontRange) == 32);
static_assert(offsetof(ProbeParameters, backRange) == 36);
static_assert(offsetof(ProbeParameters, frontCutoff) == 40);
static_assert(offsetof(ProbeParameters, backCutoff) == 44);
static_assert(offsetof(ProbeParameters, normalizeDistances) == 48);
static_assert(offsetof(ProbeParameters, clampDistances) == 52);
static_assert(offsetof(ProbeParameters, useCutoff) == 56);
static_assert(offsetof(ProbeParameters, useInputPoint) == 60);
static_assert(offsetof(ProbeParameters, inputNormal) == 64);
static_assert(offsetof(ProbeParameters, inputPoint) == 76);

static_assert(sizeof(ProbeResult) == 88);
static_assert(offsetof(ProbeResult, hitColor) == 0);
static_assert(offsetof(ProbeResult, frontDistance) == 16);
static_assert(offsetof(ProbeResult, backDistance) == 20);
static_assert(offsetof(ProbeResult, signedDistance) == 24);
static_assert(offsetof(ProbeResult, hitPoint) == 28);
static_assert(offsetof(ProbeResult, hitVector) == 40);
static_assert(offsetof(ProbeResult, hitNormal) == 52);
static_assert(offsetof(ProbeResult, hitDerivU) == 64);
static_assert(offsetof(ProbeResult, hitDerivV) == 76);

// The render state is shared with hosts built on their own; its layout follows natural alignment.
static_assert(offsetof(RenderState, child) == 0);
static_assert(offsetof(RenderState, point) == 3 * sizeof(void*));
static_assert(offsetof(RenderState, normal) == 3 * sizeof(void*) + 12);
static_assert(offsetof(RenderState, invertedNormal) == 3 * sizeof(void*) + 24);
static_assert(offsetof(RenderState, rayLength) % 8 == 0);
static_assert(offsetof(RenderState, derivatives) == offsetof(RenderState, rayLength) + 8);
