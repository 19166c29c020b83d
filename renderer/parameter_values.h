// Parameter values as the user writes them on the command line, turned into block bytes of the
// declared type.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "declaration.h"

struct ParameterError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads `text` as a value of the field's type and writes it, sizeOf(type) bytes, to
// `destination`:
//   boolean  true/false, on/off, yes/no, 1/0
//   integer  a whole number
//   scalar   a number (also nan, inf, -0)
//   vector   X,Y,Z
//   color    R,G,B or R,G,B,A (A defaults to 1)
// Throws ParameterError naming the field when the text is not such a value.
void writeParameterValue(const DeclaredField& field, std::string_view text, void* destination);

// Writes one number as a value of `type`: a boolean is 1 unless the number is 0, an integer the
// nearest whole number, a vector all three components, a colour r, g and b with alpha 1.
void writeNumberAs(FieldType type, double value, void* destination);

// Reads a number that is the whole text and nothing else; false otherwise.
bool parseNumber(std::string_view text, double& value);
