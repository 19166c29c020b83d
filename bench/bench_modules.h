// The modules the benchmarks load: the plug-ins and the two forwarding-loop modules, each opened
// as a host opens a plug-in (privately, by path) and, where it has the binding layer, handed the
// quiet host's module.
#pragma once

#include <dlfcn.h>

#include <stdexcept>
#include <string>

#include "quiet_host.h"
#include "vantrel_host.h"

class BenchModule {
   public:
    explicit BenchModule(const char* path) {
        quiethost::setPresetHit(quiethost::PresetHit{});  // binds the quiet host before the module
        handle_ = dlopen(path, RTLD_NOW | RTLD_LOCAL);
        if (!handle_) throw std::runtime_error(std::string("cannot load ") + dlerror());
        if (auto set = reinterpret_cast<MiSetModuleHandleFn>(dlsym(handle_, "miSetModuleHandle"))) {
            set(quietHost());
        }
    }
    ~BenchModule() { dlclose(handle_); }
    BenchModule(const BenchModule&) = delete;
    BenchModule& operator=(const BenchModule&) = delete;

    template <class Fn>
    Fn symbol(const char* name) const {
        void* address = dlsym(handle_, name);
        if (!address) throw std::runtime_error(std::string("a benchmark module lacks ") + name);
        return reinterpret_cast<Fn>(address);
    }

    // The quiet host, which the benchmark executables link: already loaded.
    static void* quietHost() {
        Dl_info info{};
        dladdr(reinterpret_cast<void*>(&quiethost::setPresetHit), &info);
        return dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    }

   private:
    void* handle_;
};
