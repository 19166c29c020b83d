// Runs the shader a given number of times under callgrind, with instruction collection switched
// on only around those calls, so that the counts in the profile belong to them alone.
//   vantrel-instruction-count PLUGIN SETTING CALLS
// PLUGIN is the plug-in to load, SETTING one of shader_settings.h. The plug-in is called a few
// times first, so that its host functions are bound before counting starts.
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string_view>

#include "loaded_plugin.h"
#include "quiet_host.h"
#include "shader_settings.h"

int main(int argc, char** argv) {
    if (argc != 4 || !isShaderSetting(argv[2]) || std::atol(argv[3]) <= 0) {
        std::fputs("usage: vantrel-instruction-count PLUGIN minimal|full|scene CALLS\n", stderr);
        return 2;
    }
    try {
        const quiethost::PresetHit hit;
        quiethost::setPresetHit(
            hit);  // also binds the quiet host, whose functions the plug-in calls
        const LoadedPlugin plugin(argv[1]);
        ProbeParameters parameters = shaderSetting(argv[2]);
        const long calls = std::atol(argv[3]);
        const ShaderCall call{0};
        ShadingThread thread(&call);
        const auto shade = [&] { plugin.shade(&thread.result, &thread.state, &parameters); };

        for (int i = 0; i < 4; ++i) shade();
        CALLGRIND_TOGGLE_COLLECT;
        for (long i = 0; i < calls; ++i) shade();
        CALLGRIND_TOGGLE_COLLECT;

        // The calls did what they were meant to: a ray hit the preset surface.
        if (thread.result.hitColor.r != hit.color.r) {
            std::fputs("vantrel-instruction-count: the shader did not see the preset hit\n",
                       stderr);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vantrel-instruction-count: %s\n", e.what());
        return 1;
    }
    return 0;
}
