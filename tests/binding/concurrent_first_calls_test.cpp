// Many render threads making the first call of the same forwarders at once: each looks the name up
// by itself with no lock, all store the same address, and every call lands.
#include <barrier>
#include <thread>
#include <vector>

#include "binding_modules.h"

namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 25;

// A spread of functions from every family.
std::vector<HostFunction> functionsToCall() {
    std::vector<HostFunction> functions;
    for (std::size_t i = 0; i < kHostFunctionCount; i += 11) functions.push_back(hostFunctionAt(i));
    functions.push_back(HostFunction::mi_scene_create);
    functions.push_back(HostFunction::mi_query);
    functions.push_back(HostFunction::mi_nerror);
    functions.push_back(HostFunction::mi_random);
    return functions;
}

// Calls each function once and checks that its own calls all landed, with their words and results.
int callAllAndCountLanded(const std::vector<HostFunction>& functions, std::uint64_t seed) {
    testhost::forgetForwardedCalls();
    const BindingModules& modules = BindingModules::get();
    std::vector<std::uint64_t> results;
    for (const HostFunction f : functions) {
        results.push_back(callAnyForwarder(f, modules.forwarder(f), seed));
    }
    const auto& calls = testhost::forwardedCalls();
    if (calls.size() != functions.size()) return -1;
    int landed = 0;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const bool message = hostFunctionInfo(functions[i]).family == HostFamily::message;
        const bool wordsArrived = message ? calls[i].text == std::to_string(seed)
                                          : calls[i].words[1] == distinctArguments(seed).words[1];
        if (calls[i].function == hostFunctionInfo(functions[i]).name && calls[i].module == 1 &&
            calls[i].answerBits == results[i] && wordsArrived) {
            ++landed;
        }
    }
    return landed;
}

TEST_F(BindingTest, SimultaneousFirstCallsAllLand) {
    const std::vector<HostFunction> functions = functionsToCall();
    testing::internal::CaptureStderr();
    for (int round = 0; round < kRounds; ++round) {
        modules.setModuleHandle(modules.secondHost);  // every entry empty again
        std::barrier start(kThreads);
        std::vector<int> landed(kThreads, 0);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                start.arrive_and_wait();
                landed[t] = callAllAndCountLanded(functions, static_cast<std::uint64_t>(t + 1));
            });
        }
        for (std::thread& thread : threads) thread.join();
        for (int t = 0; t < kThreads; ++t) {
            EXPECT_EQ(landed[t], static_cast<int>(functions.size())) << "round " << round;
        }
        for (const HostFunction f : functions) {
            EXPECT_EQ(modules.slot(f).load(),
                      testloader::findSymbol(modules.secondHost, hostFunctionInfo(f).name));
        }
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
