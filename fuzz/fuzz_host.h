// The fuzzer's host: the 16 host functions the shader calls, exported from the fuzzer so that the
// loaded plug-in binds to them, answering from the fuzz input and logging every call together with
// the render state as it was at that moment.
//
// Answers, read from the input as the calls come:
//   mi_phen_eval         1 control byte: low two bits 0 answer no address, otherwise the address of
//                        a value read from the next 4 (12 for a vector) bytes; bit 2 the connected
//                        shader traced rays of its own and left the child state overwritten; bit 3
//                        the connected shader is another vantrel instance, called on the same
//                        render state with the next 88 bytes as its unconnected parameter block
//                        (its host calls answer from the input as well but are kept out of the log)
//   mi_trace_reflection  1 control byte: low two bits pick the result (0, 1, 2, -1), bit 2 leaves
//                        no child state; 1 byte ray length (0, -0, -1, +inf, -inf, NaN, the least
//                        denormal, 1e300, or the next 8 bytes as a double); 16 bytes colour; 12
//                        point; 12 normal; 1 inverted-normal flag; 1 byte derivative list (null
//                        with the next byte as its count, empty, one, two or three entries of 12
//                        bytes each, or two entries with a negative count)
//   the 14 transforms    1 control byte: 0 writes nothing, 1 the input unchanged, 2 the next 12
//                        bytes (NaN and infinite components included)
// Every answer, child state and derivative list is an allocation of exactly its own size that
// lives until the call ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_input.h"
#include "vantrel_host.h"

namespace fuzzhost {

enum class Call : uint8_t {
    PhenEval,
    TraceReflection,
    PointFromCamera,
    NormalFromCamera,
    PointToObject,
    PointToWorld,
    PointToCamera,
    PointToLight,
    VectorToObject,
    VectorToWorld,
    VectorToCamera,
    VectorToLight,
    NormalToObject,
    NormalToWorld,
    NormalToCamera,
    NormalToLight,
};
const char* nameOf(Call call);

struct Event {
    Call call;
    Vector statePoint;  // the render state at the moment of the call
    const void* statePrimitive;
    // mi_phen_eval
    std::ptrdiff_t parameterOffset = -1;  // the field's offset in the parameter block
    bool answeredNoAddress = false;
    unsigned char answer[12] = {};  // the value answered, when there was an address
    // mi_trace_reflection
    Vector direction{};
    bool countsAsHit = false;  // true returned, a child state, and a ray length above 0
    Color color{};
    Vector hitPoint{};
    // transforms
    Vector input{};
    Vector output{};
    bool wroteOutput = false;
    bool outputIsInput = false;  // the shader passed one vector as both
    // mi_phen_eval that ran another vantrel call: what that call did wrong, if anything
    const char* nestedCallFault = nullptr;
};

// Starts one call: answers come from `answers`, parameter addresses are measured from `block`, and
// `shade` is the shader a connected vantrel instance runs.
void beginCall(FuzzInput& answers, const ProbeParameters* block, VantrelShaderFn shade);
const std::vector<Event>& events();
// Frees everything the call's answers allocated.
void endCall();

}  // namespace fuzzhost
