// Looking a function up by name in a module, the one thing the binding layer asks of the platform.
#pragma once

struct PlatformLookup {
    void* address;  // null when the lookup failed
    int error;      // the platform's reason for a failure, shown in the "dlsym failed" line
};

// `module` goes to the platform unchanged, null included. The error is read right after the lookup,
// before any other platform call. On Windows it is GetLastError()'s code. Where the loader reports
// failures as text (dlerror), it is 1 when the loader gave a reason (the name is missing, or the
// handle is not a module) and 0 when the name exists but is bound to a null address.
PlatformLookup lookUpInModule(void* module, const char* name);
