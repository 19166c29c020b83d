// What the binding layer knows about each host function: its name, how it is forwarded and what
// kind of result it gives. The table itself is generated from host_functions.table.
#pragma once

#include "host_function_index.h"

enum class HostFamily : std::uint8_t { plain, variable, query, message };

// word: an integer, a pointer or nothing; float32 and float64: "float" and "double" in the table.
enum class HostResult : std::uint8_t { word, float32, float64 };

struct HostFunctionInfo {
    const char* name;  // the text looked up in the host's module, exactly as written here
    HostFamily family;
    HostResult result;
};

// In the order of hostFunctionSlots: kHostFunctions[i] describes entry i.
extern const HostFunctionInfo kHostFunctions[kHostFunctionCount];

inline const HostFunctionInfo& hostFunctionInfo(HostFunction f) {
    return kHostFunctions[static_cast<std::size_t>(f)];
}
