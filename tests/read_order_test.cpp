// The order of parameter reads and host calls, what the render state looks like at each of them,
// and that a connected parameter the settings do not use is never evaluated.
#include "shader_fixture.h"

namespace {

struct ReadOrderCase {
    const char* name;
    ProbeParameters settings;
    std::vector<std::string> expected;
};

ProbeParameters settings(auto&&... edits) {
    ProbeParameters p{};
    (edits(p), ...);
    return p;
}

const std::vector<ReadOrderCase> kReadOrderCases = {
    {"nothing_on", settings(),
     {"mi_phen_eval@60", "mi_phen_eval@28", "mi_phen_eval@0", "mi_phen_eval@4", "mi_phen_eval@56",
      "mi_phen_eval@48", "mi_phen_eval@52", "mi_phen_eval@24"}},
    {"everything_on",
     settings([](auto& p) {
         p.useInputPoint = 1;
         p.inputNormal = {0.0f, 0.0f, 1.0f};
         p.startOffset = 0.5f;
         p.traceFront = p.traceBack = 1;
         p.useCutoff = p.normalizeDistances = p.clampDistances = 1;
         p.frontRange = p.backRange = p.frontCutoff = p.backCutoff = 10.0f;
         p.outputSpace = 2;
     }),
     {"mi_phen_eval@60", "mi_phen_eval@64", "mi_phen_eval@76", "mi_point_from_camera",
      "mi_normal_from_camera", "mi_phen_eval@28", "mi_phen_eval@0", "mi_trace_reflection",
      "mi_phen_eval@4", "mi_trace_reflection", "mi_phen_eval@56", "mi_phen_eval@40",
      "mi_phen_eval@44", "mi_phen_eval@48", "mi_phen_eval@52", "mi_phen_eval@32", "mi_phen_eval@36",
      "mi_phen_eval@24", "mi_point_to_world", "mi_vector_to_world", "mi_normal_to_world",
      "mi_vector_to_world", "mi_vector_to_world"}},
    {"back_ray_and_normalise_only",
     settings([](auto& p) {
         p.traceBack = 1;
         p.normalizeDistances = 1;
         p.outputSpace = 1;
     }),
     {"mi_phen_eval@60", "mi_phen_eval@28", "mi_phen_eval@0", "mi_phen_eval@4",
      "mi_trace_reflection", "mi_phen_eval@56", "mi_phen_eval@48", "mi_phen_eval@52",
      "mi_phen_eval@32", "mi_phen_eval@36", "mi_phen_eval@24", "mi_point_to_object",
      "mi_vector_to_object", "mi_normal_to_object", "mi_vector_to_object", "mi_vector_to_object"}},
    {"front_ray_clamp_only_light_space",
     settings([](auto& p) {
         p.traceFront = 1;
         p.clampDistances = 1;
         p.outputSpace = 5;
     }),
     {"mi_phen_eval@60", "mi_phen_eval@28", "mi_phen_eval@0", "mi_trace_reflection",
      "mi_phen_eval@4", "mi_phen_eval@56", "mi_phen_eval@48", "mi_phen_eval@52", "mi_phen_eval@32",
      "mi_phen_eval@36", "mi_phen_eval@24", "mi_point_to_light", "mi_vector_to_light",
      "mi_normal_to_light", "mi_vector_to_light", "mi_vector_to_light"}},
    {"cutoff_only_camera_space",
     settings([](auto& p) {
         p.useCutoff = 1;
         p.outputSpace = 3;
     }),
     {"mi_phen_eval@60", "mi_phen_eval@28", "mi_phen_eval@0", "mi_phen_eval@4", "mi_phen_eval@56",
      "mi_phen_eval@40", "mi_phen_eval@44", "mi_phen_eval@48", "mi_phen_eval@52",
      "mi_phen_eval@24", "mi_point_to_camera", "mi_vector_to_camera", "mi_normal_to_camera",
      "mi_vector_to_camera", "mi_vector_to_camera"}},
};

void PrintTo(const ReadOrderCase& c, std::ostream* os) { *os << c.name; }

class ReadOrder : public ShaderTest, public ::testing::WithParamInterface<ReadOrderCase> {};

TEST_P(ReadOrder, EveryConnectedParameterIsReadOnceWhenNeededInTheFixedOrder) {
    blocks.parameters = GetParam().settings;
    connectAll();  // the sixteen unread bytes are connected too, and must stay unread
    testhost::scriptTrace(hitAt({1.0f, 2.0f, 9.0f}));
    testhost::scriptTrace(hitAt({1.0f, 2.0f, -9.0f}));
    EXPECT_EQ(shade(), 1);
    EXPECT_EQ(calls(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Settings, ReadOrder, ::testing::ValuesIn(kReadOrderCases),
                         [](const auto& test) { return std::string(test.param.name); });

// What a connected shader sees of the render state at each read, with the offset applied: the
// primitive null from the front trace on, the point at the front origin while traceBack is read,
// both back at their entry values once the call returns.
TEST_F(ShaderTest, ConnectedShadersSeeTheStateAsTheCallHasChangedIt) {
    blocks.parameters.startOffset = 0.5f;
    blocks.parameters.traceFront = blocks.parameters.traceBack = 1;
    blocks.parameters.outputSpace = 2;
    connectAll();
    testhost::scriptTrace(hitAt({1.0f, 2.0f, 9.0f}));
    testhost::scriptTrace(hitAt({1.0f, 2.0f, -9.0f}));
    const Vector entry = state.point;  // normal (0, 0, 1) once unit: origins at z 2.5 and 3.5
    const Vector front{1.0f, 2.0f, 2.5f};
    const Vector back{1.0f, 2.0f, 3.5f};
    shade();

    struct Seen {
        const char* call;
        Vector point;
        const void* primitive;
    };
    const std::vector<Seen> expected = {
        {"mi_phen_eval@60", entry, kPrimitive}, {"mi_phen_eval@28", entry, kPrimitive},
        {"mi_phen_eval@0", entry, nullptr},     {"mi_trace_reflection", front, nullptr},
        {"mi_phen_eval@4", front, nullptr},     {"mi_trace_reflection", back, nullptr},
        {"mi_phen_eval@56", entry, nullptr},    {"mi_phen_eval@48", entry, nullptr},
        {"mi_phen_eval@52", entry, nullptr},    {"mi_phen_eval@24", entry, nullptr},
        {"mi_point_to_world", entry, nullptr},  {"mi_vector_to_world", entry, nullptr},
        {"mi_normal_to_world", entry, nullptr}, {"mi_vector_to_world", entry, nullptr},
        {"mi_vector_to_world", entry, nullptr},
    };
    const auto& log = testhost::callLog();
    ASSERT_EQ(calls().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(calls()[i]);
        EXPECT_EQ(calls()[i], expected[i].call);
        EXPECT_EQ(log[i].statePoint, expected[i].point);
        EXPECT_EQ(log[i].statePrimitive, expected[i].primitive);
    }
    EXPECT_EQ(state.point, entry);
    EXPECT_EQ(state.primitive, kPrimitive);
}

// Nothing is evaluated when the host says nothing is connected, when every connection word is
// zero, or when only the unread bytes carry words, whatever else lies behind the block.
TEST_F(ShaderTest, UnconnectedParametersAreReadFromTheBlockWithoutAskingTheHost) {
    blocks.parameters.traceFront = blocks.parameters.traceBack = 1;
    blocks.parameters.useCutoff = blocks.parameters.clampDistances = 1;
    blocks.parameters.useInputPoint = 1;
    for (int variant = 0; variant < 3; ++variant) {
        SCOPED_TRACE(variant);
        testhost::reset();
        testhost::setParameterBlock(&blocks.parameters);
        std::memset(&blocks.words, variant == 0 ? 0xFF : 0, sizeof blocks.words);
        shaderCall.connectionOffset = variant == 0 ? 0 : int32_t(sizeof(ProbeParameters));
        if (variant == 2) std::memset(blocks.words.unread, 0xFF, sizeof blocks.words.unread);
        shade();
        for (const auto& call : testhost::callLog()) EXPECT_NE(call.function, "mi_phen_eval");
    }
}

// A connected value replaces the block's; a host that answers no address leaves the block's.
TEST_F(ShaderTest, ConnectedValuesReplaceTheBlockUnlessTheHostAnswersNoAddress) {
    blocks.parameters.traceFront = 0;
    shaderCall.connectionOffset = sizeof(ProbeParameters);
    blocks.words.traceFront = 1;
    blocks.words.outputSpace = 1;
    const int32_t on = 1;
    testhost::connectValue(offsetof(ProbeParameters, traceFront), &on, sizeof on);
    testhost::connectValue(offsetof(ProbeParameters, outputSpace), nullptr, 0);
    blocks.parameters.outputSpace = 2;
    testhost::scriptTrace(hitAt({1.0f, 2.0f, 9.0f}));
    shade();
    const auto names = calls();
    EXPECT_EQ(std::count(names.begin(), names.end(), "mi_trace_reflection"), 1);
    EXPECT_EQ(names.back(), "mi_vector_to_world");  // the block's outputSpace 2
    EXPECT_EQ(blocks.parameters.traceFront, 0);     // the block itself is never written
}

}  // namespace
