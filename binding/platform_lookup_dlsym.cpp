// Lookup through the dynamic loader of POSIX systems.
#include <dlfcn.h>

#include "platform_lookup.h"

PlatformLookup lookUpInModule(void* module, const char* name) {
    dlerror();  // forget an earlier failure, so a report below belongs to this lookup
    void* address = dlsym(module, name);
    if (address != nullptr) return {address, 0};
    return {nullptr, dlerror() != nullptr ? 1 : 0};
}
