#include "host_function_slots.h"

// Constant-initialised: the library runs no code of its own when it is loaded.
extern "C" {
constinit std::atomic<void*> hostModule{nullptr};
constinit std::atomic<void*> hostFunctionSlots[kHostFunctionCount]{};
}
