// The two settings the shader benchmarks run, and one render thread's side of a call: its render
// state with a child state of its own, and its result block.
#pragma once

#include <cstring>
#include <string_view>

#include "probe_records.h"
#include "vantrel_host.h"

// minimal: the front ray only, results in the internal space; every switch off.
// full: both rays, the origins pulled back, cutoff, clamping and normalisation on, results in
// world space (five transforms). The cutoffs and ranges are wide enough to keep every value.
// scene: what the reference renderer's built-in scene sets: the back ray only, from just inside
// the surface, results in world space.
inline ProbeParameters shaderSetting(std::string_view name) {
    ProbeParameters p{};
    if (name == "scene") {
        p.traceBack = 1;
        p.startOffset = -0.001f;
        p.outputSpace = 2;
        return p;
    }
    p.traceFront = 1;
    if (name == "full") {
        p.traceBack = 1;
        p.outputSpace = 2;
        p.startOffset = 0.001f;
        p.frontRange = p.backRange = 4.0f;
        p.frontCutoff = p.backCutoff = 8.0f;
        p.normalizeDistances = p.clampDistances = p.useCutoff = 1;
    }
    return p;
}

inline bool isShaderSetting(std::string_view name) {
    return name == "minimal" || name == "full" || name == "scene";
}

struct ShadingThread {
    explicit ShadingThread(const ShaderCall* call) {
        state.child = &child;
        state.shader = call;
        state.primitive = &state;  // any non-null handle
        state.point = {0.5f, -0.25f, 2.0f};
        state.normal = {0.0f, 0.0f, 3.0f};
        std::memset(&result, 0, sizeof result);
    }
    ShadingThread(const ShadingThread&) = delete;
    ShadingThread& operator=(const ShadingThread&) = delete;

    RenderState state{};
    RenderState child{};
    ProbeResult result{};
};
