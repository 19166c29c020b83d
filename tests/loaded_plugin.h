// Loads the built plug-in the way a host does: by path, with the entry points found by name. A
// plug-in built with the binding layer is handed the test host's module first.
#pragma once

#include <stdexcept>
#include <string>

#include "module_loader.h"
#include "probe_records.h"
#include "vantrel_host.h"

class LoadedPlugin {
public:
    explicit LoadedPlugin(const char* path = VANTREL_PLUGIN_PATH) {
        handle_ = testloader::openModule(path);
        if (!handle_) {
            throw std::runtime_error(std::string("cannot load plug-in: ") +
                                     testloader::loaderError());
        }
        version = symbol<VantrelVersionFn>("vantrel_version");
        init = symbol<VantrelInitFn>("vantrel_init");
        exit = symbol<VantrelExitFn>("vantrel_exit");
        shade = symbol<VantrelShaderFn>("vantrel");
        setModuleHandle = reinterpret_cast<MiSetModuleHandleFn>(
            testloader::findSymbol(handle_, "miSetModuleHandle"));
        if (setModuleHandle) setModuleHandle(testHostModule());
    }
    ~LoadedPlugin() { testloader::closeModule(handle_); }
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    // The test host is already loaded: the tests link against it.
    static void* testHostModule() { return testloader::loadedModule(VANTREL_TESTHOST_PATH); }

    VantrelVersionFn version;
    VantrelInitFn init;
    VantrelExitFn exit;
    VantrelShaderFn shade;
    MiSetModuleHandleFn setModuleHandle;

private:
    template <class Fn>
    Fn symbol(const char* name) {
        void* address = testloader::findSymbol(handle_, name);
        if (!address) throw std::runtime_error(std::string("plug-in lacks ") + name);
        return reinterpret_cast<Fn>(address);
    }
    void* handle_;
};
