// A forwarded call allocates nothing once its host function is resolved, in every forwarding
// family. The binding layer is the probe module of the binding tests, handed the quiet host.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "counting_allocator.h"
#include "host_function_index.h"
#include "quiet_host.h"

namespace {

constexpr int kCalls = 100;

using ForwarderAddress = void (*)();
using Word = std::uintptr_t;

class ResolvedForwarders : public ::testing::Test {
   protected:
    static void SetUpTestSuite() {
        quiethost::setPresetHit(quiethost::PresetHit{});  // the quiet host is loaded
        Dl_info info{};
        dladdr(reinterpret_cast<void*>(&quiethost::setPresetHit), &info);
        void* host = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
        void* probe = dlopen(VANTREL_BINDING_PROBE_PATH, RTLD_NOW | RTLD_LOCAL);
        if (host == nullptr || probe == nullptr) throw std::runtime_error(dlerror());
        const auto setModuleHandle =
            reinterpret_cast<int32_t (*)(void*)>(dlsym(probe, "miSetModuleHandle"));
        const auto directory =
            reinterpret_cast<const ForwarderAddress* (*)()>(dlsym(probe, "vantrelProbeForwarders"));
        if (setModuleHandle == nullptr || directory == nullptr) {
            throw std::runtime_error("the binding probe module lacks its exports");
        }
        setModuleHandle(host);
        forwarders = directory();
    }

    template <class Fn>
    static Fn forwarder(HostFunction f) {
        return reinterpret_cast<Fn>(forwarders[static_cast<std::size_t>(f)]);
    }

    // Calls `call` once to resolve its forwarder, then counts what kCalls more calls allocate.
    template <class Call>
    static std::size_t allocationsOfResolvedCalls(Call call) {
        call();
        return allocationsDuring([&] {
            for (int i = 0; i < kCalls; ++i) call();
        });
    }

    static inline const ForwarderAddress* forwarders = nullptr;
};

TEST_F(ResolvedForwarders, PlainAllocatesNothing) {
    const auto f = forwarder<int32_t (*)(RenderState*, Vector*, const Vector*)>(
        HostFunction::mi_point_to_world);
    RenderState state{};
    const Vector in{1.0f, 2.0f, 3.0f};
    Vector out{};
    EXPECT_EQ(allocationsOfResolvedCalls([&] { f(&state, &out, &in); }), 0u);
    EXPECT_EQ(out.z, in.z);  // the host function was reached
}

TEST_F(ResolvedForwarders, MessageAllocatesNothing) {
    const auto f = forwarder<Word (*)(const char*, ...)>(HostFunction::mi_info);
    EXPECT_EQ(allocationsOfResolvedCalls([&] { f("%d rays, %s", 42, "no allocation"); }), 0u);
}

TEST_F(ResolvedForwarders, QueryAllocatesNothing) {
    const auto f = forwarder<Word (*)(int32_t, ...)>(HostFunction::mi_query);
    EXPECT_EQ(allocationsOfResolvedCalls([&] {
                  f(15, Word{1}, Word{2}, Word{3}, Word{4});
                  f(3, Word{1}, Word{2}, Word{3});
              }),
              0u);
}

TEST_F(ResolvedForwarders, VariableArgumentAllocatesNothing) {
    const auto f = forwarder<Word (*)(Word, Word, ...)>(HostFunction::mi_scene_create);
    EXPECT_EQ(allocationsOfResolvedCalls([&] {
                  f(Word{1}, Word{2}, Word{3}, Word{4}, Word{5}, Word{6}, Word{7}, Word{8}, Word{9},
                    Word{10});
              }),
              0u);
}

}  // namespace
