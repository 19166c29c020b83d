#include "exr_output.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfOutputFile.h>

#include <stdexcept>

void writeExr(const std::string& path, int width, int height,
              const std::vector<ImageChannel>& channels) {
    try {
        Imf::Header header(width, height);
        header.compression() = Imf::ZIP_COMPRESSION;
        Imf::FrameBuffer buffer;
        for (const ImageChannel& channel : channels) {
            header.channels().insert(channel.name, Imf::Channel(Imf::FLOAT));
            buffer.insert(
                channel.name,
                Imf::Slice(Imf::FLOAT,
                           reinterpret_cast<char*>(const_cast<float*>(channel.values.data())),
                           sizeof(float), sizeof(float) * std::size_t(width)));
        }
        Imf::OutputFile file(path.c_str(), header);
        file.setFrameBuffer(buffer);
        file.writePixels(height);
    } catch (const std::exception& e) {
        throw std::runtime_error("cannot write the EXR image '" + path + "': " + e.what());
    }
}
