// Every target must produce the same result blocks, bit for bit: a table of shading cases is run
// through the loaded plug-in and each of the 22 values of every 88-byte result block is compared
// with one checked-in file, identical_numbers.expected, shared by all targets.
//
// The file holds one line per value: case name, field name, the IEEE single-precision bit pattern
// in eight hexadecimal digits, and the value in decimal for the reader (not compared). After an
// intended change of the numbers, regenerate it from the source tree with the native build,
//   export VANTREL_NUMBERS_OUT=$PWD/tests/identical_numbers.expected
//   build/linux-loader/tests/vantrel_plugin_tests --gtest_filter='IdenticalNumbers.*'
// then review the difference and run all three targets against it before committing it.
// The comparison runs all the same, so a regenerating run still shows what changed.
#include <array>
#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>

#include "shader_fixture.h"

namespace {

// A shading case: the parameter block, the render state's normal, and what the traces answer in
// the order they are cast. The probe point is the fixture's (1, 2, 3).
struct NumbersCase {
    const char* name;
    ProbeParameters parameters;
    std::vector<testhost::TraceAnswer> traces;
    Vector stateNormal{0.0f, 0.0f, 2.0f};  // not unit length on purpose
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A quiet NaN with a payload, to show that a value that is not a number is passed on unchanged.
constexpr float nanWithPayload(uint32_t payload) {
    return std::bit_cast<float>(0x7FC00000u | payload);
}

testhost::TraceAnswer hit(Vector point, Color color, Vector normal = {0.3f, -1.7f, 4.1f},
                          Vector derivU = {2.0f, 0.5f, -0.25f},
                          Vector derivV = {-0.1f, 0.0f, 3.0f}) {
    testhost::TraceAnswer answer;
    answer.point = point;
    answer.color = color;
    answer.normal = normal;
    answer.derivatives = {derivU, derivV};
    answer.rayLength = 2.5;
    return answer;
}

testhost::TraceAnswer inverted(testhost::TraceAnswer answer) {
    answer.invertedNormal = 1;
    return answer;
}

testhost::TraceAnswer miss(int32_t returns, double rayLength) {
    testhost::TraceAnswer answer;
    answer.returns = returns;
    answer.rayLength = rayLength;
    answer.color = {9.0f, 9.0f, 9.0f, 9.0f};  // written by the trace, but a miss has no colour
    return answer;
}

const Color kFrontColor{0.5f, 0.25f, 0.125f, 1.0f};
const Color kBackColor{0.9f, 0.1f, 0.3f, 0.7f};
const testhost::TraceAnswer kFrontHit = hit({1.3f, 2.6f, 9.7f}, kFrontColor);
const testhost::TraceAnswer kFarBackHit = hit({0.2f, 1.1f, -8.4f}, kBackColor, {0.0f, 0.0f, 1.0f});
const testhost::TraceAnswer kNearBackHit = hit({1.1f, 1.9f, -0.3f}, kBackColor, {0.6f, 0.0f, 0.8f});

// Every parameter a case does not name is zero: false, internal space, no offset.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
// clang-format off
const std::vector<NumbersCase> kCases = {
    // Which hit is chosen, and what it carries.
    {"front_only", {.traceFront = 1}, {kFrontHit}},
    {"back_only", {.traceBack = 1}, {kNearBackHit}},
    {"both_front_nearer", {.traceFront = 1, .traceBack = 1}, {kFrontHit, kFarBackHit}},
    {"both_back_nearer", {.traceFront = 1, .traceBack = 1}, {kFrontHit, kNearBackHit}},
    {"tie_goes_to_front", {.traceFront = 1, .traceBack = 1},
     {hit({1.0f, 2.0f, 9.0f}, kFrontColor),
      hit({1.0f, 2.0f, -3.0f}, kBackColor, {1.0f, 0.0f, 0.0f})}},
    {"front_true_with_zero_length", {.traceFront = 1, .traceBack = 1},
     {miss(1, 0.0), kNearBackHit}},
    {"front_false_back_nan_length", {.traceFront = 1, .traceBack = 1},
     {miss(0, 1.0), miss(1, std::nan(""))}},
    {"nothing_traced", {}, {}},
    {"inverted_normal", {.traceFront = 1}, {inverted(kFrontHit)}},
    {"hit_in_the_plane_is_behind", {.traceFront = 1}, {hit({4.0f, -2.0f, 3.0f}, kFrontColor)}},
    {"zero_normal", {.traceFront = 1}, {kFrontHit}, {0.0f, 0.0f, 0.0f}},
    // Above the probe point, yet behind it for a normal that leans away.
    {"slanted_normal", {.traceFront = 1}, {hit({-2.0f, 2.5f, 3.2f}, kFrontColor)},
     {0.3f, -0.7f, 1.9f}},
    {"large_distances", {.traceFront = 1, .traceBack = 1},
     {hit({1e20f, 3e19f, 2e19f}, kFrontColor), hit({-3e19f, 2e18f, -9e19f}, kBackColor)}},
    {"subnormal_derivative", {.traceFront = 1},
     {hit({1.3f, 2.6f, 9.7f}, kFrontColor, {0.0f, 1e-30f, 0.0f}, {3e-39f, 4e-39f, 0.0f},
          {1e30f, -2e30f, 5e29f})}},

    // The camera-space probe, with the start offset.
    {"input_point_and_normal",
     {.traceFront = 1, .traceBack = 1, .startOffset = 0.5f, .useInputPoint = 1,
      .inputNormal = {0.2f, 0.3f, -0.6f}, .inputPoint = {-0.9f, 0.4f, -0.05f}},
     {kFrontHit, kNearBackHit}},

    // Cutoffs, clamping and normalisation.
    {"cutoff_drops_front_keeps_vector",
     {.traceFront = 1, .frontCutoff = 5.0f, .backCutoff = 10.0f, .useCutoff = 1}, {kFrontHit}},
    {"cutoff_drops_front_and_vector",
     {.traceFront = 1, .frontCutoff = 5.0f, .backCutoff = 6.0f, .useCutoff = 1}, {kFrontHit}},
    {"cutoff_keeps_back", {.traceBack = 1, .backCutoff = 3.4f, .useCutoff = 1}, {kNearBackHit}},
    {"cutoff_above_range_then_clamped_and_normalised",
     {.traceFront = 1, .frontRange = 5.0f, .backRange = 5.0f, .frontCutoff = 10.0f,
      .backCutoff = 10.0f, .normalizeDistances = 1, .clampDistances = 1, .useCutoff = 1},
     {kFrontHit}},
    {"clamp_only_back",
     {.traceBack = 1, .frontRange = 1.0f, .backRange = 2.0f, .clampDistances = 1},
     {kNearBackHit}},
    {"clamp_negative_range", {.traceFront = 1, .frontRange = -1.5f, .clampDistances = 1},
     {kFrontHit}},
    {"normalise_front",
     {.traceFront = 1, .frontRange = 13.7f, .backRange = 2.9f, .normalizeDistances = 1},
     {kFrontHit}},
    {"normalise_back",
     {.traceBack = 1, .frontRange = 0.3f, .backRange = 7.1f, .normalizeDistances = 1},
     {kNearBackHit}},
    {"normalise_ranges_sum_to_zero",
     {.traceFront = 1, .frontRange = 3.0f, .backRange = -3.0f, .normalizeDistances = 1},
     {kFrontHit}},
    {"normalise_no_hit", {.frontRange = 4.0f, .backRange = 6.0f, .normalizeDistances = 1}, {}},

    // Every output space, and values that mean the internal space.
    {"space_object", {.traceFront = 1, .outputSpace = 1}, {kFrontHit}},
    {"space_world", {.traceFront = 1, .outputSpace = 2}, {kFrontHit}},
    {"space_camera", {.traceBack = 1, .outputSpace = 3}, {kNearBackHit}},
    {"space_light", {.traceFront = 1, .outputSpace = 5}, {kFrontHit}},
    {"space_4_is_internal", {.traceFront = 1, .outputSpace = 4}, {kFrontHit}},
    {"space_negative_is_internal", {.traceFront = 1, .outputSpace = -1}, {kFrontHit}},
    {"space_world_no_hit", {.outputSpace = 2}, {}},

    // Parameters that are not numbers.
    {"nan_cutoffs",
     {.traceFront = 1, .traceBack = 1, .frontCutoff = kNaN, .backCutoff = 20.0f, .useCutoff = 1},
     {kFrontHit, kFarBackHit}},
    {"nan_range_clamped",
     {.traceFront = 1, .frontRange = nanWithPayload(0x1234), .clampDistances = 1},
     {kFrontHit}},
    {"nan_range_normalised",
     {.traceFront = 1, .frontRange = kNaN, .backRange = 2.0f, .normalizeDistances = 1},
     {kFrontHit}},
    {"nan_input_normal",
     {.traceFront = 1, .traceBack = 1, .useInputPoint = 1,
      .inputNormal = {0.0f, nanWithPayload(0x42), 1.0f}},
     {kFrontHit, kNearBackHit}},
    {"nan_input_point",
     {.traceFront = 1, .outputSpace = 2, .useInputPoint = 1, .inputNormal = {0.0f, 0.0f, 1.0f},
      .inputPoint = {nanWithPayload(0x777), 0.5f, 0.5f}},
     {kFrontHit}},
};
// clang-format on
#pragma GCC diagnostic pop

// The 22 values of a result block in block order, with their names.
const char* const kFieldNames[] = {
    "hitColor.r",     "hitColor.g",  "hitColor.b",  "hitColor.a",  "frontDistance", "backDistance",
    "signedDistance", "hitPoint.x",  "hitPoint.y",  "hitPoint.z",  "hitVector.x",   "hitVector.y",
    "hitVector.z",    "hitNormal.x", "hitNormal.y", "hitNormal.z", "hitDerivU.x",   "hitDerivU.y",
    "hitDerivU.z",    "hitDerivV.x", "hitDerivV.y", "hitDerivV.z",
};
constexpr std::size_t kFieldCount = sizeof(ProbeResult) / sizeof(float);
static_assert(std::size(kFieldNames) == kFieldCount);

using Bits = std::array<uint32_t, kFieldCount>;

Bits bitsOf(const ProbeResult& result) {
    Bits bits;
    std::memcpy(bits.data(), &result, sizeof result);  // every field is a 32-bit float
    return bits;
}

float valueOf(uint32_t bits) {
    return std::bit_cast<float>(bits);
}

// Case name -> the 22 bit patterns, from the checked-in file.
std::map<std::string, Bits> readExpected(const char* path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error(std::string("cannot read ") + path);
    std::map<std::string, Bits> table;
    std::map<std::string, std::size_t> filled;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name, field, hex;
        if (!(fields >> name >> field >> hex)) throw std::runtime_error("malformed line: " + line);
        std::size_t index = 0;
        while (index < kFieldCount && field != kFieldNames[index]) ++index;
        if (index == kFieldCount || index != filled[name] || hex.size() != 8)
            throw std::runtime_error("unexpected line: " + line);
        table[name][index] = static_cast<uint32_t>(std::stoul(hex, nullptr, 16));
        ++filled[name];
    }
    for (const auto& [name, count] : filled)
        if (count != kFieldCount) throw std::runtime_error("incomplete case " + name);
    return table;
}

void writeActual(const char* path, const std::vector<std::pair<std::string, Bits>>& results) {
    std::FILE* out = std::fopen(path, "w");
    ASSERT_NE(out, nullptr) << path;
    std::fprintf(
        out,
        "# Result blocks of the identical-numbers test, the same on every target: case,\n"
        "# field, IEEE single-precision bits, value. Written by identical_numbers_test.cpp.\n");
    for (const auto& [name, bits] : results)
        for (std::size_t i = 0; i < kFieldCount; ++i)
            std::fprintf(out, "%s %s %08" PRIx32 " %.9g\n", name.c_str(), kFieldNames[i], bits[i],
                         double(valueOf(bits[i])));
    std::fclose(out);
}

class IdenticalNumbers : public ShaderTest {
   protected:
    Bits run(const NumbersCase& c) {
        testhost::reset();
        testhost::setParameterBlock(&blocks.parameters);
        blocks.parameters = c.parameters;
        state.point = {1.0f, 2.0f, 3.0f};
        state.normal = c.stateNormal;
        for (const auto& answer : c.traces) testhost::scriptTrace(answer);
        std::memset(&result, 0xAB, sizeof result);
        EXPECT_EQ(shade(), 1) << c.name;
        return bitsOf(result);
    }
};

TEST_F(IdenticalNumbers, EveryResultBlockMatchesTheCheckedInFileBitForBit) {
    std::vector<std::pair<std::string, Bits>> actual;
    for (const auto& c : kCases) actual.emplace_back(c.name, run(c));
    const auto expected = readExpected(VANTREL_EXPECTED_NUMBERS);
    if (const char* out = std::getenv("VANTREL_NUMBERS_OUT")) writeActual(out, actual);
    EXPECT_EQ(expected.size(), actual.size()) << "the file and the table hold different cases";
    for (const auto& [name, bits] : actual) {
        SCOPED_TRACE(name);
        const auto found = expected.find(name);
        if (found == expected.end()) {
            ADD_FAILURE() << "no expected values";
            continue;
        }
        for (std::size_t i = 0; i < kFieldCount; ++i) {
            EXPECT_EQ(bits[i], found->second[i])
                << kFieldNames[i] << ": got " << valueOf(bits[i]) << ", expected "
                << valueOf(found->second[i]) << " (bits shown in hexadecimal below)\n"
                << std::hex << "got " << bits[i] << ", expected " << found->second[i];
        }
    }
}

}  // namespace
