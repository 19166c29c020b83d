// The declaration file beside the plug-in lays out exactly the blocks the shader reads and writes.
#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "probe_records.h"

namespace {

struct Declared {
    std::string shader;
    int version = 0;
    std::vector<std::pair<std::string, std::size_t>> parameters, results;  // name, offset
    std::size_t parameterSize = 0, resultSize = 0;
};

Declared readDeclaration(const std::string& path) {
    const std::map<std::string, std::size_t> sizes = {
        {"boolean", 4}, {"integer", 4}, {"scalar", 4}, {"vector", 12}, {"color", 16}};
    Declared d;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string keyword, type, name;
        if (!(words >> keyword) || keyword[0] == '#') continue;
        if (keyword == "shader") words >> d.shader;
        if (keyword == "version") words >> d.version;
        if (keyword == "parameter" || keyword == "result") {
            words >> type >> name;
            const bool isParameter = keyword == "parameter";
            std::size_t& size = isParameter ? d.parameterSize : d.resultSize;
            (isParameter ? d.parameters : d.results).emplace_back(name, size);
            size += sizes.at(type);
        }
    }
    return d;
}

TEST(Declaration, MatchesTheBlocksTheShaderUses) {
    const Declared d = readDeclaration(VANTREL_DECLARATION_PATH);
    EXPECT_EQ(d.shader, "vantrel");
    EXPECT_EQ(d.version, 1);
    EXPECT_EQ(d.parameterSize, sizeof(ProbeParameters));
    EXPECT_EQ(d.resultSize, sizeof(ProbeResult));
    const std::vector<std::pair<std::string, std::size_t>> parameters = {
        {"traceFront", offsetof(ProbeParameters, traceFront)},
        {"traceBack", offsetof(ProbeParameters, traceBack)},
        {"spare0", 8}, {"spare1", 12}, {"spare2", 16}, {"spare3", 20},
        {"outputSpace", offsetof(ProbeParameters, outputSpace)},
        {"startOffset", offsetof(ProbeParameters, startOffset)},
        {"frontRange", offsetof(ProbeParameters, frontRange)},
        {"backRange", offsetof(ProbeParameters, backRange)},
        {"frontCutoff", offsetof(ProbeParameters, frontCutoff)},
        {"backCutoff", offsetof(ProbeParameters, backCutoff)},
        {"normalizeDistances", offsetof(ProbeParameters, normalizeDistances)},
        {"clampDistances", offsetof(ProbeParameters, clampDistances)},
        {"useCutoff", offsetof(ProbeParameters, useCutoff)},
        {"useInputPoint", offsetof(ProbeParameters, useInputPoint)},
        {"inputNormal", offsetof(ProbeParameters, inputNormal)},
        {"inputPoint", offsetof(ProbeParameters, inputPoint)},
    };
    const std::vector<std::pair<std::string, std::size_t>> results = {
        {"hitColor", offsetof(ProbeResult, hitColor)},
        {"frontDistance", offsetof(ProbeResult, frontDistance)},
        {"backDistance", offsetof(ProbeResult, backDistance)},
        {"signedDistance", offsetof(ProbeResult, signedDistance)},
        {"hitPoint", offsetof(ProbeResult, hitPoint)},
        {"hitVector", offsetof(ProbeResult, hitVector)},
        {"hitNormal", offsetof(ProbeResult, hitNormal)},
        {"hitDerivU", offsetof(ProbeResult, hitDerivU)},
        {"hitDerivV", offsetof(ProbeResult, hitDerivV)},
    };
    EXPECT_EQ(d.parameters, parameters);
    EXPECT_EQ(d.results, results);
}

}  // namespace
