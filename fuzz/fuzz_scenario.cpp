#include "fuzz_scenario.h"

#include <cstring>
#include <new>

namespace {

constexpr std::size_t kBlockSize = sizeof(ProbeParameters);
constexpr std::size_t kFields = kBlockSize / 4;

}  // namespace

Scenario::Scenario(FuzzInput& input) {
    unsigned char block[kBlockSize];
    input.read(block, sizeof block);
    const int layout = input.byte() % 3;
    unsigned char words[kFields];
    input.read(words, sizeof words);

    // The connection words lie a whole block behind or in front of the parameters; with no
    // connections there is nothing beside the block, so a read of a connection word is caught.
    blockStorageSize = layout == 0 ? kBlockSize : 2 * kBlockSize;
    blockStorage.reset(new unsigned char[blockStorageSize]);
    const std::size_t parametersAt = layout == 2 ? kBlockSize : 0;
    parameters = new (blockStorage.get() + parametersAt) ProbeParameters;
    std::memcpy(parameters, block, kBlockSize);
    int32_t connectionOffset = 0;
    if (layout != 0) {
        connectionOffset = layout == 1 ? int32_t{kBlockSize} : -int32_t{kBlockSize};
        unsigned char* wordBlock = blockStorage.get() + (layout == 1 ? kBlockSize : 0);
        for (std::size_t field = 0; field < kFields; ++field) {
            const int32_t word = words[field];
            std::memcpy(wordBlock + 4 * field, &word, sizeof word);
        }
    }

    shaderCall.reset(new ShaderCall{connectionOffset});
    state.reset(new RenderState{});
    state->shader = shaderCall.get();
    input.read(&state->point, sizeof state->point);
    input.read(&state->normal, sizeof state->normal);
    // An opaque handle the shader only saves and restores; it is never dereferenced.
    const uint8_t primitive = input.byte();
    state->primitive =
        primitive == 0 ? nullptr : reinterpret_cast<const void*>(uintptr_t{0x10000} * primitive);
    result.reset(new ProbeResult);
}

bool Scenario::connected(std::size_t fieldOffset) const {
    const int32_t offset = shaderCall->connectionOffset;
    if (offset == 0) return false;
    int32_t word;
    std::memcpy(&word, fieldBytes(fieldOffset) + offset, sizeof word);
    return word != 0;
}

const unsigned char* Scenario::fieldBytes(std::size_t fieldOffset) const {
    return reinterpret_cast<const unsigned char*>(parameters) + fieldOffset;
}
