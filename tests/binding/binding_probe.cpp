// A module that holds the binding layer exactly as the plug-in does, and shows the tests what the
// plug-in keeps hidden: the address of every forwarder and the entries of hostFunctionSlots.
// miSetModuleHandle is exported by the binding layer itself.
#include "forwarder_directory.h"
#include "host_function_slots.h"

#if defined(_WIN32)
#define PROBE_EXPORT __declspec(dllexport)
#else
#define PROBE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

PROBE_EXPORT const ForwarderAddress* vantrelProbeForwarders() {
    return kForwarders;
}

PROBE_EXPORT std::atomic<void*>* vantrelProbeSlots() {
    return hostFunctionSlots;
}

}  // extern "C"
