// The frame as named image channels: every result field of the declaration, then the renderer's
// own position.X/Y/Z (world-space camera hit) and objectId.
//   scalar, integer and boolean fields: NAME
//   vector fields: NAME.X, NAME.Y, NAME.Z
//   color fields:  NAME.R, NAME.G, NAME.B, NAME.A
#pragma once

#include <string>
#include <vector>

#include "declaration.h"
#include "frame.h"

struct ImageChannel {
    std::string name;
    std::vector<float> values;  // one per pixel, row by row
};

// The channel names of one field, in component order.
std::vector<std::string> channelNames(const DeclaredField& field);

std::vector<ImageChannel> frameChannels(const Frame& frame, const Declaration& declaration);
