// The renderer's built-in probe stands in for the plug-in: over the built-in scene it fills the
// very same result blocks, byte for byte, for every setting it is given.
#include "builtin_probe.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "default_scene.h"
#include "parameter_values.h"
#include "render_spaces.h"
#include "shader_plugin.h"
#include "tile_renderer.h"

namespace {

using Settings = std::vector<std::pair<std::string, std::string>>;

// The plug-in hosted over the built-in scene, with one instance set up as given.
struct SceneWithPlugin {
    explicit SceneWithPlugin(const Settings& settings) {
        for (const auto& [name, value] : settings) instance.set(name, value);
    }
    Declaration declaration = readDeclaration(VANTREL_DECLARATION_PATH);
    ShaderInstance instance{declaration};
    Scene scene = defaultScene();
    ShaderPlugin plugin{VANTREL_PLUGIN_PATH, declaration};
    RenderSpaces spaces = RenderSpaces::forScene(scene);
    RayTracer tracer{scene, spaces.worldToInternal()};
    RenderContext context{&scene, &tracer, &spaces, &instance};
};

Frame render(const SceneWithPlugin& s, const SampleShader& shader) {
    Frame frame(96, 60, s.declaration.resultSize);
    TileSettings tiles;
    tiles.threads = 2;
    tiles.progress = false;
    renderFrame(s.context, shader, tiles, frame);
    return frame;
}

struct ProbeCase {
    const char* name;
    Settings settings;
};

const std::vector<ProbeCase> kCases = {
    {"scene_defaults", {{"traceBack", "1"}, {"startOffset", "-0.001"}, {"outputSpace", "2"}}},
    {"front_ray_from_the_surface_camera_space", {{"traceFront", "1"}, {"outputSpace", "3"}}},
    {"both_rays_shaped_in_object_space",
     {{"traceFront", "1"},
      {"traceBack", "1"},
      {"startOffset", "0.002"},
      {"useCutoff", "1"},
      {"frontCutoff", "1.5"},
      {"backCutoff", "0.5"},
      {"clampDistances", "1"},
      {"normalizeDistances", "1"},
      {"frontRange", "1"},
      {"backRange", "2"},
      {"outputSpace", "1"}}},
    {"input_point_light_space",
     {{"useInputPoint", "1"},
      {"inputPoint", "0.2,-0.4,-6"},
      {"inputNormal", "0,0,-1"},
      {"traceFront", "1"},
      {"traceBack", "1"},
      {"outputSpace", "5"}}},
    {"no_ray", {{"outputSpace", "2"}}},
};

class BuiltinProbeCase : public ::testing::TestWithParam<ProbeCase> {};
void PrintTo(const ProbeCase& c, std::ostream* os) {
    *os << c.name;
}

TEST_P(BuiltinProbeCase, FillsTheSameResultBlocksAsThePlugin) {
    SceneWithPlugin s(GetParam().settings);
    const PluginSampleShader pluginShader(s.plugin, s.instance.parameters(),
                                          s.declaration.resultSize);
    const BuiltinProbe builtin(s.context, s.instance);
    const Frame byPlugin = render(s, pluginShader);
    const Frame byBuiltin = render(s, builtin);

    std::size_t shaded = 0, differing = 0;
    for (std::size_t p = 0; p < byPlugin.pixelCount(); ++p) {
        if (byPlugin.objectId[p] == 0.0f) continue;
        ++shaded;
        if (std::memcmp(byPlugin.result(p), byBuiltin.result(p), byPlugin.resultSize) != 0) {
            ++differing;
        }
    }
    EXPECT_GT(shaded, byPlugin.pixelCount() / 2);
    EXPECT_EQ(differing, 0u) << "of " << shaded << " shaded pixels";
}

INSTANTIATE_TEST_SUITE_P(Settings, BuiltinProbeCase, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(BuiltinProbe, RefusesAConnectedParameter) {
    SceneWithPlugin s(Settings{{"traceBack", "1"}});
    s.instance.connect("startOffset", parseBuiltinShader("checker:1:0:0.01"));
    EXPECT_THROW(BuiltinProbe(s.context, s.instance), ParameterError);
}

}  // namespace
