// What the renderer runs at every surface sample: fills one result block, laid out by the
// declaration, for the render state of a camera hit. The plug-in is one such shader; a probe built
// into the renderer, casting the same rays itself, can be another, so that both can render the
// same scene for comparison.
#pragma once

#include "vantrel_host.h"

class SampleShader {
   public:
    virtual ~SampleShader() = default;
    // Called from several render threads at once, each with its own state and result block.
    virtual void shade(void* result, RenderState& state) const = 0;
};
