// The three scene functions with a variable part: its first eight words are passed on as ordinary
// arguments after the leading ones.
#include <cstdarg>

#include "forwarding_families.h"
#include "resolve_host_function.h"

namespace {

constexpr int kVariableWords = 8;

struct VariablePart {
    HostWord words[kVariableWords];
};

VariablePart takeVariablePart(va_list arguments) {
    VariablePart part;
    for (HostWord& word : part.words) word = va_arg(arguments, HostWord);
    return part;
}

using TwoLeadingWords = HostWord (*)(HostWord, HostWord, HostWord, HostWord, HostWord, HostWord,
                                     HostWord, HostWord, HostWord, HostWord);
using OneLeadingWord = HostWord (*)(HostWord, HostWord, HostWord, HostWord, HostWord, HostWord,
                                    HostWord, HostWord, HostWord);

HostWord forwardTwoLeading(HostFunction f, HostWord first, HostWord second, va_list arguments) {
    void* address = hostFunctionAddress(f);
    if (address == nullptr) return 0;
    const VariablePart v = takeVariablePart(arguments);
    return reinterpret_cast<TwoLeadingWords>(address)(first, second, v.words[0], v.words[1],
                                                      v.words[2], v.words[3], v.words[4],
                                                      v.words[5], v.words[6], v.words[7]);
}

}  // namespace

extern "C" {

HostWord mi_scene_create(HostWord first, HostWord second, ...) {
    va_list arguments;
    va_start(arguments, second);
    const HostWord result =
        forwardTwoLeading(HostFunction::mi_scene_create, first, second, arguments);
    va_end(arguments);
    return result;
}

HostWord mi_scene_recreate(HostWord first, HostWord second, ...) {
    va_list arguments;
    va_start(arguments, second);
    const HostWord result =
        forwardTwoLeading(HostFunction::mi_scene_recreate, first, second, arguments);
    va_end(arguments);
    return result;
}

HostWord mi_scene_growedit(HostWord first, ...) {
    void* address = hostFunctionAddress(HostFunction::mi_scene_growedit);
    if (address == nullptr) return 0;
    va_list arguments;
    va_start(arguments, first);
    const VariablePart v = takeVariablePart(arguments);
    va_end(arguments);
    return reinterpret_cast<OneLeadingWord>(address)(first, v.words[0], v.words[1], v.words[2],
                                                     v.words[3], v.words[4], v.words[5], v.words[6],
                                                     v.words[7]);
}

}  // extern "C"
