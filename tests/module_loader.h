// Opens a shared library by path and finds its exports by name, with the platform's own loader:
// the dynamic loader on Linux, LoadLibrary and GetProcAddress on Windows. Kept apart so that no
// test sees the platform headers.
#pragma once

#include <string>

namespace testloader {

// Null when the library cannot be loaded; loaderError() then says why.
void* openModule(const char* path);
// The module of a library this process has already loaded, without loading it again.
void* loadedModule(const char* path);
void* findSymbol(void* module, const char* name);
void closeModule(void* module);
std::string loaderError();

}  // namespace testloader
