// The ten message functions: format here, then hand the host the finished text.
#include <cstdarg>
#include <cstdio>

#include "forwarding_families.h"
#include "platform_printf.h"
#include "resolve_host_function.h"

namespace {

// The finished text and its terminating zero; a longer text is cut at 1023 characters.
constexpr std::size_t kMessageBufferSize = 1024;

// The host's message functions format what they are given, so the finished text goes in as the
// argument of "%s": it reaches the output exactly, per-cent signs included.
using TextMessage = HostWord (*)(const char* format, ...);
using NumberedMessage = HostWord (*)(std::int32_t number, const char* format, ...);

// The lookup comes first: its message is written before the arguments are looked at, and with no
// host function there is nothing to format for.
__attribute__((format(printf, 2, 0))) HostWord forwardText(HostFunction f, const char* format,
                                                           va_list arguments) {
    void* address = hostFunctionAddress(f);
    if (address == nullptr) return 0;
    char text[kMessageBufferSize];
    formatIntoBuffer(text, sizeof text, format, arguments);
    return reinterpret_cast<TextMessage>(address)("%s", text);
}

__attribute__((format(printf, 3, 0))) HostWord forwardNumbered(HostFunction f, std::int32_t number,
                                                               const char* format,
                                                               va_list arguments) {
    void* address = hostFunctionAddress(f);
    if (address == nullptr) return 0;
    char text[kMessageBufferSize];
    formatIntoBuffer(text, sizeof text, format, arguments);
    return reinterpret_cast<NumberedMessage>(address)(number, "%s", text);
}

}  // namespace

#define TEXT_MESSAGE_FORWARDER(name)                                                \
    HostWord name(const char* format, ...) {                                        \
        va_list arguments;                                                          \
        va_start(arguments, format);                                                \
        const HostWord result = forwardText(HostFunction::name, format, arguments); \
        va_end(arguments);                                                          \
        return result;                                                              \
    }

#define NUMBERED_MESSAGE_FORWARDER(name)                                                        \
    HostWord name(std::int32_t number, const char* format, ...) {                               \
        va_list arguments;                                                                      \
        va_start(arguments, format);                                                            \
        const HostWord result = forwardNumbered(HostFunction::name, number, format, arguments); \
        va_end(arguments);                                                                      \
        return result;                                                                          \
    }

extern "C" {
TEXT_MESSAGE_FORWARDER(mi_fatal)
NUMBERED_MESSAGE_FORWARDER(mi_nfatal)
TEXT_MESSAGE_FORWARDER(mi_error)
NUMBERED_MESSAGE_FORWARDER(mi_nerror)
TEXT_MESSAGE_FORWARDER(mi_warning)
NUMBERED_MESSAGE_FORWARDER(mi_nwarning)
TEXT_MESSAGE_FORWARDER(mi_info)
TEXT_MESSAGE_FORWARDER(mi_progress)
TEXT_MESSAGE_FORWARDER(mi_debug)
TEXT_MESSAGE_FORWARDER(mi_vdebug)
}  // extern "C"
