// The binding layer's formatted printing, from the platform's own C library. On Windows that is
// msvcrt.dll's: MinGW's replacements need the C runtime's start-up code, and the plug-in DLL has no
// start-up code at all.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>

__attribute__((format(printf, 3, 0))) inline int formatIntoBuffer(char* buffer, std::size_t size,
                                                                  const char* format,
                                                                  va_list arguments) {
#if defined(_WIN32)
    const int written = _vsnprintf(buffer, size, format, arguments);
    buffer[size - 1] = '\0';  // msvcrt leaves a text that it had to cut unterminated
    return written;
#else
    return std::vsnprintf(buffer, size, format, arguments);
#endif
}

__attribute__((format(printf, 2, 3))) inline int printToStream(std::FILE* stream,
                                                               const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
#if defined(_WIN32)
    const int written = __ms_vfprintf(stream, format, arguments);
#else
    const int written = std::vfprintf(stream, format, arguments);
#endif
    va_end(arguments);
    return written;
}
