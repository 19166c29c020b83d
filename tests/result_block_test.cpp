// Every byte of the result block is written on every path, and the render state is handed back as
// it came.
#include <array>

#include "shader_fixture.h"

namespace {

struct PathCase {
    const char* name;
    void (*configure)(ProbeParameters&);
    int hits;  // traces answered with a hit, the rest miss
};

const std::vector<PathCase> kPaths = {
    {"no_rays", [](ProbeParameters&) {}, 0},
    {"both_miss", [](ProbeParameters& p) { p.traceFront = p.traceBack = 1; }, 0},
    {"hit_internal_space", [](ProbeParameters& p) { p.traceFront = 1; }, 1},
    {"hit_everything_on",
     [](ProbeParameters& p) {
         p.traceFront = p.traceBack = 1;
         p.startOffset = 0.5f;
         p.useCutoff = p.clampDistances = p.normalizeDistances = 1;
         p.frontCutoff = p.backCutoff = 1.0f;  // clears the hit vector
         p.frontRange = p.backRange = 2.0f;
         p.outputSpace = 2;
     },
     2},
    {"miss_with_input_point_light_space",
     [](ProbeParameters& p) {
         p.useInputPoint = 1;
         p.traceFront = 1;
         p.outputSpace = 5;
     },
     0},
};

class ResultBlock : public ShaderTest, public ::testing::WithParamInterface<PathCase> {
protected:
    std::array<unsigned char, sizeof(ProbeResult)> shadeOver(unsigned char fill) {
        testhost::reset();
        for (int i = 0; i < GetParam().hits; ++i) {
            testhost::scriptTrace(hitAt({1.0f, 2.0f, i == 0 ? 6.0f : 1.0f}));
        }
        std::memset(&result, fill, sizeof result);
        EXPECT_EQ(shade(), 1);
        std::array<unsigned char, sizeof(ProbeResult)> bytes;
        std::memcpy(bytes.data(), &result, sizeof result);
        return bytes;
    }
};
void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

TEST_P(ResultBlock, AllEightyEightBytesAreWrittenAndTheStateIsBackAsItCame) {
    GetParam().configure(blocks.parameters);
    const RenderState entry = state;
    const auto overZeros = shadeOver(0x00);
    const auto overOnes = shadeOver(0xFF);
    EXPECT_EQ(overZeros, overOnes);  // a byte left unwritten would show its fill
    EXPECT_EQ(state.point, entry.point);
    EXPECT_EQ(state.normal, entry.normal);
    EXPECT_EQ(state.primitive, entry.primitive);
    EXPECT_EQ(state.shader, entry.shader);
}

INSTANTIATE_TEST_SUITE_P(Paths, ResultBlock, ::testing::ValuesIn(kPaths),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
