// miSetModuleHandle: the host hands over the module that exports its functions.
#include <cstdint>

#include "binding_export.h"
#include "host_function_slots.h"

// Takes any handle as it is (null too), looks nothing up and reports nothing. Every entry is
// emptied, so each host function is looked up again, in this module, on its next call. The host
// calls this before its first forwarded call and never while one runs, so no lock is needed.
extern "C" VANTREL_BINDING_EXPORT std::int32_t miSetModuleHandle(void* module) {
    hostModule.store(module, std::memory_order_relaxed);
    for (std::atomic<void*>& entry : hostFunctionSlots) {
        entry.store(nullptr, std::memory_order_relaxed);
    }
    return 0;
}
