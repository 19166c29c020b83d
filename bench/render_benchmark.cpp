// Benchmark 4: the reference renderer's built-in scene rendered with the plug-in, against the same
// renderer casting the same probe rays itself (its built-in probe), which fills the same result
// blocks. Only the rendering of the frame is timed: camera rays, probes and result blocks, not the
// scene set-up or the images. The two alternate, so that a busy machine slows both alike.
//   vantrel-render-bench [--repetitions N] [--width W] [--height H] [--threads T]
// Prints one JSON object with every timing, in seconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "builtin_probe.h"
#include "default_scene.h"
#include "render_spaces.h"
#include "shader_plugin.h"
#include "tile_renderer.h"

namespace {

// The built-in scene with the settings the renderer gives it: the inward ray from just inside the
// surface, results in world space.
struct HostedScene {
    HostedScene() {
        instance.set("traceBack", "1");
        instance.set("startOffset", "-0.001");
        instance.set("outputSpace", "2");
    }
    Declaration declaration = readDeclaration(VANTREL_DECLARATION_PATH);
    ShaderInstance instance{declaration};
    Scene scene = defaultScene();
    ShaderPlugin plugin{VANTREL_PLUGIN_PATH, declaration};
    RenderSpaces spaces = RenderSpaces::forScene(scene);
    RayTracer tracer{scene, spaces.worldToInternal()};
    RenderContext context{&scene, &tracer, &spaces, &instance};
};

double secondsToRender(const HostedScene& s, const SampleShader& shader, const TileSettings& tiles,
                       Frame& frame) {
    const auto start = std::chrono::steady_clock::now();
    renderFrame(s.context, shader, tiles, frame);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string list(const std::vector<double>& values) {
    std::string text;
    for (double v : values) text += (text.empty() ? "" : ", ") + std::to_string(v);
    return "[" + text + "]";
}

}  // namespace

int main(int argc, char** argv) {
    int repetitions = 9, width = 640, height = 400;
    int threads = int(std::max(1u, std::thread::hardware_concurrency()));
    for (int i = 1; i + 1 < argc; i += 2) {
        const int value = std::atoi(argv[i + 1]);
        if (value <= 0) break;
        if (!std::strcmp(argv[i], "--repetitions")) repetitions = value;
        if (!std::strcmp(argv[i], "--width")) width = value;
        if (!std::strcmp(argv[i], "--height")) height = value;
        if (!std::strcmp(argv[i], "--threads")) threads = value;
    }
    try {
        HostedScene s;
        const PluginSampleShader plugin(s.plugin, s.instance.parameters(),
                                        s.declaration.resultSize);
        const BuiltinProbe builtin(s.context, s.instance);
        TileSettings tiles;
        tiles.threads = threads;
        tiles.progress = false;
        Frame byPlugin(width, height, s.declaration.resultSize);
        Frame byBuiltin(width, height, s.declaration.resultSize);

        secondsToRender(s, plugin, tiles, byPlugin);  // warm-up: first calls, caches
        secondsToRender(s, builtin, tiles, byBuiltin);
        if (byPlugin.results != byBuiltin.results) {
            std::fputs("vantrel-render-bench: the built-in probe and the plug-in disagree\n",
                       stderr);
            return 1;
        }
        std::vector<double> pluginSeconds, builtinSeconds;
        for (int r = 0; r < repetitions; ++r) {
            if (r % 2 == 0) {
                pluginSeconds.push_back(secondsToRender(s, plugin, tiles, byPlugin));
                builtinSeconds.push_back(secondsToRender(s, builtin, tiles, byBuiltin));
            } else {
                builtinSeconds.push_back(secondsToRender(s, builtin, tiles, byBuiltin));
                pluginSeconds.push_back(secondsToRender(s, plugin, tiles, byPlugin));
            }
        }
        std::printf(
            "{\"width\": %d, \"height\": %d, \"threads\": %d, \"plugin_seconds\": %s, "
            "\"builtin_seconds\": %s}\n",
            width, height, threads, list(pluginSeconds).c_str(), list(builtinSeconds).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vantrel-render-bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
