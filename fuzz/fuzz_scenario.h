// One shading call as a host sets it up, taken from the head of the fuzz input: the parameter block
// with its block of connection words, the running shader's record, the render state and the result
// block. Each lives in an allocation of exactly its own size, so that AddressSanitizer reports any
// access outside it.
//
// Input layout, in order:
//   88 bytes  the parameter block, as the host filled it
//    1 byte   where the connection words lie: 0 no connections (offset 0), 1 behind the block,
//             2 in front of it (a negative offset); taken modulo 3
//   22 bytes  one per 32-bit field: the connection word's value (0: not connected)
//   12 + 12   the render state's intersection point and normal
//    1 byte   the current primitive: 0 null, otherwise an opaque handle
// What follows is read by the fuzz host as the shader calls it (fuzz_host.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz_input.h"
#include "probe_records.h"

struct Scenario {
    explicit Scenario(FuzzInput& input);

    // True when the shader must see the parameter at `fieldOffset` as connected.
    bool connected(std::size_t fieldOffset) const;
    // The bytes of the field at `fieldOffset` as they lie in the block.
    const unsigned char* fieldBytes(std::size_t fieldOffset) const;

    std::size_t blockStorageSize = 0;
    std::unique_ptr<unsigned char[]> blockStorage;  // the parameter block and its connection words
    ProbeParameters* parameters = nullptr;
    std::unique_ptr<ShaderCall> shaderCall;
    std::unique_ptr<RenderState> state;
    std::unique_ptr<ProbeResult> result;
};
