// Which of the two hits the shader keeps, and what it copies out of the host's child state.
#include <limits>

#include "shader_fixture.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr Color kFrontColor{1.0f, 0.0f, 0.0f, 1.0f};
constexpr Color kBackColor{0.0f, 0.0f, 1.0f, 0.5f};

enum class Chosen { Front, Back, None };

struct NearerHitCase {
    const char* name;
    testhost::TraceAnswer front;  // the probe point is (1, 2, 3), the normal (0, 0, 1)
    testhost::TraceAnswer back;
    Chosen chosen;
};

testhost::TraceAnswer answer(Vector point, Color color, int32_t returns = 1,
                             double rayLength = 1.0) {
    testhost::TraceAnswer a;
    a.point = point;
    a.color = color;
    a.returns = returns;
    a.rayLength = rayLength;
    a.normal = {0.0f, 0.0f, color.r > 0.0f ? -2.0f : 2.0f};
    a.derivatives = {{0.0f, color.r + 1.0f, 0.0f}, {color.b + 1.0f, 0.0f, 0.0f}};
    return a;
}

testhost::TraceAnswer frontAt(float z, int32_t returns = 1, double rayLength = 1.0) {
    return answer({1.0f, 2.0f, z}, kFrontColor, returns, rayLength);
}
testhost::TraceAnswer backAt(float z, int32_t returns = 1, double rayLength = 1.0) {
    return answer({1.0f, 2.0f, z}, kBackColor, returns, rayLength);
}

const double kNaNLength = std::numeric_limits<double>::quiet_NaN();

// Front hits are red, back hits blue; the host's child state is reused by every trace, so a hit
// survives only if it was copied out before the next one.
const std::vector<NearerHitCase> kCases = {
    {"front_nearer", frontAt(5.0f), backAt(0.0f), Chosen::Front},
    {"back_nearer", frontAt(7.0f), backAt(1.0f), Chosen::Back},
    {"tie_goes_to_front", frontAt(5.0f), backAt(1.0f), Chosen::Front},
    // Equally far in different directions: still a tie.
    {"tie_off_axis", answer({1.0f, 4.0f, 3.0f}, kFrontColor), backAt(1.0f), Chosen::Front},
    {"front_returns_false", frontAt(4.0f, 0), backAt(0.0f), Chosen::Back},
    {"front_ray_length_zero", frontAt(4.0f, 1, 0.0), backAt(0.0f), Chosen::Back},
    {"front_ray_length_negative", frontAt(4.0f, 1, -1.0), backAt(0.0f), Chosen::Back},
    {"front_ray_length_nan", frontAt(4.0f, 1, kNaNLength), backAt(0.0f), Chosen::Back},
    {"back_returns_false", frontAt(9.0f), backAt(2.5f, 0), Chosen::Front},
    {"front_length_not_a_number", answer({kNaN, 2.0f, 5.0f}, kFrontColor), backAt(0.0f),
     Chosen::Back},
    {"both_miss", frontAt(4.0f, 0), backAt(2.0f, 1, 0.0), Chosen::None},
};

class NearerHit : public ShaderTest, public ::testing::WithParamInterface<NearerHitCase> {};
void PrintTo(const NearerHitCase& c, std::ostream* os) { *os << c.name; }

TEST_P(NearerHit, KeepsTheNearerHitWithEverythingItCarries) {
    const NearerHitCase& c = GetParam();
    blocks.parameters.traceFront = blocks.parameters.traceBack = 1;
    testhost::scriptTrace(c.front);
    testhost::scriptTrace(c.back);
    EXPECT_EQ(shade(), 1);

    if (c.chosen == Chosen::None) {
        EXPECT_EQ(result.hitColor, (Color{0.0f, 0.0f, 0.0f, 0.0f}));
        EXPECT_VECTOR_EQ(result.hitPoint, (Vector{0.0f, 0.0f, 0.0f}));
        EXPECT_VECTOR_EQ(result.hitNormal, (Vector{0.0f, 0.0f, 0.0f}));
        EXPECT_VECTOR_EQ(result.hitDerivU, (Vector{0.0f, 0.0f, 0.0f}));
        EXPECT_EQ(result.frontDistance + result.backDistance + result.signedDistance, 0.0f);
        return;
    }
    const testhost::TraceAnswer& hit = c.chosen == Chosen::Front ? c.front : c.back;
    EXPECT_EQ(result.hitColor, hit.color);
    EXPECT_EQ(result.hitPoint, hit.point);
    EXPECT_EQ(result.hitVector, minus(hit.point, kProbePoint));
    EXPECT_VECTOR_EQ(result.hitNormal, exactUnit(hit.normal));
    EXPECT_VECTOR_EQ(result.hitDerivU, exactUnit(hit.derivatives[0]));
    EXPECT_VECTOR_EQ(result.hitDerivV, exactUnit(hit.derivatives[1]));
}

INSTANTIATE_TEST_SUITE_P(Hits, NearerHit, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(ShaderTest, AHitTheHostTurnedTowardsTheRayReportsTheSurfacesOwnNormal) {
    blocks.parameters.traceFront = 1;
    testhost::TraceAnswer hit = frontAt(5.0f);
    hit.normal = {0.0f, 3.0f, -4.0f};
    hit.invertedNormal = 1;
    testhost::scriptTrace(hit);
    shade();
    EXPECT_VECTOR_NEAR(result.hitNormal, (Vector{0.0f, -0.6f, 0.8f}));
}

// A host that hands over fewer than two derivatives: the missing ones read as zero.
TEST_F(ShaderTest, MissingDerivativesReadAsZero) {
    struct Case {
        int32_t count;
        bool nullList;
        bool hasU, hasV;
    };
    for (const Case c : {Case{2, false, true, true}, Case{1, false, true, false},
                         Case{0, false, false, false}, Case{2, true, false, false}}) {
        SCOPED_TRACE(c.count + 10 * c.nullList);
        testhost::reset();
        blocks.parameters.traceFront = 1;
        testhost::TraceAnswer hit = frontAt(5.0f);
        hit.derivativeCount = c.count;
        hit.nullDerivatives = c.nullList;
        testhost::scriptTrace(hit);
        shade();
        EXPECT_VECTOR_EQ(result.hitDerivU, (c.hasU ? Vector{0.0f, 1.0f, 0.0f} : Vector{}));
        EXPECT_VECTOR_EQ(result.hitDerivV, (c.hasV ? Vector{1.0f, 0.0f, 0.0f} : Vector{}));
    }
}

}  // namespace
