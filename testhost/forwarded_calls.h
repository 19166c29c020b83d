// What the test host's recording exports received. Every host function that the host does not
// answer by hand has a generated recorder (forwarded_recorders.h) that accepts any parameter list,
// records the argument words it was given and answers a value of its own. The log lives in its own
// shared library, so that several test host modules loaded side by side share it; each thread has
// its own log.
#pragma once

#include <array>
#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

// On Windows the log library is a DLL: its functions are exported when it is built (CMake defines
// vantrel_forwarded_calls_EXPORTS then) and imported everywhere else.
#if defined(_WIN32) && defined(vantrel_forwarded_calls_EXPORTS)
#define FORWARDED_CALLS_API __declspec(dllexport)
#elif defined(_WIN32)
#define FORWARDED_CALLS_API __declspec(dllimport)
#else
#define FORWARDED_CALLS_API __attribute__((visibility("default")))
#endif

namespace testhost {

// One argument slot: 32 bits on 32-bit targets, pointer-sized on 64-bit ones.
using Word = std::uintptr_t;

// The longest parameter list of a host function has fourteen 32-bit words. A recorder reads that
// many words and then eight doubles, in the order the calling convention lays out a non-variadic
// call with those parameters: on x86-64 the first six words and the eight doubles come in registers
// (xmm0-7), on 32-bit x86 everything comes on the stack. What the caller did not pass is garbage.
inline constexpr int kRecordedWords = 14;
inline constexpr int kRecordedDoubles = 8;

struct ForwardedCall {
    std::string function;
    int index = -1;   // in the host function table
    int module = -1;  // the test host module that answered: 0 vantrel_testhost, 1 the second one
    std::array<Word, kRecordedWords> words{};
    std::array<std::uint64_t, kRecordedDoubles> doubleBits{};
    std::string text;              // message functions: the text as the host would print it
    std::uint64_t answerBits = 0;  // what it returned: a word, or a float's or a double's bits
};

// This thread's calls, oldest first.
FORWARDED_CALLS_API const std::vector<ForwardedCall>& forwardedCalls();
FORWARDED_CALLS_API void forgetForwardedCalls();

// The answers, distinct for every function (by its index in the host function table) and module.
// The floating-point ones have low mantissa bits set, so a result that went through a conversion
// on its way back does not compare equal.
FORWARDED_CALLS_API Word wordAnswer(int index, int module);
FORWARDED_CALLS_API float floatAnswer(int index, int module);
FORWARDED_CALLS_API double doubleAnswer(int index, int module);

// Used by the recorders.
FORWARDED_CALLS_API void recordWords(const char* function, int index, int module, Word first,
                                     va_list rest, std::uint64_t answerBits);
FORWARDED_CALLS_API Word recordMessage(const char* function, int index, int module,
                                       const std::int32_t* number, const char* format,
                                       va_list arguments);

}  // namespace testhost
