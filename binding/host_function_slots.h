// The state all forwarders share: the host's module and the cache of host function addresses.
#pragma once

#include <atomic>

#include "host_function_index.h"

extern "C" {

// The module that exports the host functions; null until the host hands one over. Written only by
// miSetModuleHandle.
extern std::atomic<void*> hostModule;

// One entry per host function, in table order: null until that function's forwarder has found it
// (and again after miSetModuleHandle). Entries are published and read whole with relaxed atomics;
// the plain forwarders' stubs read them with one pointer-sized load, which is the same thing.
// The stubs address this block by its C name, so it keeps C linkage.
extern std::atomic<void*> hostFunctionSlots[kHostFunctionCount];

}  // extern "C"

static_assert(std::atomic<void*>::is_always_lock_free);
static_assert(sizeof(std::atomic<void*>) == sizeof(void*),
              "the stubs index the slots as a plain array of pointers");

inline std::atomic<void*>& hostFunctionSlot(HostFunction f) {
    return hostFunctionSlots[static_cast<std::size_t>(f)];
}
