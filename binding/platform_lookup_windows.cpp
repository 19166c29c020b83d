// Lookup through the Windows loader.
#include <windows.h>

#include "platform_lookup.h"

PlatformLookup lookUpInModule(void* module, const char* name) {
    FARPROC address = GetProcAddress(static_cast<HMODULE>(module), name);
    if (address != nullptr) return {reinterpret_cast<void*>(address), 0};
    return {nullptr, static_cast<int>(GetLastError())};
}
