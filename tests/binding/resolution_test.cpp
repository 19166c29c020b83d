// The resolution step: the two lines on standard error, when a name is looked up and when it is
// not, what a call of a missing host function returns, and a second module handed over.
#include <cinttypes>
#include <cstdio>

#include "binding_modules.h"
#include "forwarding_families.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

std::string lookupFailedLine(const char* name, const void* module, int error) {
    char line[256];
    std::snprintf(line, sizeof line, "dlsym failed on \"%s\" (handle: %08" PRIxPTR " error: %d)\n",
                  name, reinterpret_cast<std::uintptr_t>(module), error);
    return line;
}

// A module that exports no host function: the log library, already loaded.
void* moduleWithoutHostFunctions() {
    return testloader::loadedModule(VANTREL_FORWARDED_CALLS_PATH);
}

// One function of each family and result kind, called with arguments it could not survive
// formatting or forwarding with if it tried; each gives its zero result.
struct MissingFunctionCase {
    const char* label;
    HostFunction function;
    std::uint64_t (*call)(ForwarderAddress);
};

// A %s conversion of this would crash: a message function must not format before it has its host
// function.
const char* const kUnreadable = reinterpret_cast<const char*>(std::uintptr_t{16});

const MissingFunctionCase kMissingFunctionCases[] = {
    {"plain word", HostFunction::mi_db_access,
     [](ForwarderAddress f) { return bitsOf(callWithWords<Word>(f, distinctArguments(1))); }},
    {"plain float", HostFunction::mi_noise_3d,
     [](ForwarderAddress f) { return bitsOf(callWithWords<float>(f, distinctArguments(2))); }},
    {"plain double", HostFunction::mi_random,
     [](ForwarderAddress f) { return bitsOf(callWithWords<double>(f, distinctArguments(3))); }},
    {"variable", HostFunction::mi_scene_create,
     [](ForwarderAddress f) { return bitsOf(callWithWords<Word>(f, distinctArguments(4))); }},
    {"query", HostFunction::mi_query,
     [](ForwarderAddress f) {
         return bitsOf(reinterpret_cast<decltype(&mi_query)>(f)(15, 1, 2, 3, 4));
     }},
    {"message", HostFunction::mi_warning,
     [](ForwarderAddress f) {
         return bitsOf(reinterpret_cast<Word (*)(const char*, ...)>(f)("%s", kUnreadable));
     }},
    {"numbered message", HostFunction::mi_nerror,
     [](ForwarderAddress f) {
         return bitsOf(
             reinterpret_cast<Word (*)(std::int32_t, const char*, ...)>(f)(3, "%s", kUnreadable));
     }},
};

TEST_F(BindingTest, MissingHostFunctionIsReportedCallsNothingAndIsLookedUpAgainNextTime) {
    void* module = moduleWithoutHostFunctions();
    ASSERT_NE(module, nullptr);
    modules.setModuleHandle(module);
    for (const MissingFunctionCase& c : kMissingFunctionCases) {
        SCOPED_TRACE(c.label);
        const char* name = hostFunctionInfo(c.function).name;
        for (int call = 0; call < 2; ++call) {
            CaptureStderr();
            const std::uint64_t result = c.call(modules.forwarder(c.function));
            EXPECT_EQ(GetCapturedStderr(), lookupFailedLine(name, module, kMissingNameError));
            EXPECT_EQ(result, 0u);
            EXPECT_EQ(modules.slot(c.function).load(), nullptr);
        }
    }
    EXPECT_TRUE(testhost::forwardedCalls().empty());
}

// Before any handle: the null-handle line, then the lookup with the null handle, which finds
// nothing here, and its line; both again on the next call.
TEST_F(BindingTest, NullHandleIsReportedBeforeTheFailedLookup) {
    const std::string expected =
        "DYNLOAD: dl_handle null\n" + lookupFailedLine("mi_luminance", nullptr, kMissingNameError);
    EXPECT_EQ(lookupFailedLine("mi_luminance", nullptr, kMissingNameError),
              "dlsym failed on \"mi_luminance\" (handle: 00000000 error: " +
                  std::to_string(kMissingNameError) + ")\n");
    for (int call = 0; call < 2; ++call) {
        CaptureStderr();
        const float result = callWithWords<float>(modules.forwarder(HostFunction::mi_luminance),
                                                  distinctArguments(5));
        EXPECT_EQ(GetCapturedStderr(), expected);
        EXPECT_EQ(bitsOf(result), 0u);
    }
}

