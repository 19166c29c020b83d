#include "module_loader.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace testloader {

#if defined(_WIN32)

void* openModule(const char* path) {
    return LoadLibraryA(path);
}

void* loadedModule(const char* path) {
    return GetModuleHandleA(path);
}

void* findSymbol(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void closeModule(void* module) {
    FreeLibrary(static_cast<HMODULE>(module));
}

std::string loaderError() {
    return "error " + std::to_string(GetLastError());
}

#else

void* openModule(const char* path) {
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

void* loadedModule(const char* path) {
    return dlopen(path, RTLD_NOW | RTLD_NOLOAD);
}

void* findSymbol(void* module, const char* name) {
    return dlsym(module, name);
}

void closeModule(void* module) {
    dlclose(module);
}

std::string loaderError() {
    const char* error = dlerror();
    return error ? error : "no error";
}

#endif

}  // namespace testloader
