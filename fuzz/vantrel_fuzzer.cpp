// libFuzzer target over the shader. Every input is one shading call: a parameter block with its
// connection words, a render state and the host's answers (fuzz_scenario.h, fuzz_host.h). The call
// is made twice, over result blocks filled with different patterns, and after each the fuzzer
// checks that
//   - vantrel returned true (1);
//   - the render state is handed back as it came (point and primitive included), the parameter
//     block, its connection words and the shader record unwritten, also by any vantrel instance
//     that ran as a connected shader in between;
//   - the host saw the parameter reads and calls in the fixed order, each read only when needed,
//     with the state's point and primitive as they must be at each (call_order_check.h);
//   - the result reports what the host answered (result_origin_check.h);
// and then that both calls wrote the same 88 bytes, so every byte was written. Any failure aborts,
// which libFuzzer reports as a crash and keeps as an input to replay.
#include <dlfcn.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "call_order_check.h"
#include "fuzz_host.h"
#include "fuzz_input.h"
#include "fuzz_scenario.h"
#include "result_origin_check.h"

namespace {

using ResultBytes = std::array<unsigned char, sizeof(ProbeResult)>;

VantrelShaderFn shade = nullptr;
bool printLogs = false;  // VANTREL_FUZZ_LOG set: print every call's host log

// The host calls of the call in progress, one line each.
void printLog() {
    for (const fuzzhost::Event& event : fuzzhost::events()) {
        std::fprintf(stderr, "  %s", fuzzhost::nameOf(event.call));
        if (event.call == fuzzhost::Call::PhenEval) {
            std::fprintf(stderr, "@%td%s", event.parameterOffset,
                         event.answeredNoAddress ? " (no address)" : "");
        }
        if (event.call == fuzzhost::Call::TraceReflection) {
            std::fprintf(stderr, " %s", event.countsAsHit ? "hit" : "miss");
        }
        std::fprintf(stderr, "\n");
    }
}

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "vantrel_fuzzer: %s\nhost calls of the failing call:\n", what.c_str());
    printLog();
    std::fflush(stderr);
    std::abort();
}

template <class T>
bool sameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The first field the shader left changed; the child pointer is the host's to set.
const char* changedField(const RenderState& entry, const RenderState& now) {
    if (!sameBytes(entry.point, now.point)) return "point";
    if (!sameBytes(entry.normal, now.normal)) return "normal";
    if (entry.primitive != now.primitive) return "primitive";
    if (entry.shader != now.shader) return "shader";
    if (entry.invertedNormal != now.invertedNormal) return "invertedNormal";
    if (!sameBytes(entry.rayLength, now.rayLength)) return "rayLength";
    if (entry.derivatives != now.derivatives) return "derivatives";
    if (entry.derivativeCount != now.derivativeCount) return "derivativeCount";
    if (entry.hostData != now.hostData) return "hostData";
    return nullptr;
}

ResultBytes shadeOnce(const uint8_t* data, std::size_t size, unsigned char fill) {
    FuzzInput input(data, size);
    Scenario scenario(input);
    std::memset(scenario.result.get(), fill, sizeof(ProbeResult));
    const RenderState entry = *scenario.state;
    const ShaderCall shaderCallBefore = *scenario.shaderCall;
    const std::vector<unsigned char> blocksBefore(
        scenario.blockStorage.get(), scenario.blockStorage.get() + scenario.blockStorageSize);

    fuzzhost::beginCall(input, scenario.parameters, shade);
    const int32_t returned =
        shade(scenario.result.get(), scenario.state.get(), scenario.parameters);
    if (printLogs) printLog();

    if (returned != 1) fault("vantrel returned " + std::to_string(returned) + ", not true");
    if (const char* field = changedField(entry, *scenario.state)) {
        fault(std::string("the render state's ") + field + " is not back at its entry value");
    }
    if (!sameBytes(shaderCallBefore, *scenario.shaderCall)) fault("the shader record was written");
    if (std::memcmp(blocksBefore.data(), scenario.blockStorage.get(), blocksBefore.size()) != 0) {
        fault("the parameter block or its connection words were written");
    }
    for (const fuzzhost::Event& event : fuzzhost::events()) {
        if (event.nestedCallFault) fault(event.nestedCallFault);
    }
    if (const std::string order = checkCallOrder(scenario, entry, fuzzhost::events());
        !order.empty()) {
        fault("call order: " + order);
    }
    if (const std::string origin = checkResultOrigin(*scenario.result, fuzzhost::events());
        !origin.empty()) {
        fault("result: " + origin);
    }
    fuzzhost::endCall();

    ResultBytes bytes;
    std::memcpy(bytes.data(), scenario.result.get(), bytes.size());
    return bytes;
}

}  // namespace

// Loads the plug-in the way a host does. VANTREL_PLUGIN names another build of it; a plug-in with
// the binding layer is handed this program's module, which exports the fuzz host's functions.
// VANTREL_FUZZ_LOG prints the host calls of every call, to see what an input does.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    printLogs = std::getenv("VANTREL_FUZZ_LOG") != nullptr;
    const char* path = std::getenv("VANTREL_PLUGIN");
    if (!path || !*path) path = VANTREL_PLUGIN_PATH;
    void* plugin = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!plugin) fault(std::string("cannot load the plug-in: ") + dlerror());
    shade = reinterpret_cast<VantrelShaderFn>(dlsym(plugin, "vantrel"));
    if (!shade) fault("the plug-in exports no vantrel");
    if (auto setModuleHandle =
            reinterpret_cast<MiSetModuleHandleFn>(dlsym(plugin, "miSetModuleHandle"))) {
        setModuleHandle(dlopen(nullptr, RTLD_NOW));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const ResultBytes overOnes = shadeOnce(data, size, 0xA5);
    const ResultBytes overZeros = shadeOnce(data, size, 0x5A);
    if (overOnes != overZeros) {
        std::size_t byte = 0;
        while (overOnes[byte] == overZeros[byte]) ++byte;
        fault("result byte " + std::to_string(byte) + " differs between two equal calls");
    }
    return 0;
}
