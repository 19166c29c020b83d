// Nothing in a shader call, nor in a forwarded call once its host function is resolved, takes
// memory from the heap. The plug-in runs against the quiet host, which allocates nothing itself,
// so every allocation counted would be the plug-in's.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "counting_allocator.h"
#include "loaded_plugin.h"
#include "quiet_host.h"

namespace {

constexpr int kCalls = 100;

void* volatile escaped;  // keeps the compiler from leaving out the allocations below

TEST(CountingAllocator, CountsWhatIsAllocatedWhileCounting) {
    EXPECT_EQ(allocationsDuring([] {}), 0u);
    EXPECT_EQ(allocationsDuring([] {
                  escaped = std::malloc(16);
                  std::free(escaped);
              }),
              1u);
    EXPECT_EQ(allocationsDuring([] {
                  std::vector<int> list(8);  // through operator new
                  escaped = list.data();
              }),
              1u);
}

// A parameter block with a block of connection words right behind it.
struct ConnectedBlocks {
    ProbeParameters parameters{};
    ProbeParameters words{};
};

struct CallCase {
    const char* name;
    void (*set)(ConnectedBlocks&);
    bool connected;  // every parameter connected: each read goes through mi_phen_eval
};

const std::vector<CallCase> kCallCases = {
    {"front_ray_internal_space", [](ConnectedBlocks& b) { b.parameters.traceFront = 1; }, false},
    {"everything_on",
     [](ConnectedBlocks& b) {
         ProbeParameters& p = b.parameters;
         p.traceFront = p.traceBack = p.useInputPoint = 1;
         p.inputNormal = {0.0f, 0.0f, 1.0f};
         p.startOffset = 0.01f;
         p.useCutoff = p.clampDistances = p.normalizeDistances = 1;
         p.frontRange = p.backRange = p.frontCutoff = p.backCutoff = 4.0f;
         p.outputSpace = 2;
     },
     false},
    {"everything_on_and_connected",
     [](ConnectedBlocks& b) {
         ProbeParameters& p = b.parameters;
         p.traceFront = p.traceBack = 1;
         p.startOffset = -0.01f;
         p.useCutoff = p.clampDistances = p.normalizeDistances = 1;
         p.frontRange = p.backRange = p.frontCutoff = p.backCutoff = 4.0f;
         p.outputSpace = 5;
         std::memset(&b.words, 0x01, sizeof b.words);
     },
     true},
};

class ShaderCall : public ::testing::TestWithParam<CallCase> {};
void PrintTo(const CallCase& c, std::ostream* os) {
    *os << c.name;
}

TEST_P(ShaderCall, AllocatesNothing) {
    const quiethost::PresetHit preset;
    quiethost::setPresetHit(preset);
    static const LoadedPlugin plugin;
    ConnectedBlocks blocks;
    GetParam().set(blocks);
    const ::ShaderCall call{GetParam().connected ? int32_t(sizeof(ProbeParameters)) : 0};
    RenderState child{};
    RenderState state{};
    state.child = &child;
    state.shader = &call;
    state.primitive = &state;
    state.normal = {0.0f, 0.0f, 1.0f};
    ProbeResult result{};

    plugin.shade(&result, &state, &blocks.parameters);  // binds the host functions first
    const std::size_t allocations = allocationsDuring([&] {
        for (int i = 0; i < kCalls; ++i) plugin.shade(&result, &state, &blocks.parameters);
    });
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(result.hitColor.g, preset.color.g);  // the calls did trace and hit
}

INSTANTIATE_TEST_SUITE_P(Settings, ShaderCall, ::testing::ValuesIn(kCallCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
