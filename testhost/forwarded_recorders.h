// The recording exports that forwarded_exports.cpp instantiates for each host function.
#pragma once

#include <cstring>

#include "forwarded_calls.h"

namespace testhost {

template <class T>
std::uint64_t bitsOf(T value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof value);
    return bits;
}

inline Word answer_word(int index, int module) {
    return wordAnswer(index, module);
}
inline float answer_float(int index, int module) {
    return floatAnswer(index, module);
}
inline double answer_double(int index, int module) {
    return doubleAnswer(index, module);
}

}  // namespace testhost

// Every recorder is an export of the host module that instantiates it.
#if defined(_WIN32)
#define TESTHOST_RECORDER_EXPORT __declspec(dllexport)
#else
#define TESTHOST_RECORDER_EXPORT __attribute__((visibility("default")))
#endif

#define TESTHOST_RESULT_word testhost::Word
#define TESTHOST_RESULT_float float
#define TESTHOST_RESULT_double double

// A host function of any parameter list: variadic, so that on x86-64 the doubles are read from
// xmm0-7 only when the caller's rax says it used them, which shows a count lost on the way.
#define TESTHOST_WORD_RECORDER(name, index, module, result)                                 \
    TESTHOST_RECORDER_EXPORT TESTHOST_RESULT_##result name(testhost::Word first, ...) {     \
        const TESTHOST_RESULT_##result answer = testhost::answer_##result(index, module);   \
        va_list rest;                                                                       \
        va_start(rest, first);                                                              \
        testhost::recordWords(#name, index, module, first, rest, testhost::bitsOf(answer)); \
        va_end(rest);                                                                       \
        return answer;                                                                      \
    }

// A message function formats what it is given, as the host's do.
#define TESTHOST_MESSAGE_RECORDER(name, index, module)                                 \
    TESTHOST_RECORDER_EXPORT testhost::Word name(const char* format, ...) {            \
        va_list arguments;                                                             \
        va_start(arguments, format);                                                   \
        const testhost::Word answer =                                                  \
            testhost::recordMessage(#name, index, module, nullptr, format, arguments); \
        va_end(arguments);                                                             \
        return answer;                                                                 \
    }

#define TESTHOST_NUMBERED_MESSAGE_RECORDER(name, index, module)                                  \
    TESTHOST_RECORDER_EXPORT testhost::Word name(std::int32_t number, const char* format, ...) { \
        va_list arguments;                                                                       \
        va_start(arguments, format);                                                             \
        const testhost::Word answer =                                                            \
            testhost::recordMessage(#name, index, module, &number, format, arguments);           \
        va_end(arguments);                                                                       \
        return answer;                                                                           \
    }
