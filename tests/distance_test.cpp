// Front, back and signed distances: the side of the hit, the cutoffs, clamping and normalisation,
// and what the cutoff does to the hit vector.
#include <limits>

#include "shader_fixture.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct DistanceCase {
    const char* name;
    Vector hit;  // the probe point is (1, 2, 3) and the normal (0, 0, 1)
    bool useCutoff, clamp, normalize;
    float frontCutoff, backCutoff, frontRange, backRange;
    float front, back, signedDistance;
    bool hitVectorCleared;
};

constexpr Vector kAhead(float distance) { return {1.0f, 2.0f, 3.0f + distance}; }
constexpr Vector kBehind(float distance) { return {1.0f, 2.0f, 3.0f - distance}; }

const std::vector<DistanceCase> kCases = {
    {"plain_front", kAhead(2), false, false, false, 0, 0, 0, 0, 2, 0, 2, false},
    {"plain_back", kBehind(3), false, false, false, 0, 0, 0, 0, 0, 3, -3, false},
    {"across_the_normal_is_behind", {4.0f, 6.0f, 3.0f}, false, false, false, 0, 0, 0, 0, 0, 5, -5,
     false},
    {"cutoff_drops_distance_keeps_vector", kAhead(7), true, false, false, 5, 10, 0, 0, 0, 0, 0,
     false},
    {"cutoff_drops_distance_and_vector", kAhead(7), true, false, false, 5, 6, 0, 0, 0, 0, 0, true},
    {"cutoff_at_the_distance_keeps_it", kAhead(7), true, false, false, 7, 7, 0, 0, 7, 0, 7, false},
    {"cutoff_zero_drops_any_distance", kBehind(1), true, false, false, 0, 0, 0, 0, 0, 0, 0, true},
    {"cutoff_not_a_number_drops_distance", kAhead(2), true, false, false, kNaN, 10, 0, 0, 0, 0, 0,
     false},
    {"cutoff_then_clamp_then_normalise", kAhead(7), true, true, true, 10, 10, 5, 5, 1, 0, 1,
     false},
    {"clamp_only", kBehind(3), false, true, false, 0, 0, 1, 2, 0, 2, -2, false},
    {"clamp_to_a_negative_range", kAhead(3), false, true, false, 0, 0, -2, 1, -2, 0, -2, false},
    {"normalise_only", kAhead(2), false, false, true, 0, 0, 4, 4, 0.5f, 0, 0.75f, false},
    {"normalise_back", kBehind(1), false, false, true, 0, 0, 1, 3, 0, 1.0f / 3.0f, 0.25f, false},
    {"normalise_with_ranges_summing_to_zero", kAhead(2), false, false, true, 0, 0, 0, 0, 0, 0, 0,
     false},
    {"normalise_with_a_negative_range", kBehind(2), false, false, true, 0, 0, 3, -1, 0, 0, -0.5f,
     false},
};

class Distance : public ShaderTest, public ::testing::WithParamInterface<DistanceCase> {};
void PrintTo(const DistanceCase& c, std::ostream* os) { *os << c.name; }

TEST_P(Distance, ShapesTheDistancesAsTheSwitchesSay) {
    const DistanceCase& c = GetParam();
    ProbeParameters& p = blocks.parameters;
    p.traceFront = 1;
    p.useCutoff = c.useCutoff;
    p.clampDistances = c.clamp;
    p.normalizeDistances = c.normalize;
    p.frontCutoff = c.frontCutoff;
    p.backCutoff = c.backCutoff;
    p.frontRange = c.frontRange;
    p.backRange = c.backRange;
    testhost::scriptTrace(hitAt(c.hit));
    shade();
    EXPECT_FLOAT_EQ(result.frontDistance, c.front);
    EXPECT_FLOAT_EQ(result.backDistance, c.back);
    EXPECT_FLOAT_EQ(result.signedDistance, c.signedDistance);
    EXPECT_VECTOR_EQ(result.hitVector, (c.hitVectorCleared ? Vector{} : minus(c.hit, kProbePoint)));
    // The cutoff clears the vector only: the hit itself is still reported.
    EXPECT_EQ(result.hitPoint, c.hit);
    EXPECT_EQ(result.hitColor, hitAt(c.hit).color);
}

INSTANTIATE_TEST_SUITE_P(Shaping, Distance, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

// With nothing hit the distances are 0, and the signed value is centred at 0.5 under
// normalisation when the ranges allow it.
TEST_F(ShaderTest, NoHitGivesZeroDistancesAndAHalfUnderNormalisation) {
    struct Case {
        bool normalize;
        float frontRange, backRange, signedDistance;
    };
    for (const Case c : {Case{false, 1, 1, 0}, Case{true, 1, 1, 0.5f}, Case{true, 0, 0, 0}}) {
        SCOPED_TRACE(c.normalize + 10 * c.frontRange);
        blocks.parameters.traceFront = blocks.parameters.traceBack = 1;  // both miss
        blocks.parameters.normalizeDistances = c.normalize;
        blocks.parameters.frontRange = c.frontRange;
        blocks.parameters.backRange = c.backRange;
        shade();
        EXPECT_EQ(result.frontDistance, 0.0f);
        EXPECT_EQ(result.backDistance, 0.0f);
        EXPECT_EQ(result.signedDistance, c.signedDistance);
    }
}

}  // namespace
