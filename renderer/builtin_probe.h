// A probe built into the renderer: at every sample it casts the plug-in's probe rays itself,
// straight through the ray tracer, and fills the same result block by the same rules and with the
// same single- and double-precision arithmetic, so that it renders the same picture without the
// plug-in. It stands in for the plug-in where the cost of hosting the plug-in is measured
// (bench/). The parameter values are taken from the instance's block once, as they are.
#pragma once

#include <cstddef>

#include "render_states.h"
#include "sample_shader.h"
#include "shader_instance.h"

class BuiltinProbe : public SampleShader {
   public:
    // Throws ParameterError when the instance has a connected parameter, which the built-in probe
    // cannot evaluate, or when the declaration lacks a field the probe reads or writes.
    BuiltinProbe(const RenderContext& context, ShaderInstance& instance);
    void shade(void* result, RenderState& state) const override;

    struct Settings {
        bool traceFront, traceBack;
        int32_t outputSpace;
        float startOffset, frontRange, backRange, frontCutoff, backCutoff;
        bool normalizeDistances, clampDistances, useCutoff, useInputPoint;
        Vector inputNormal, inputPoint;
    };
    struct ResultOffsets {
        std::size_t hitColor, frontDistance, backDistance, signedDistance, hitPoint, hitVector,
            hitNormal, hitDerivU, hitDerivV;
    };

   private:
    const RenderContext& context_;
    Settings settings_;
    ResultOffsets at_;
};
