// The geometric results in the space outputSpace selects, and the no-hit values in each space.
#include "shader_fixture.h"

namespace {

struct SpaceCase {
    int32_t outputSpace;
    const char* suffix;  // the host transforms' space, or null for the internal space
};

const std::vector<SpaceCase> kSpaces = {
    {1, "object"}, {2, "world"},   {3, "camera"}, {5, "light"},
    {0, nullptr},  {4, nullptr},   {-1, nullptr}, {6, nullptr},
};

class Space : public ShaderTest, public ::testing::WithParamInterface<SpaceCase> {
protected:
    // What the host's transform of this kind does in this space; the identity in internal space.
    Vector through(const char* kind, const Vector& v) const {
        const char* suffix = GetParam().suffix;
        return suffix ? testhost::transform(std::string("mi_") + kind + "_to_" + suffix, v) : v;
    }
};
void PrintTo(const SpaceCase& c, std::ostream* os) { *os << c.outputSpace; }

TEST_P(Space, HitGeometryComesOutTransformedAndTheDirectionsUnit) {
    blocks.parameters.traceBack = 1;
    blocks.parameters.outputSpace = GetParam().outputSpace;
    testhost::TraceAnswer hit = hitAt({3.0f, 1.0f, 1.0f});  // 3 behind the probe point
    hit.normal = {0.0f, 3.0f, 4.0f};
    hit.derivatives = {{2.0f, 0.0f, 1.0f}, {0.0f, -7.0f, 0.0f}};
    testhost::scriptTrace(hit);
    shade();

    EXPECT_EQ(result.hitPoint, through("point", hit.point));
    EXPECT_EQ(result.hitVector, through("vector", minus(hit.point, kProbePoint)));
    EXPECT_VECTOR_NEAR(result.hitNormal, exactUnit(through("normal", hit.normal)));
    EXPECT_VECTOR_NEAR(result.hitDerivU, exactUnit(through("vector", hit.derivatives[0])));
    EXPECT_VECTOR_NEAR(result.hitDerivV, exactUnit(through("vector", hit.derivatives[1])));
    // Distances are measured in internal space, whatever the output space.
    EXPECT_FLOAT_EQ(result.backDistance, 3.0f);
}

TEST_P(Space, NoHitGivesTheImageOfTheOriginAndZeroDirections) {
    blocks.parameters.traceFront = blocks.parameters.traceBack = 1;  // both miss
    blocks.parameters.outputSpace = GetParam().outputSpace;
    shade();
    EXPECT_EQ(result.hitPoint, through("point", Vector{0.0f, 0.0f, 0.0f}));
    EXPECT_VECTOR_EQ(result.hitVector, Vector{});
    EXPECT_VECTOR_EQ(result.hitNormal, Vector{});
    EXPECT_VECTOR_EQ(result.hitDerivU, Vector{});
    EXPECT_VECTOR_EQ(result.hitDerivV, Vector{});
    EXPECT_EQ(result.hitColor, (Color{0.0f, 0.0f, 0.0f, 0.0f}));
}

INSTANTIATE_TEST_SUITE_P(OutputSpaces, Space, ::testing::ValuesIn(kSpaces),
                         [](const auto& test) {
                             return "space_" + std::to_string(test.param.outputSpace + 1);
                         });

}  // namespace
