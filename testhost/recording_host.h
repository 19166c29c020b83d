// A recording test host: a shared library that exports the host functions the shader calls, answers
// them from a script, and logs every call with the render state as it was at that moment. Each
// thread has its own script and log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "vantrel_host.h"

// On Windows the test host is a DLL: its exports are marked when it is built (CMake defines
// vantrel_testhost_EXPORTS then) and imported everywhere else.
#if defined(_WIN32) && defined(vantrel_testhost_EXPORTS)
#define TESTHOST_API __declspec(dllexport)
#elif defined(_WIN32)
#define TESTHOST_API __declspec(dllimport)
#else
#define TESTHOST_API __attribute__((visibility("default")))
#endif

namespace testhost {

// What one mi_trace_reflection answers, and what it leaves in the child state.
struct TraceAnswer {
    int32_t returns = 1;
    double rayLength = 1.0;
    Color color{};
    Vector point{};
    Vector normal{};
    uint8_t invertedNormal = 0;
    std::vector<Vector> derivatives;  // the child's list; count = size unless overridden
    int32_t derivativeCount = -1;     // >= 0: the count the child reports instead
    bool nullDerivatives = false;     // the child's list pointer is null
};

// One host call. Transforms record their input, traces their direction.
struct HostCall {
    std::string function;
    std::ptrdiff_t parameterOffset = -1;  // mi_phen_eval: the field's offset in the block
    Vector argument{};
    Vector statePoint{};            // the render state's point at the moment of the call
    const void* statePrimitive{};   // and its current primitive
};

// Forgets the script, the connections and the log.
TESTHOST_API void reset();

// Queues the answer of the next trace. A trace with nothing queued returns false.
TESTHOST_API void scriptTrace(const TraceAnswer& answer);

// Connected parameters: mi_phen_eval for the field at `offset` of `block` answers the address of
// `value` (copied here), or null when `value` is null.
TESTHOST_API void setParameterBlock(const void* block);
TESTHOST_API void connectValue(std::size_t offset, const void* value, std::size_t size);

// The map each transform applies, out = in * scale + offset per component in single precision,
// the offset zero for vectors and normals. Every function has a distinct one.
TESTHOST_API Vector transform(const std::string& function, const Vector& in);

TESTHOST_API const std::vector<HostCall>& callLog();

}  // namespace testhost
