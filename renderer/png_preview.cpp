#include "png_preview.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

using Rgb = std::array<uint8_t, 3>;

constexpr Rgb kBackground{28, 28, 32};

Rgb ramp(double t) {
    static constexpr std::array<std::array<double, 3>, 5> kStops = {
        {{13, 8, 135}, {126, 3, 168}, {204, 71, 120}, {248, 149, 64}, {240, 249, 33}}};
    if (!std::isfinite(t)) return kBackground;
    t = std::clamp(t, 0.0, 1.0) * double(kStops.size() - 1);
    const std::size_t i = std::min(std::size_t(t), kStops.size() - 2);
    const double f = t - double(i);
    Rgb out;
    for (int c = 0; c < 3; ++c)
        out[c] = uint8_t(std::lround(kStops[i][c] * (1 - f) + kStops[i + 1][c] * f));
    return out;
}

uint8_t unitToByte(double v) {
    if (!std::isfinite(v)) return 0;
    return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

float component(const Frame& frame, std::size_t pixel, const DeclaredField& field, int c) {
    const char* at = static_cast<const char*>(frame.result(pixel)) + field.offset + 4 * c;
    if (field.type == FieldType::kBoolean || field.type == FieldType::kInteger) {
        int32_t v;
        std::memcpy(&v, at, sizeof v);
        return float(v);
    }
    float v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

}  // namespace

PreviewRange writePngPreview(const std::string& path, const Frame& frame,
                             const DeclaredField& field, std::optional<PreviewRange> range) {
    const std::size_t pixels = frame.pixelCount();
    const int components = componentCount(field.type);
    const auto shaded = [&](std::size_t p) { return frame.objectId[p] > 0.0f; };

    // The extent of the values over the shaded pixels.
    double low = 0.0, high = -std::numeric_limits<double>::infinity(), largest = 0.0;
    for (std::size_t p = 0; p < pixels; ++p) {
        if (!shaded(p)) continue;
        for (int c = 0; c < components; ++c) {
            const double v = component(frame, p, field, c);
            if (!std::isfinite(v)) continue;
            low = std::min(low, v);
            high = std::max(high, v);
            largest = std::max(largest, std::abs(v));
        }
    }
    if (range) {
        low = range->low;
        high = range->high;
    }
    if (!(high > low)) high = low + 1.0;
    if (!(largest > 0.0)) largest = 1.0;

    std::vector<uint8_t> rgb(pixels * 3);
    for (std::size_t p = 0; p < pixels; ++p) {
        Rgb out = kBackground;
        if (shaded(p)) {
            if (field.type == FieldType::kVector) {
                for (int c = 0; c < 3; ++c)
                    out[c] = unitToByte(0.5 + 0.5 * component(frame, p, field, c) / largest);
            } else if (field.type == FieldType::kColor) {
                for (int c = 0; c < 3; ++c) {
                    out[c] = unitToByte(
                        std::pow(std::max(0.0f, component(frame, p, field, c)), 1.0 / 2.2));
                }
            } else {
                out = ramp((component(frame, p, field, 0) - low) / (high - low));
            }
        }
        std::copy(out.begin(), out.end(), rgb.begin() + std::ptrdiff_t(3 * p));
    }

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(frame.width);
    image.height = png_uint_32(frame.height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr)) {
        const std::string why = image.message;
        png_image_free(&image);
        throw std::runtime_error("cannot write the PNG image '" + path + "': " + why);
    }
    if (field.type == FieldType::kVector) return {-largest, largest};
    if (field.type == FieldType::kColor) return {0.0, 1.0};
    return {low, high};
}