TEST_F(BindingTest, SetModuleHandleAnswersZeroAndEmptiesEveryEntry) {
    EXPECT_EQ(modules.setModuleHandle(modules.secondHost), 0);
    for (std::size_t i = 0; i < kHostFunctionCount; i += 7) {
        callAnyForwarder(hostFunctionAt(i), modules.forwarder(hostFunctionAt(i)), i);
    }
    EXPECT_EQ(modules.setModuleHandle(modules.secondHost), 0);
    for (std::size_t i = 0; i < kHostFunctionCount; ++i) {
        EXPECT_EQ(modules.slots[i].load(), nullptr) << kHostFunctions[i].name;
    }
    EXPECT_EQ(modules.setModuleHandle(nullptr), 0);
}

// A call looks up its own name only: after it, its entry holds the host function and every other
// entry is still empty. Nothing is written when the lookup succeeds.
TEST_F(BindingTest, FirstCallFillsOnlyItsOwnEntry) {
    modules.setModuleHandle(modules.secondHost);
    CaptureStderr();
    callWithWords<Word>(modules.forwarder(HostFunction::mi_api_poly_begin), distinctArguments(6));
    EXPECT_EQ(GetCapturedStderr(), "");
    for (std::size_t i = 0; i < kHostFunctionCount; ++i) {
        const HostFunction f = hostFunctionAt(i);
        EXPECT_EQ(modules.slots[i].load(),
                  f == HostFunction::mi_api_poly_begin
                      ? testloader::findSymbol(modules.secondHost, "mi_api_poly_begin")
                      : nullptr)
            << kHostFunctions[i].name;
    }
}

// Once the entry is filled, calls go through it with no further lookup: an entry pointed at the
// same function in the other module sends the next call there, in every family.
TEST_F(BindingTest, LaterCallsGoThroughTheEntryWithoutLookingUpAgain) {
    const HostFunction functions[] = {HostFunction::mi_api_poly_begin, HostFunction::mi_noise_2d,
                                      HostFunction::mi_scene_growedit, HostFunction::mi_query,
                                      HostFunction::mi_info};
    modules.setModuleHandle(modules.secondHost);
    for (const HostFunction f : functions) {
        SCOPED_TRACE(hostFunctionInfo(f).name);
        const ForwarderAddress address = modules.forwarder(f);
        const auto callOnce = [&] {
            testhost::forgetForwardedCalls();
            if (f == HostFunction::mi_info) {
                callMessage(f, address, "once");
            } else {
                callWithWords<Word>(address, distinctArguments(7));
            }
            return onlyRecordedCall().module;
        };
        EXPECT_EQ(callOnce(), 1);
        modules.slot(f).store(testloader::findSymbol(modules.testHost, hostFunctionInfo(f).name));
        CaptureStderr();
        EXPECT_EQ(callOnce(), 0);
        EXPECT_EQ(GetCapturedStderr(), "");
    }
}

// A second handle makes every forwarder look its name up again, in the new module, and no address
// from the old one is used after that. The test host's own 16 functions take the render state and
// vectors; all their argument words point at one scratch state, which is large enough for each.
TEST_F(BindingTest, SecondModuleHandleMakesEveryNameResolveThere) {
    alignas(16) unsigned char scratch[512] = {};
    WordArguments a = distinctArguments(8);
    a.words.fill(reinterpret_cast<Word>(scratch));
    for (void* module : {modules.secondHost, modules.testHost, modules.secondHost}) {
        modules.setModuleHandle(module);
        CaptureStderr();
        for (std::size_t i = 0; i < kHostFunctionCount; ++i) {
            const HostFunction f = hostFunctionAt(i);
            if (hostFunctionInfo(f).family == HostFamily::message) {
                callMessage(f, modules.forwarder(f), "%d", 1);
            } else {
                callWithWordsForBits(f, modules.forwarder(f), a);
            }
            EXPECT_EQ(modules.slots[i].load(),
                      testloader::findSymbol(module, kHostFunctions[i].name))
                << kHostFunctions[i].name;
        }
        EXPECT_EQ(GetCapturedStderr(), "");
        const int number = module == modules.testHost ? 0 : 1;
        const auto& calls = testhost::forwardedCalls();
        // The test host answers its 16 functions by hand, outside this log.
        EXPECT_EQ(calls.size(),
                  module == modules.testHost ? kHostFunctionCount - 16 : kHostFunctionCount);
        for (const auto& call : calls) EXPECT_EQ(call.module, number) << call.function;
        testhost::forgetForwardedCalls();
    }
}

}  // namespace
