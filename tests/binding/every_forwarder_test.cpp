// Every one of the host functions, through its forwarder: the first call goes through the
// resolution step, the second through the filled entry, and both reach the host function of the
// same name in the module handed over, with the caller's arguments, and bring its result back bit
// for bit.
#include <set>

#include "binding_modules.h"

namespace {

using testhost::ForwardedCall;

constexpr int kSecondHost = 1;

// How many of the caller's words the host function receives, for the functions forwarded by words.
std::size_t wordsPassedOn(HostFunction f, const WordArguments& a) {
    switch (hostFunctionInfo(f).family) {
        case HostFamily::plain: return testhost::kRecordedWords;
        case HostFamily::variable: return f == HostFunction::mi_scene_growedit ? 9 : 10;
        case HostFamily::query: return a.words[0] == 15 || a.words[0] == 127 ? 5 : 4;
        case HostFamily::message: break;
    }
    return 0;
}

void expectWordCallLanded(HostFunction f, const WordArguments& a, std::uint64_t resultBits) {
    const ForwardedCall& call = onlyRecordedCall();
    EXPECT_EQ(call.function, hostFunctionInfo(f).name);
    EXPECT_EQ(call.module, kSecondHost);
    const std::size_t words = wordsPassedOn(f, a);
    for (std::size_t i = 0; i < words; ++i) EXPECT_EQ(call.words[i], a.words[i]) << "word " << i;
    if (hostFunctionInfo(f).family == HostFamily::plain) {
        for (std::size_t i = 0; i < a.doubles.size(); ++i) {
            EXPECT_EQ(call.doubleBits[i], bitsOf(a.doubles[i])) << "double " << i;
        }
    }
    EXPECT_EQ(resultBits, call.answerBits);
}

// A message function: the host receives the finished text (and the leading number) and its answer
// comes back.
void callMessageAndExpectLanded(HostFunction f, ForwarderAddress address, int round) {
    const bool numbered = std::string(hostFunctionInfo(f).name).starts_with("mi_n");
    const std::int32_t number = -7 - round;
    const Word result = numbered ? reinterpret_cast<Word (*)(std::int32_t, const char*, ...)>(
                                       address)(number, "%s %d|%5.2f|%c", "round", round, 2.5, 'x')
                                 : reinterpret_cast<Word (*)(const char*, ...)>(address)(
                                       "%s %d|%5.2f|%c", "round", round, 2.5, 'x');
    const ForwardedCall& call = onlyRecordedCall();
    EXPECT_EQ(call.function, hostFunctionInfo(f).name);
    EXPECT_EQ(call.module, kSecondHost);
    EXPECT_EQ(call.text, "round " + std::to_string(round) + "| 2.50|x");
    if (numbered) {
        EXPECT_EQ(static_cast<std::int32_t>(call.words[0]), number);
    }
    EXPECT_EQ(result, call.answerBits);
}

TEST_F(BindingTest, EveryForwarderReachesItsHostFunctionWithTheCallersArguments) {
    modules.setModuleHandle(modules.secondHost);
    for (std::size_t i = 0; i < kHostFunctionCount; ++i) {
        const HostFunction f = hostFunctionAt(i);
        SCOPED_TRACE(hostFunctionInfo(f).name);
        const ForwarderAddress address = modules.forwarder(f);
        for (int round = 0; round < 2; ++round) {  // first through the resolver, then the entry
            testhost::forgetForwardedCalls();
            if (hostFunctionInfo(f).family == HostFamily::message) {
                callMessageAndExpectLanded(f, address, round);
            } else {
                WordArguments a = distinctArguments(i * 2 + static_cast<std::size_t>(round));
                if (f == HostFunction::mi_query) a.words[0] = round == 0 ? 127 : 126;
                const std::uint64_t resultBits = callWithWordsForBits(f, address, a);
                expectWordCallLanded(f, a, resultBits);
            }
            EXPECT_EQ(modules.slot(f).load(),
                      testloader::findSymbol(modules.secondHost, hostFunctionInfo(f).name));
        }
    }
}

// The answers differ from one host function to the next, so landing in the wrong one shows.
TEST(SecondHostAnswers, AreDistinctForEveryHostFunction) {
    std::set<std::uint64_t> answers;
    for (int i = 0; i < static_cast<int>(kHostFunctionCount); ++i) {
        switch (kHostFunctions[i].result) {
            case HostResult::word: answers.insert(testhost::wordAnswer(i, kSecondHost)); break;
            case HostResult::float32:
                answers.insert(bitsOf(testhost::floatAnswer(i, kSecondHost)));
                break;
            case HostResult::float64:
                answers.insert(bitsOf(testhost::doubleAnswer(i, kSecondHost)));
                break;
        }
    }
    EXPECT_EQ(answers.size(), kHostFunctionCount);
}

}  // namespace
