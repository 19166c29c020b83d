// How the shader reads a parameter: from the block, or from the shader the host connected to it.
#pragma once

#include <cstdint>
#include <cstring>

#include "vantrel_host.h"

// The address at which the value of the parameter field at `field` is to be read. A connected
// parameter makes the host run its shader now. A host that answers a connected parameter with no
// address leaves the block's own value in force.
inline const void* evalParameter(RenderState* state, const void* field) {
    const int32_t offset = state->shader->connectionOffset;  // read afresh for every parameter
    if (offset == 0) return field;
    int32_t word;
    std::memcpy(&word, static_cast<const char*>(field) + offset, sizeof word);
    if (word == 0) return field;
    const void* value = mi_phen_eval(state, const_cast<void*>(field));
    return value ? value : field;
}

// Reads a parameter and copies its value at once, before any further call into the host. An
// unconnected parameter is read straight from its field.
template <class T>
inline T readParameter(RenderState* state, const T& field) {
    const void* at = evalParameter(state, &field);
    if (at == &field) [[likely]] {
        return field;
    }
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Booleans are whole 32-bit words: zero false, anything else true.
inline bool readBoolean(RenderState* state, const int32_t& field) {
    return readParameter(state, field) != 0;
}
