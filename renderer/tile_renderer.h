// Renders a frame over tiles on several threads: one camera ray through each pixel's centre, and
// at every hit the sample shader with that hit's render state.
#pragma once

#include "frame.h"
#include "render_states.h"
#include "sample_shader.h"

struct TileSettings {
    int threads = 1;
    int tileSize = 32;
    bool progress = true;
};

// The camera ray through pixel (x, y)'s centre, in internal (camera) space: from the origin, unit
// length.
Vec3 cameraRay(const Camera& camera, int width, int height, int x, int y);

// Fills `frame`; the shader's result blocks must be frame.resultSize bytes. An exception in any
// render thread stops the others and is thrown again here.
void renderFrame(const RenderContext& context, const SampleShader& shader,
                 const TileSettings& settings, Frame& frame);
