#include "frame_channels.h"

#include <cstdint>
#include <cstring>

std::vector<std::string> channelNames(const DeclaredField& field) {
    switch (field.type) {
        case FieldType::kVector: return {field.name + ".X", field.name + ".Y", field.name + ".Z"};
        case FieldType::kColor:
            return {field.name + ".R", field.name + ".G", field.name + ".B", field.name + ".A"};
        default: return {field.name};
    }
}

std::vector<ImageChannel> frameChannels(const Frame& frame, const Declaration& declaration) {
    const std::size_t pixels = frame.pixelCount();
    std::vector<ImageChannel> channels;
    for (const DeclaredField& field : declaration.results) {
        const std::vector<std::string> names = channelNames(field);
        const bool whole = field.type == FieldType::kBoolean || field.type == FieldType::kInteger;
        for (std::size_t c = 0; c < names.size(); ++c) {
            ImageChannel channel{names[c], std::vector<float>(pixels)};
            for (std::size_t p = 0; p < pixels; ++p) {
                const char* at = static_cast<const char*>(frame.result(p)) + field.offset + 4 * c;
                if (whole) {
                    int32_t v;
                    std::memcpy(&v, at, sizeof v);
                    channel.values[p] = float(v);
                } else {
                    std::memcpy(&channel.values[p], at, sizeof(float));
                }
            }
            channels.push_back(std::move(channel));
        }
    }
    const char* axes[] = {"position.X", "position.Y", "position.Z"};
    for (std::size_t c = 0; c < 3; ++c) {
        ImageChannel channel{axes[c], std::vector<float>(pixels)};
        for (std::size_t p = 0; p < pixels; ++p) channel.values[p] = frame.position[3 * p + c];
        channels.push_back(std::move(channel));
    }
    channels.push_back({"objectId", frame.objectId});
    return channels;
}
