// The forwarders that take a variable argument list: the three scene functions, mi_query and the
// ten message functions. (The other 486 host functions are forwarded by stubs that need no
// declaration here; the library's code declares those it calls with their own parameter lists.)
//
// A word is one argument slot of the host's interface: 32 bits on 32-bit targets and pointer-sized
// on 64-bit ones, so that a pointer always fits in one.
#pragma once

#include <cstdint>

using HostWord = std::uintptr_t;

#define VANTREL_PRINTF(format_index, first_argument) \
    __attribute__((format(printf, format_index, first_argument)))

extern "C" {

// Pass the leading words and exactly eight words of the variable part on, whatever the caller
// gave: words beyond the eighth are dropped, and a caller that passes fewer hands on what lies in
// the places of the missing ones.
HostWord mi_scene_create(HostWord first, HostWord second, ...);
HostWord mi_scene_recreate(HostWord first, HostWord second, ...);
HostWord mi_scene_growedit(HostWord first, ...);

// Passes the query and the caller's next four words for the queries 15 and 127, the next three
// for every other.
HostWord mi_query(std::int32_t query, ...);

// Format the message here, into a buffer of 1024 bytes on the stack (a longer text is cut at 1023
// characters), and hand the host the finished text to print as it is. Three take a leading integer
// that is passed on unchanged.
HostWord mi_fatal(const char* format, ...) VANTREL_PRINTF(1, 2);
HostWord mi_nfatal(std::int32_t number, const char* format, ...) VANTREL_PRINTF(2, 3);
HostWord mi_error(const char* format, ...) VANTREL_PRINTF(1, 2);
HostWord mi_nerror(std::int32_t number, const char* format, ...) VANTREL_PRINTF(2, 3);
HostWord mi_warning(const char* format, ...) VANTREL_PRINTF(1, 2);
HostWord mi_nwarning(std::int32_t number, const char* format, ...) VANTREL_PRINTF(2, 3);
HostWord mi_info(const char* format, ...) VANTREL_PRINTF(1, 2);
HostWord mi_progress(const char* format, ...) VANTREL_PRINTF(1, 2);
HostWord mi_debug(const char* format, ...) VANTREL_PRINTF(1, 2);
HostWord mi_vdebug(const char* format, ...) VANTREL_PRINTF(1, 2);

}  // extern "C"
