// The resolution step every forwarder performs before it passes a call on.
#pragma once

#include "host_function_slots.h"

// Looks the host function up by name in hostModule, stores what it found in its entry (null
// included, so a name that is missing is looked up again on the next call) and writes the
// "DYNLOAD" and "dlsym failed" lines when the handle is null or the name is missing.
// Returns the address, or null.
void* lookUpHostFunction(HostFunction f);

// The host function's address: from its entry when that is filled, otherwise by looking it up.
// Null when the host's module lacks it; the caller then calls nothing and returns a zero result.
inline void* hostFunctionAddress(HostFunction f) {
    void* address = hostFunctionSlot(f).load(std::memory_order_relaxed);
    return address != nullptr ? address : lookUpHostFunction(f);
}
