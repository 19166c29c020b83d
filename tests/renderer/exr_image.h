// Reads the channels of an EXR image that the renderer wrote.
#pragma once

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "affine.h"

class ExrImage {
   public:
    explicit ExrImage(const std::string& path) {
        Imf::InputFile file(path.c_str());
        const Imath::Box2i window = file.header().dataWindow();
        width = window.max.x - window.min.x + 1;
        height = window.max.y - window.min.y + 1;
        Imf::FrameBuffer buffer;
        for (auto c = file.header().channels().begin(); c != file.header().channels().end(); ++c) {
            std::vector<float>& values = channels_[c.name()];
            values.resize(std::size_t(width) * std::size_t(height));
            buffer.insert(c.name(), Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(values.data()),
                                               sizeof(float), sizeof(float) * std::size_t(width)));
        }
        file.setFrameBuffer(buffer);
        file.readPixels(window.min.y, window.max.y);
    }

    bool has(const std::string& name) const { return channels_.count(name) != 0; }
    float value(const std::string& name, std::size_t pixel) const {
        const auto found = channels_.find(name);
        if (found == channels_.end()) throw std::runtime_error("no channel " + name);
        return found->second[pixel];
    }
    // NAME.X, NAME.Y, NAME.Z as one vector.
    Vec3 vector(const std::string& name, std::size_t pixel) const {
        return {value(name + ".X", pixel), value(name + ".Y", pixel), value(name + ".Z", pixel)};
    }
    // Pixels whose objectId is that object's index + 1.
    std::vector<std::size_t> pixelsOf(uint32_t object) const {
        std::vector<std::size_t> pixels;
        for (std::size_t p = 0; p < pixelCount(); ++p) {
            if (value("objectId", p) == float(object + 1)) pixels.push_back(p);
        }
        return pixels;
    }
    std::size_t pixelCount() const { return std::size_t(width) * std::size_t(height); }

    int width = 0;
    int height = 0;

   private:
    std::map<std::string, std::vector<float>> channels_;
};
