#include "render_job.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "default_scene.h"
#include "exr_output.h"
#include "frame_channels.h"
#include "obj_mesh.h"
#include "parameter_values.h"
#include "png_preview.h"
#include "render_states.h"
#include "shader_plugin.h"
#include "tile_renderer.h"

namespace {

// What the built-in scene renders with unless the command line says otherwise: the inward ray
// from just inside the surface, so that backDistance is the thickness, and results in world space.
struct SceneSetting {
    const char* name;
    FieldType type;
    const char* value;
};
constexpr SceneSetting kSceneSettings[] = {
    {"traceBack", FieldType::kBoolean, "1"},
    {"startOffset", FieldType::kScalar, "-0.001"},
    {"outputSpace", FieldType::kInteger, "2"},
};

constexpr Color kMeshColor{0.8f, 0.8f, 0.8f, 1.0f};

std::string pluginPath(const Options& options) {
    return options.plugin.empty() ? std::string(VANTREL_DEFAULT_PLUGIN) : options.plugin;
}

std::string declarationPath(const Options& options) {
    if (options.declaration) return *options.declaration;
    return std::filesystem::path(pluginPath(options)).replace_extension(".decl").string();
}

const DeclaredField& previewField(const Declaration& declaration, const std::string& name) {
    if (const DeclaredField* field = declaration.result(name)) return *field;
    std::string known;
    for (const DeclaredField& f : declaration.results)
        known += (known.empty() ? "" : ", ") + f.name;
    throw ParameterError("--png-field: shader '" + declaration.shader + "' has no result '" + name +
                         "' (its results: " + known + ")");
}

Scene objScene(const std::string& path) {
    TriangleMesh mesh = loadObjMesh(path);
    try {
        return sceneWithMesh(std::move(mesh), kMeshColor);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error("cannot use OBJ file '" + path + "': " + e.what());
    }
}

void makeParentDirectory(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent);
}

}  // namespace

void runRenderJob(const Options& options) {
    const auto start = std::chrono::steady_clock::now();
    // Said first, as the declaration is looked for beside the plug-in.
    if (!std::filesystem::exists(pluginPath(options))) {
        throw PluginError("cannot load the plug-in '" + pluginPath(options) + "': no such file");
    }
    const Declaration declaration = readDeclaration(declarationPath(options));

    ShaderInstance instance(declaration);
    for (const SceneSetting& s : kSceneSettings)
        instance.set(instance.require(s.name, s.type).name, s.value);
    for (const auto& [name, value] : options.settings) instance.set(name, value);
    for (const auto& [name, shader] : options.connections)
        instance.connect(name, parseBuiltinShader(shader));
    const DeclaredField& shown = previewField(declaration, options.pngField);

    const Scene scene = options.obj ? objScene(*options.obj) : defaultScene();
    const ShaderPlugin plugin(pluginPath(options), declaration);

    const RenderSpaces spaces = RenderSpaces::forScene(scene);
    const RayTracer tracer(scene, spaces.worldToInternal());
    const RenderContext context{&scene, &tracer, &spaces, &instance};

    // The calling order of a production renderer: the shader as a whole, then its instance.
    StateChain setupStates(context);
    RenderState& setupState = setupStates.freshSample();
    setupState.shader = instance.call();
    int32_t initInstances = 0;
    plugin.init(&setupState, nullptr, &initInstances);
    if (initInstances) {
        int32_t unused = 0;
        plugin.init(&setupState, instance.parameters(), &unused);
    }

    Frame frame(options.width, options.height, declaration.resultSize);
    const PluginSampleShader shader(plugin, instance.parameters(), declaration.resultSize);
    TileSettings tiles;
    tiles.threads = options.threads > 0 ? options.threads
                                        : int(std::max(1u, std::thread::hardware_concurrency()));
    tiles.progress = !options.quiet;
    renderFrame(context, shader, tiles, frame);

    if (initInstances) plugin.exit(&setupState, instance.parameters());
    plugin.exit(&setupState, nullptr);

    const std::vector<ImageChannel> channels = frameChannels(frame, declaration);
    makeParentDirectory(options.exr);
    writeExr(options.exr, frame.width, frame.height, channels);
    makeParentDirectory(options.png);
    const PreviewRange shownRange = writePngPreview(options.png, frame, shown, options.pngRange);

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!options.quiet) {
        std::fprintf(
            stderr, "%d x %d on %d threads in %.2f s: %s (%zu channels), %s (%s, %g to %g)\n",
            frame.width, frame.height, tiles.threads, seconds, options.exr.c_str(), channels.size(),
            options.png.c_str(), shown.name.c_str(), shownRange.low, shownRange.high);
    }
}
