// Where the rays start and along what: the state's point and normal or the camera-space inputs,
// pulled back by startOffset with the primitive cleared only when the offset is a real non-zero.
#include <limits>

#include "shader_fixture.h"

namespace {

struct OffsetCase {
    const char* name;
    float offset;
    bool useInputPoint;
    bool applied;
};

const std::vector<OffsetCase> kOffsetCases = {
    {"zero", 0.0f, false, false},
    {"negative_zero", -0.0f, false, false},
    {"not_a_number", std::numeric_limits<float>::quiet_NaN(), false, false},
    {"positive", 0.5f, false, true},
    {"negative_swaps_sides", -0.5f, false, true},
    {"zero_with_input_point", 0.0f, true, false},
    {"not_a_number_with_input_point", std::numeric_limits<float>::quiet_NaN(), true, false},
    {"positive_with_input_point", 0.25f, true, true},
};

class Offset : public ShaderTest, public ::testing::WithParamInterface<OffsetCase> {};
void PrintTo(const OffsetCase& c, std::ostream* os) { *os << c.name; }

TEST_P(Offset, RaysStartAtTheStatesPointOrAroundTheProbePoint) {
    const OffsetCase& c = GetParam();
    ProbeParameters& p = blocks.parameters;
    p.traceFront = p.traceBack = 1;
    p.startOffset = c.offset;
    p.useInputPoint = c.useInputPoint;
    p.inputPoint = {-4.0f, 5.0f, 6.0f};
    p.inputNormal = {0.0f, 2.0f, 0.0f};
    testhost::scriptTrace(hitAt({0.0f, 0.0f, 30.0f}));  // the back ray misses
    const RenderState entry = state;
    shade();

    // The probe point and normal, as the host's camera transforms give them.
    const Vector probePoint =
        c.useInputPoint ? testhost::transform("mi_point_from_camera", p.inputPoint) : entry.point;
    const Vector normal = exactUnit(c.useInputPoint
                                        ? testhost::transform("mi_normal_from_camera", p.inputNormal)
                                        : entry.normal);
    const Vector shift{normal.x * c.offset, normal.y * c.offset, normal.z * c.offset};

    const auto& log = testhost::callLog();
    const std::size_t firstTrace = c.useInputPoint ? 2 : 0;
    ASSERT_EQ(log.size(), firstTrace + 2);
    const testhost::HostCall& front = log[firstTrace];
    const testhost::HostCall& back = log[firstTrace + 1];
    EXPECT_VECTOR_NEAR(front.argument, normal);
    EXPECT_VECTOR_NEAR(back.argument, (Vector{-normal.x, -normal.y, -normal.z}));
    if (c.applied) {
        EXPECT_VECTOR_NEAR(front.statePoint, minus(probePoint, shift));
        EXPECT_VECTOR_NEAR(back.statePoint, (Vector{probePoint.x + shift.x,
                                                    probePoint.y + shift.y,
                                                    probePoint.z + shift.z}));
        EXPECT_EQ(front.statePrimitive, nullptr);
        EXPECT_EQ(back.statePrimitive, nullptr);
    } else {
        EXPECT_EQ(front.statePoint, entry.point);
        EXPECT_EQ(back.statePoint, entry.point);
        EXPECT_EQ(front.statePrimitive, kPrimitive);
        EXPECT_EQ(back.statePrimitive, kPrimitive);
    }
    // Hits are measured from the probe point, wherever the rays started.
    EXPECT_EQ(result.hitVector, minus(Vector{0.0f, 0.0f, 30.0f}, probePoint));
    EXPECT_EQ(state.point, entry.point);
    EXPECT_EQ(state.primitive, entry.primitive);
    EXPECT_EQ(state.normal, entry.normal);
}

INSTANTIATE_TEST_SUITE_P(StartOffsets, Offset, ::testing::ValuesIn(kOffsetCases),
                         [](const auto& test) { return std::string(test.param.name); });

// A zero normal stays zero: the rays are still cast, along zero directions, from the probe point.
TEST_F(ShaderTest, AZeroNormalStillCastsBothRaysFromTheProbePoint) {
    for (const bool useInputPoint : {false, true}) {
        SCOPED_TRACE(useInputPoint);
        testhost::reset();
        state.normal = {0.0f, 0.0f, 0.0f};
        ProbeParameters& p = blocks.parameters;
        p.traceFront = p.traceBack = 1;
        p.startOffset = 2.0f;
        p.useInputPoint = useInputPoint;
        p.inputNormal = {0.0f, 0.0f, 0.0f};
        testhost::scriptTrace(hitAt({1.0f, 2.0f, 9.0f}));
        shade();
        const Vector probePoint = useInputPoint
                                      ? testhost::transform("mi_point_from_camera", p.inputPoint)
                                      : kProbePoint;
        const auto& log = testhost::callLog();
        ASSERT_EQ(log.size(), useInputPoint ? 4u : 2u);
        for (const auto* trace : {&log[log.size() - 2], &log[log.size() - 1]}) {
            EXPECT_EQ(trace->function, "mi_trace_reflection");
            EXPECT_VECTOR_EQ(trace->argument, (Vector{0.0f, 0.0f, 0.0f}));
            EXPECT_EQ(trace->statePoint, probePoint);
            EXPECT_EQ(trace->statePrimitive, nullptr);
        }
        // With no normal, no side lies ahead: the hit counts as behind.
        EXPECT_EQ(result.frontDistance, 0.0f);
        EXPECT_GT(result.backDistance, 0.0f);
        EXPECT_EQ(state.primitive, kPrimitive);
    }
}

}  // namespace
