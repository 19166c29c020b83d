#include "resolve_host_function.h"

#include <cinttypes>
#include <cstdio>

#include "host_function_table.h"
#include "platform_lookup.h"
#include "platform_printf.h"

// No lock: threads making the first call of one function at once each look it up and all store
// the same address.
void* lookUpHostFunction(HostFunction f) {
    const char* name = hostFunctionInfo(f).name;
    if (hostModule.load(std::memory_order_relaxed) == nullptr) {
        std::fputs("DYNLOAD: dl_handle null\n", stderr);
    }
    void* module = hostModule.load(std::memory_order_relaxed);
    const PlatformLookup found = lookUpInModule(module, name);
    hostFunctionSlot(f).store(found.address, std::memory_order_relaxed);
    if (found.address == nullptr) {
        // The whole handle, at least eight lower-case digits: a 32-bit handle shows as 0012abcd.
        printToStream(stderr, "dlsym failed on \"%s\" (handle: %08" PRIxPTR " error: %d)\n", name,
                      reinterpret_cast<std::uintptr_t>(module), found.error);
    }
    return found.address;
}
