// The shader plug-in, loaded the way a production renderer loads it: by path with the dynamic
// loader, the entry points found by the names the declaration gives, its version checked against
// the declaration's, and the renderer's own module handed over when the plug-in has the binding
// layer.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

#include "declaration.h"
#include "sample_shader.h"
#include "vantrel_host.h"

struct PluginError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ShaderPlugin {
   public:
    // Throws PluginError when the file cannot be loaded, lacks an entry point of the declared
    // shader, or reports another version than the declaration.
    ShaderPlugin(const std::string& path, const Declaration& declaration);
    ~ShaderPlugin();
    ShaderPlugin(const ShaderPlugin&) = delete;
    ShaderPlugin& operator=(const ShaderPlugin&) = delete;

    bool hasBindingLayer() const { return setModuleHandle_ != nullptr; }

    VantrelInitFn init = nullptr;
    VantrelExitFn exit = nullptr;
    VantrelShaderFn shader = nullptr;
    int32_t version = 0;

   private:
    void* handle_ = nullptr;
    void* ownModule_ = nullptr;
    MiSetModuleHandleFn setModuleHandle_ = nullptr;
};

// One instance of the plug-in's shader with its parameter block, as a SampleShader.
class PluginSampleShader : public SampleShader {
   public:
    PluginSampleShader(const ShaderPlugin& plugin, ProbeParameters* parameters,
                       std::size_t resultSize)
        : plugin_(plugin), parameters_(parameters), resultSize_(resultSize) {}
    void shade(void* result, RenderState& state) const override;

   private:
    const ShaderPlugin& plugin_;
    ProbeParameters* parameters_;
    std::size_t resultSize_;
};
