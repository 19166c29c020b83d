// One instance of the shader: its parameter block laid out from the declaration, the block of
// connection words right behind it, and the shader call record the render states point to.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "builtin_shaders.h"
#include "declaration.h"
#include "vantrel_host.h"

class ShaderInstance {
   public:
    explicit ShaderInstance(const Declaration& declaration);
    ShaderInstance(const ShaderInstance&) = delete;
    ShaderInstance& operator=(const ShaderInstance&) = delete;

    // Sets a parameter by its declared name from its text form (parameter_values.h). Throws
    // ParameterError for a name the declaration does not have or a value of the wrong type.
    void set(std::string_view name, std::string_view value);

    // Connects a parameter to a built-in shader: every read of it then runs that shader.
    void connect(std::string_view name, const BuiltinShader& shader);

    // The declared field of this name and type; throws ParameterError naming what the renderer
    // expected when the declaration has no such field.
    const DeclaredField& require(std::string_view name, FieldType type) const;

    ProbeParameters* parameters() { return reinterpret_cast<ProbeParameters*>(storage_.data()); }
    const ShaderCall* call() const { return &call_; }
    const Declaration& declaration() const { return declaration_; }

    struct Connection {
        const DeclaredField* field;
        BuiltinShader shader;
    };
    // The connection of the parameter whose field starts at `address`, or null.
    const Connection* connectionAt(const void* address) const;

   private:
    const DeclaredField& field(std::string_view name) const;

    const Declaration& declaration_;
    std::size_t blockSize_;          // the parameter block, padded to whole 8-byte words
    std::vector<uint64_t> storage_;  // parameter block, then connection words
    std::map<std::size_t, Connection> connections_;  // by field offset
    ShaderCall call_{0};
};
