#include "forwarded_calls.h"

#include <cstdio>
#include <cstring>

#include "per_thread.h"

namespace testhost {
namespace {

// Each thread's log lives as long as the process (per_thread.h).
std::vector<ForwardedCall>& log() {
    return perThread<std::vector<ForwardedCall>>();
}

template <class T>
T fromBits(std::uint64_t bits) {
    T value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

const std::vector<ForwardedCall>& forwardedCalls() {
    return log();
}

void forgetForwardedCalls() {
    log().clear();
}

Word wordAnswer(int index, int module) {
    const std::uint64_t bits =
        0xC0DE000000000000u | std::uint64_t(module) << 28 | std::uint64_t(index) << 12 | 0xA5Bu;
    return static_cast<Word>(bits);
}

float floatAnswer(int index, int module) {
    // In [1, 2): exponent of 1, the mantissa from the index and the module, lowest bits set.
    const auto mantissa = static_cast<std::uint32_t>(index << 9 ^ module << 21 ^ 0x1F3);
    return fromBits<float>(0x3F800000u | (mantissa & 0x7FFFFFu));
}

double doubleAnswer(int index, int module) {
    // Mantissa bits below single precision: a trip through float changes the value.
    return fromBits<double>(0x3FF0000000000000u | std::uint64_t(module) << 40 |
                            std::uint64_t(index) << 20 | 0x12345u);
}

void recordWords(const char* function, int index, int module, Word first, va_list rest,
                 std::uint64_t answerBits) {
    ForwardedCall call;
    call.function = function;
    call.index = index;
    call.module = module;
    call.words[0] = first;
    for (int i = 1; i < kRecordedWords; ++i) call.words[i] = va_arg(rest, Word);
    for (auto& bits : call.doubleBits) {
        const double value = va_arg(rest, double);
        std::memcpy(&bits, &value, sizeof bits);
    }
    call.answerBits = answerBits;
    log().push_back(call);
}

Word recordMessage(const char* function, int index, int module, const std::int32_t* number,
                   const char* format, va_list arguments) {
    ForwardedCall call;
    call.function = function;
    call.index = index;
    call.module = module;
    if (number) call.words[0] = static_cast<Word>(*number);
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (length > 0) {
        call.text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(call.text.data(), call.text.size(), format, arguments);
        call.text.resize(static_cast<std::size_t>(length));
    }
    const Word answer = wordAnswer(index, module);
    call.answerBits = answer;
    log().push_back(call);
    return answer;
}

}  // namespace testhost
