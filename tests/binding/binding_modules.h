// The binding layer under test and the host modules it is handed, loaded once per test process.
// Everything is loaded privately (RTLD_LOCAL on Linux; on Windows a lookup only ever searches the
// one module it is given): no host function is visible in the process's global scope, so a lookup
// with a null handle finds nothing.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include "forwarded_calls.h"
#include "host_function_table.h"
#include "module_loader.h"

using testhost::Word;

// The code in the "dlsym failed" line for a name the module lacks: the platform's own.
#if defined(_WIN32)
inline constexpr int kMissingNameError = 127;  // GetLastError(): ERROR_PROC_NOT_FOUND
#else
inline constexpr int kMissingNameError = 1;  // the loader gave a reason
#endif
using ForwarderAddress = void (*)();

class BindingModules {
   public:
    static BindingModules& get() {
        static BindingModules modules;
        return modules;
    }

    void* probe;
    void* testHost;    // vantrel_testhost: answers the shader's 16 functions by hand, module 0
    void* secondHost;  // records every host function, module 1
    std::int32_t (*setModuleHandle)(void* module);
    const ForwarderAddress* forwarders;
    std::atomic<void*>* slots;

    ForwarderAddress forwarder(HostFunction f) const { return forwarders[index(f)]; }
    std::atomic<void*>& slot(HostFunction f) const { return slots[index(f)]; }

    static std::size_t index(HostFunction f) { return static_cast<std::size_t>(f); }

   private:
    BindingModules()
        : probe(open(VANTREL_BINDING_PROBE_PATH)),
          testHost(open(VANTREL_TESTHOST_PATH)),
          secondHost(open(VANTREL_SECOND_HOST_PATH)),
          setModuleHandle(symbol<decltype(setModuleHandle)>("miSetModuleHandle")),
          forwarders(symbol<const ForwarderAddress* (*)()>("vantrelProbeForwarders")()),
          slots(symbol<std::atomic<void*>* (*)()>("vantrelProbeSlots")()) {}

    static void* open(const char* path) {
        void* handle = testloader::openModule(path);
        if (!handle) {
            throw std::runtime_error(std::string("cannot load ") + path + ": " +
                                     testloader::loaderError());
        }
        return handle;
    }

    template <class Fn>
    Fn symbol(const char* name) const {
        void* address = testloader::findSymbol(probe, name);
        if (!address) throw std::runtime_error(std::string("the probe module lacks ") + name);
        return reinterpret_cast<Fn>(address);
    }
};

inline HostFunction hostFunctionAt(std::size_t i) {
    return static_cast<HostFunction>(i);
}

// A full set of argument words and doubles, different for every seed and in every half of every
// value, so that a word or register lost, swapped or cut short on the way shows.
struct WordArguments {
    std::array<Word, testhost::kRecordedWords> words;
    std::array<double, testhost::kRecordedDoubles> doubles;
};

inline std::uint64_t mixBits(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15u;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
    return x ^ (x >> 31);
}

inline WordArguments distinctArguments(std::uint64_t seed) {
    WordArguments a{};
    std::uint64_t state = seed * 1000;
    for (Word& w : a.words) w = static_cast<Word>(mixBits(++state));
    for (double& d : a.doubles) {
        // In [1, 2), with every mantissa bit drawn.
        const std::uint64_t bits = 0x3FF0000000000000u | (mixBits(++state) & 0x000FFFFFFFFFFFFFu);
        std::memcpy(&d, &bits, sizeof d);
    }
    return a;
}

template <class T>
std::uint64_t bitsOf(T value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof value);
    return bits;
}

// Calls a forwarder that forwards by words with every word and double of `a`, as a variadic call
// (so that on x86-64 rax carries the number of vector registers used), and gives back the bits of
// its result read as the table says.
template <class R>
R callWithWords(ForwarderAddress f, const WordArguments& a) {
    const auto& w = a.words;
    const auto& d = a.doubles;
    return reinterpret_cast<R (*)(Word, ...)>(f)(w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7],
                                                 w[8], w[9], w[10], w[11], w[12], w[13], d[0], d[1],
                                                 d[2], d[3], d[4], d[5], d[6], d[7]);
}

inline std::uint64_t callWithWordsForBits(HostFunction f, ForwarderAddress address,
                                          const WordArguments& a) {
    switch (hostFunctionInfo(f).result) {
        case HostResult::float32: return bitsOf(callWithWords<float>(address, a));
        case HostResult::float64: return bitsOf(callWithWords<double>(address, a));
        case HostResult::word: break;
    }
    return bitsOf(callWithWords<Word>(address, a));
}

// Calls a message forwarder with a format and its arguments, after the number 42 for those that
// take a leading number.
template <class... Arguments>
Word callMessage(HostFunction f, ForwarderAddress address, const char* format,
                 Arguments... arguments) {
    if (std::string(hostFunctionInfo(f).name).starts_with("mi_n")) {
        return reinterpret_cast<Word (*)(std::int32_t, const char*, ...)>(address)(42, format,
                                                                                   arguments...);
    }
    return reinterpret_cast<Word (*)(const char*, ...)>(address)(format, arguments...);
}

// Calls any forwarder: a message one with the text "<seed>", the others with
// distinctArguments(seed). Gives the bits of the result.
inline std::uint64_t callAnyForwarder(HostFunction f, ForwarderAddress address,
                                      std::uint64_t seed) {
    if (hostFunctionInfo(f).family == HostFamily::message) {
        return callMessage(f, address, "%llu", static_cast<unsigned long long>(seed));
    }
    return callWithWordsForBits(f, address, distinctArguments(seed));
}

// The one call this thread's host modules recorded since the log was last emptied.
inline const testhost::ForwardedCall& onlyRecordedCall() {
    const auto& calls = testhost::forwardedCalls();
    if (calls.size() != 1) {
        throw std::runtime_error("expected one recorded call, found " +
                                 std::to_string(calls.size()));
    }
    return calls.front();
}

// Every test starts with the log empty and no handle handed over yet, all entries empty.
class BindingTest : public ::testing::Test {
   protected:
    BindingModules& modules = BindingModules::get();
    void SetUp() override {
        modules.setModuleHandle(nullptr);
        testhost::forgetForwardedCalls();
    }
    void TearDown() override { modules.setModuleHandle(nullptr); }
};
