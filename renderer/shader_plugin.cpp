#include "shader_plugin.h"

#include <dlfcn.h>

#include <cstring>

namespace {

std::string lastLoaderError() {
    const char* message = dlerror();
    return message ? message : "unknown loader error";
}

}  // namespace

ShaderPlugin::ShaderPlugin(const std::string& path, const Declaration& declaration) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) throw PluginError("cannot load the plug-in '" + path + "': " + lastLoaderError());

    const auto entry = [&](const std::string& name) {
        void* address = dlsym(handle_, name.c_str());
        if (!address) {
            dlclose(handle_);
            throw PluginError("the plug-in '" + path + "' does not export '" + name +
                              "': it is not a plug-in of the shader '" + declaration.shader +
                              "' that '" + declaration.path + "' declares");
        }
        return address;
    };
    const std::string& name = declaration.shader;
    auto* versionOf = reinterpret_cast<VantrelVersionFn>(entry(name + "_version"));
    init = reinterpret_cast<VantrelInitFn>(entry(name + "_init"));
    exit = reinterpret_cast<VantrelExitFn>(entry(name + "_exit"));
    shader = reinterpret_cast<VantrelShaderFn>(entry(name));

    version = versionOf();
    if (version != declaration.version) {
        dlclose(handle_);
        throw PluginError("the plug-in '" + path + "' is version " + std::to_string(version) +
                          " of '" + name + "', but '" + declaration.path + "' declares version " +
                          std::to_string(declaration.version));
    }

    // The host interface fixes both blocks of version 1 at 88 bytes. A declaration that lays them
    // out otherwise would have the plug-in read and write past the blocks the renderer allocates.
    constexpr std::size_t kBlockSize = 88;
    if (version == 1 &&
        (declaration.parameterSize != kBlockSize || declaration.resultSize != kBlockSize)) {
        dlclose(handle_);
        throw PluginError("'" + declaration.path + "' does not match the plug-in '" + path +
                          "': it lays out a parameter block of " +
                          std::to_string(declaration.parameterSize) +
                          " bytes and a result block of " + std::to_string(declaration.resultSize) +
                          " bytes, where version 1 of '" + name + "' uses 88 bytes for each");
    }

    // A plug-in with the binding layer looks the host functions up in the module it is handed:
    // this executable, which exports them.
    setModuleHandle_ = reinterpret_cast<MiSetModuleHandleFn>(dlsym(handle_, "miSetModuleHandle"));
    if (setModuleHandle_) {
        ownModule_ = dlopen(nullptr, RTLD_NOW);
        setModuleHandle_(ownModule_);
    }
}

ShaderPlugin::~ShaderPlugin() {
    dlclose(handle_);
    if (ownModule_) dlclose(ownModule_);
}

void PluginSampleShader::shade(void* result, RenderState& state) const {
    // A shader that reports failure leaves nothing usable: its sample comes out empty.
    if (!plugin_.shader(static_cast<ProbeResult*>(result), &state, parameters_)) {
        std::memset(result, 0, resultSize_);
    }
}
