// One run of the renderer: declaration, plug-in, scene and shader instance set up from the
// options, the frame rendered, the images written.
#pragma once

#include "command_line.h"

// Throws std::runtime_error (or one of its kinds) with a message for the user when anything the
// options name cannot be used.
void runRenderJob(const Options& options);
