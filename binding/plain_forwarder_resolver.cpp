// The C++ half of the plain forwarders' first call. The shared resolver stub has saved every
// argument register; it calls this with the function's index and jumps to whatever comes back,
// so the host function returns straight to the original caller.
#include <cstdint>

#include "host_function_table.h"
#include "resolve_host_function.h"

extern "C" {

// Defined beside the resolver stub. They stand in for a host function the module lacks: they
// return 0 (or null), or 0.0 where the caller expects a floating-point result (on 32-bit x86 that
// one is pushed on the x87 stack, which the caller pops).
void vantrelZeroResult();
void vantrelFloatingZeroResult();

void* vantrelResolvePlainForwarder(std::uint32_t index) {
    const auto f = static_cast<HostFunction>(index);
    if (void* address = lookUpHostFunction(f)) return address;
    return hostFunctionInfo(f).result == HostResult::word
               ? reinterpret_cast<void*>(&vantrelZeroResult)
               : reinterpret_cast<void*>(&vantrelFloatingZeroResult);
}

}  // extern "C"
