// mi_query: the query decides how many words follow it.
#include <cstdarg>

#include "forwarding_families.h"
#include "resolve_host_function.h"

namespace {

// These two queries take four words after the query, every other three.
bool takesFourWords(std::int32_t query) {
    return query == 15 || query == 127;
}

using QueryWithThree = HostWord (*)(HostWord, HostWord, HostWord, HostWord);
using QueryWithFour = HostWord (*)(HostWord, HostWord, HostWord, HostWord, HostWord);

}  // namespace

extern "C" HostWord mi_query(std::int32_t query, ...) {
    void* address = hostFunctionAddress(HostFunction::mi_query);
    if (address == nullptr) return 0;
    va_list arguments;
    va_start(arguments, query);
    HostWord words[4];
    const int count = takesFourWords(query) ? 4 : 3;
    for (int i = 0; i < count; ++i) words[i] = va_arg(arguments, HostWord);
    va_end(arguments);
    // Sign-extended on 64-bit targets, so a host that reads a whole word sees the same number.
    const auto q = static_cast<HostWord>(static_cast<std::intptr_t>(query));
    if (count == 4) {
        return reinterpret_cast<QueryWithFour>(address)(q, words[0], words[1], words[2], words[3]);
    }
    return reinterpret_cast<QueryWithThree>(address)(q, words[0], words[1], words[2]);
}
