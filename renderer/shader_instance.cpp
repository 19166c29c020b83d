#include "shader_instance.h"

#include <cstring>

#include "parameter_values.h"

ShaderInstance::ShaderInstance(const Declaration& declaration)
    : declaration_(declaration),
      blockSize_((declaration.parameterSize + 7) / 8 * 8),
      storage_(2 * blockSize_ / 8 + 1, 0) {}

const DeclaredField& ShaderInstance::field(std::string_view name) const {
    if (const DeclaredField* f = declaration_.parameter(name)) return *f;
    std::string known;
    for (const DeclaredField& f : declaration_.parameters)
        known += (known.empty() ? "" : ", ") + f.name;
    throw ParameterError("shader '" + declaration_.shader + "' has no parameter '" +
                         std::string(name) + "' (its parameters: " + known + ")");
}

const DeclaredField& ShaderInstance::require(std::string_view name, FieldType type) const {
    const DeclaredField* f = declaration_.parameter(name);
    if (f == nullptr || f->type != type) {
        throw ParameterError("the declaration '" + declaration_.path +
                             "' does not match this renderer: it has no " + nameOf(type) +
                             " parameter '" + std::string(name) + "'");
    }
    return *f;
}

void ShaderInstance::set(std::string_view name, std::string_view value) {
    const DeclaredField& f = field(name);
    writeParameterValue(f, value, reinterpret_cast<char*>(storage_.data()) + f.offset);
}

void ShaderInstance::connect(std::string_view name, const BuiltinShader& shader) {
    const DeclaredField& f = field(name);
    connections_[f.offset] = Connection{&f, shader};
    // The connection word sits at the field's offset in the block behind the parameters; a
    // non-zero word marks the field as connected.
    const uint32_t word = 1;
    std::memcpy(reinterpret_cast<char*>(storage_.data()) + blockSize_ + f.offset, &word,
                sizeof word);
    call_.connectionOffset = int32_t(blockSize_);
}

const ShaderInstance::Connection* ShaderInstance::connectionAt(const void* address) const {
    const auto* base = reinterpret_cast<const char*>(storage_.data());
    const auto* at = static_cast<const char*>(address);
    if (at < base || at >= base + declaration_.parameterSize) return nullptr;
    const auto found = connections_.find(std::size_t(at - base));
    return found == connections_.end() ? nullptr : &found->second;
}
