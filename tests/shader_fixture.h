// A host's side of one shading call: parameter block with its connection words, render state,
// result block, and the plug-in loaded once for all tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "loaded_plugin.h"
#include "recording_host.h"

// The parameter block and, right behind it, a block of connection words of the same layout.
struct ConnectedBlocks {
    ProbeParameters parameters{};
    ProbeParameters words{};
};

class ShaderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { plugin = new LoadedPlugin(); }
    static void TearDownTestSuite() {
        delete plugin;
        plugin = nullptr;
    }

    void SetUp() override {
        testhost::reset();
        testhost::setParameterBlock(&blocks.parameters);
        state.shader = &shaderCall;
        state.primitive = kPrimitive;
        state.point = kProbePoint;
        state.normal = {0.0f, 0.0f, 2.0f};
        std::memset(&result, 0xAB, sizeof result);
    }

    // Connects every parameter: each read then goes through mi_phen_eval and shows in the log.
    void connectAll() {
        shaderCall.connectionOffset = sizeof(ProbeParameters);
        std::memset(&blocks.words, 0x01, sizeof blocks.words);
    }

    int32_t shade() { return plugin->shade(&result, &state, &blocks.parameters); }

    // The log as "name" or "mi_phen_eval@offset" entries.
    static std::vector<std::string> calls() {
        std::vector<std::string> names;
        for (const auto& call : testhost::callLog()) {
            names.push_back(call.parameterOffset >= 0
                                ? call.function + "@" + std::to_string(call.parameterOffset)
                                : call.function);
        }
        return names;
    }

    static testhost::TraceAnswer hitAt(Vector point, Color color = {0.5f, 0.25f, 0.125f, 1.0f}) {
        testhost::TraceAnswer answer;
        answer.point = point;
        answer.color = color;
        answer.normal = {0.0f, 3.0f, 4.0f};
        answer.derivatives = {{2.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 5.0f}};
        answer.rayLength = 1.0;
        return answer;
    }

    static constexpr Vector kProbePoint{1.0f, 2.0f, 3.0f};  // the state's point; normal along z
    static inline const void* const kPrimitive = reinterpret_cast<const void*>(0x1234);
    static inline LoadedPlugin* plugin = nullptr;

    ConnectedBlocks blocks;
    ShaderCall shaderCall{0};
    RenderState state{};
    ProbeResult result{};
};

inline bool operator==(const Vector& a, const Vector& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
inline bool operator==(const Color& a, const Color& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
inline std::ostream& operator<<(std::ostream& os, const Vector& v) {
    return os << "(" << v.x << ", " << v.y << ", " << v.z << ")";
}
inline std::ostream& operator<<(std::ostream& os, const Color& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ", " << c.a << ")";
}

// Equal as numbers, so that -0 and 0 count as the same.
#define EXPECT_VECTOR_EQ(a, b)        \
    do {                              \
        const Vector va = (a);        \
        const Vector vb = (b);        \
        EXPECT_EQ(va.x, vb.x) << #a;  \
        EXPECT_EQ(va.y, vb.y) << #a;  \
        EXPECT_EQ(va.z, vb.z) << #a;  \
    } while (0)

// Unit vectors come out of a single-precision reciprocal: close to, not always at, the exact quotient.
#define EXPECT_VECTOR_NEAR(a, b)                   \
    do {                                           \
        const Vector va = (a);                     \
        const Vector vb = (b);                     \
        EXPECT_NEAR(va.x, vb.x, 1e-6f) << #a;      \
        EXPECT_NEAR(va.y, vb.y, 1e-6f) << #a;      \
        EXPECT_NEAR(va.z, vb.z, 1e-6f) << #a;      \
    } while (0)

inline Vector minus(const Vector& a, const Vector& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

inline Vector exactUnit(const Vector& v) {
    const double length = std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
    return {float(v.x / length), float(v.y / length), float(v.z / length)};
}
