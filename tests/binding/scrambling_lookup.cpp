// The probe module is linked with --wrap=dlsym: its binding layer's lookups land here, scramble
// every caller-saved register and then look up for real. The C++ part of a first call thus
// destroys whatever argument registers the resolver stub failed to keep.
#include <dlfcn.h>

extern "C" {

void vantrelScrambleCallerSavedRegisters();
void* __real_dlsym(void* module, const char* name);

void* __wrap_dlsym(void* module, const char* name) {
    vantrelScrambleCallerSavedRegisters();
    return __real_dlsym(module, name);
}

}  // extern "C"
