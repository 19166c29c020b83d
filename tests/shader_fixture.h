// A host's side of one shading call: parameter block with its connection words, render state,
// result block, and the plug-in loaded once for all tests.
#pragma once

#include <gtest/gtest.h>

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
        state.point = {1.0f, 2.0f, 3.0f};
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
