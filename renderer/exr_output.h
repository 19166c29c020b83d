// Writes named channels as a 32-bit float OpenEXR image.
#pragma once

#include <string>
#include <vector>

#include "frame_channels.h"

// Throws std::runtime_error naming the file when it cannot be written.
void writeExr(const std::string& path, int width, int height,
              const std::vector<ImageChannel>& channels);
