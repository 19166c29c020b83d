// A rendered frame: the shader's result block for every pixel, as the declaration lays it out,
// and what the camera ray itself hit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Frame {
    int width = 0;
    int height = 0;
    std::size_t resultSize = 0;
    std::vector<uint64_t> results;  // resultSize bytes per pixel, row by row; zero where unshaded
    std::vector<float> position;    // world-space point the camera ray hit, 3 per pixel
    std::vector<float> objectId;    // index + 1 of the object hit; 0: the ray hit nothing

    Frame(int w, int h, std::size_t blockSize)
        : width(w),
          height(h),
          resultSize(blockSize),
          results((std::size_t(w) * std::size_t(h) * blockSize + 7) / 8, 0),
          position(std::size_t(w) * std::size_t(h) * 3, 0.0f),
          objectId(std::size_t(w) * std::size_t(h), 0.0f) {}

    std::size_t pixelCount() const { return std::size_t(width) * std::size_t(height); }
    void* result(std::size_t pixel) {
        return reinterpret_cast<char*>(results.data()) + pixel * resultSize;
    }
    const void* result(std::size_t pixel) const {
        return reinterpret_cast<const char*>(results.data()) + pixel * resultSize;
    }
};
