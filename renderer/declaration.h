// The shader's declaration file: the shader's name and version, and its parameter and result
// fields in block order. The renderer lays out both blocks from it.
//
//   shader NAME
//   version N
//   parameter TYPE NAME     (one per field, in block order)
//   result TYPE NAME
//
// TYPE is boolean, integer or scalar (4 bytes), vector (12) or color (16); fields follow each
// other with nothing between them. Blank lines and lines starting with '#' are skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

enum class FieldType { kBoolean, kInteger, kScalar, kVector, kColor };

std::size_t sizeOf(FieldType type);
const char* nameOf(FieldType type);
// Components a field of this type has in an image: 1, 3 for a vector, 4 for a colour.
int componentCount(FieldType type);

struct DeclaredField {
    std::string name;
    FieldType type;
    std::size_t offset;
};

struct Declaration {
    std::string path;  // where it was read from, for messages
    std::string shader;
    int32_t version = 0;
    std::vector<DeclaredField> parameters;
    std::vector<DeclaredField> results;
    std::size_t parameterSize = 0;
    std::size_t resultSize = 0;

    const DeclaredField* parameter(std::string_view name) const;
    const DeclaredField* result(std::string_view name) const;
};

struct DeclarationError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads and checks a declaration file; a DeclarationError names the file and the line at fault.
Declaration readDeclaration(const std::string& path);

// The same from text already in memory; `path` only names it in messages.
Declaration parseDeclaration(std::string_view text, const std::string& path);
