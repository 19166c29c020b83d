// Many render threads shading at once with one shared parameter block: every thread, every call,
// gets exactly the result of the same call made alone, and hands its render state back as it came.
// With the binding layer the threads also make the first calls of the host functions together.
// Built with ThreadSanitizer this also proves the calls share nothing they write unsynchronised.
#include <array>
#include <atomic>
#include <latch>
#include <thread>

#include "shader_fixture.h"

namespace {

constexpr int kThreads = 8;
constexpr int kCallsPerThread = 200;

using ResultBytes = std::array<unsigned char, sizeof(ProbeResult)>;

struct SharedSettingsCase {
    const char* name;
    void (*configure)(ProbeParameters&);
};

// Both cases connect parameters, so every thread also goes through mi_phen_eval on the shared
// block; between them they take every branch that touches the render state.
const std::vector<SharedSettingsCase> kSharedSettings = {
    {"state_point_offset_everything_on",
     [](ProbeParameters& p) {
         p.traceFront = p.traceBack = 1;
         p.startOffset = 0.5f;
         p.useCutoff = p.clampDistances = p.normalizeDistances = 1;
         p.frontCutoff = 20.0f;
         p.backCutoff = 12.0f;
         p.frontRange = p.backRange = 8.0f;
         p.outputSpace = 2;
     }},
    {"input_point_light_space",
     [](ProbeParameters& p) {
         p.useInputPoint = 1;
         p.inputPoint = {-4.0f, 5.0f, 6.0f};
         p.inputNormal = {0.0f, 2.0f, 1.0f};
         p.traceFront = p.traceBack = 1;
         p.startOffset = -0.25f;
         p.normalizeDistances = 1;
         p.frontRange = 3.0f;
         p.backRange = 5.0f;
         p.outputSpace = 5;
     }},
};

class ConcurrentShading : public ShaderTest,
                          public ::testing::WithParamInterface<SharedSettingsCase> {
   protected:
    // One call on the calling thread, with its own host script, state and result block.
    ResultBytes shadeOnThisThread(RenderState& threadState, unsigned char fill) {
        testhost::reset();
        testhost::setParameterBlock(&blocks.parameters);
        const float connectedOffset = blocks.parameters.startOffset * 2.0f;
        testhost::connectValue(offsetof(ProbeParameters, startOffset), &connectedOffset,
                               sizeof connectedOffset);
        testhost::scriptTrace(hitAt({1.0f, 2.0f, 9.0f}, {0.5f, 0.25f, 0.125f, 1.0f}));
        testhost::scriptTrace(hitAt({1.0f, 2.0f, -6.0f}, {0.0f, 1.0f, 0.0f, 0.5f}));
        ProbeResult threadResult;
        std::memset(&threadResult, fill, sizeof threadResult);
        if (plugin->shade(&threadResult, &threadState, &blocks.parameters) != 1) return {};
        ResultBytes bytes;
        std::memcpy(bytes.data(), &threadResult, sizeof threadResult);
        return bytes;
    }
};
void PrintTo(const SharedSettingsCase& c, std::ostream* os) {
    *os << c.name;
}

TEST_P(ConcurrentShading, EveryThreadGetsTheSingleThreadResult) {
    GetParam().configure(blocks.parameters);
    connectAll();
    const ProbeParameters parametersBefore = blocks.parameters;

    RenderState alone = state;
    const ResultBytes expected = shadeOnThisThread(alone, 0x00);
    ASSERT_NE(expected, ResultBytes{}) << "the single-thread call must return true";
    ASSERT_EQ(expected, shadeOnThisThread(alone, 0xFF)) << "a byte of the result was not written";

    // With the binding layer, handing the module over again empties every cached host function, so
    // the threads' first calls below are also the first calls of the shader's forwarders, made by
    // all threads at once.
    if (plugin->setModuleHandle) plugin->setModuleHandle(LoadedPlugin::testHostModule());

    std::array<std::atomic<int>, kThreads> wrongResults{};
    std::array<std::atomic<int>, kThreads> disturbedStates{};
    std::latch start(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            RenderState own = state;  // each render thread has a state of its own
            const RenderState entry = own;
            start.arrive_and_wait();
            for (int call = 0; call < kCallsPerThread; ++call) {
                const auto fill = static_cast<unsigned char>(call * 37 + t);
                if (shadeOnThisThread(own, fill) != expected) ++wrongResults[t];
                if (!(own.point == entry.point) || own.primitive != entry.primitive) {
                    ++disturbedStates[t];
                }
            }
        });
    }
    for (auto& thread : threads) thread.join();

    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(wrongResults[t], 0) << "thread " << t;
        EXPECT_EQ(disturbedStates[t], 0) << "thread " << t;
    }
    EXPECT_EQ(std::memcmp(&blocks.parameters, &parametersBefore, sizeof parametersBefore), 0)
        << "the shared parameter block was written";
}

INSTANTIATE_TEST_SUITE_P(SharedBlock, ConcurrentShading, ::testing::ValuesIn(kSharedSettings),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
