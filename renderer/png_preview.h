// A PNG picture of one result field, for a quick look:
//   a scalar (or integer, boolean) field on a colour ramp from dark blue through magenta and
//     orange to yellow, over `range` (by default from 0, or the smallest value if it is
//     negative, to the largest value in the frame);
//   a vector field as colours 0.5 + 0.5 * v / m per component, m its largest magnitude;
//   a colour field as it is, with display gamma.
// Pixels where the camera ray hit nothing are dark grey.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "declaration.h"
#include "frame.h"

struct PreviewRange {
    double low;
    double high;
};

// Returns the values that the picture's darkest and brightest colours stand for (per component
// for vectors and colours). Throws std::runtime_error naming the file when it cannot be written.
PreviewRange writePngPreview(const std::string& path, const Frame& frame,
                             const DeclaredField& field, std::optional<PreviewRange> range);
