// Benchmarks 2 and 3: vantrel calls per second against the quiet host, whose traces answer at once
// with a preset hit and whose transforms copy, for the two settings of shader_settings.h; and the
// full setting on 1, 2 and all threads, each thread with its own render state and result block,
// all of them sharing one parameter block.
#include <benchmark/benchmark.h>

#include <ctime>
#include <thread>

#include "bench_modules.h"
#include "shader_settings.h"

namespace {

constexpr long kCallsPerIteration = 100;

struct Plugin {
    explicit Plugin(const char* path) : module(path) {}
    BenchModule module;
    VantrelShaderFn shade = module.symbol<VantrelShaderFn>("vantrel");
};

// The plug-in as built (with the binding layer where the build has it), and, in builds with the
// binding layer, the same shader built without it, bound by the dynamic loader.
Plugin& builtPlugin() {
    static Plugin p(VANTREL_PLUGIN_PATH);
    return p;
}
#ifdef VANTREL_LOADER_BOUND_PLUGIN_PATH
Plugin& loaderBoundPlugin() {
    static Plugin p(VANTREL_LOADER_BOUND_PLUGIN_PATH);
    return p;
}
#endif

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void shade(benchmark::State& s, const Plugin& plugin, ProbeParameters* parameters) {
    const ShaderCall call{0};
    ShadingThread thread(&call);
    const double cpuStart = threadCpuSeconds();
    for (auto _ : s) {
        for (long i = 0; i < kCallsPerIteration; ++i) {
            plugin.shade(&thread.result, &thread.state, parameters);
        }
        benchmark::ClobberMemory();
    }
    const double calls = double(s.iterations() * kCallsPerIteration);
    s.SetItemsProcessed(s.iterations() * kCallsPerIteration);
    // The CPU time each thread spent per call, averaged over the threads: it stays the same with
    // more threads unless they contend for something, whatever else the machine is running.
    s.counters["cpu_ns_per_call"] = benchmark::Counter(
        (threadCpuSeconds() - cpuStart) * 1e9 / calls, benchmark::Counter::kAvgThreads);
    // Every call saw the preset hit: the front ray hit at the preset distance.
    if (thread.result.hitColor.r != quiethost::PresetHit{}.color.r) {
        s.SkipWithError("the shader did not see the preset hit");
    }
}

void setting(benchmark::State& s, Plugin& (*plugin)(), const char* name) {
    ProbeParameters parameters = shaderSetting(name);
    shade(s, plugin(), &parameters);
}

// One parameter block for all threads, as a renderer shares an instance's block.
void threads(benchmark::State& s) {
    static ProbeParameters shared = shaderSetting("full");
    shade(s, builtPlugin(), &shared);
}

#ifdef VANTREL_LOADER_BOUND_PLUGIN_PATH
BENCHMARK_CAPTURE(setting, minimal_loader_bound, loaderBoundPlugin, "minimal")
    ->Name("shader/minimal/loader_bound");
BENCHMARK_CAPTURE(setting, full_loader_bound, loaderBoundPlugin, "full")
    ->Name("shader/full/loader_bound");
#endif
BENCHMARK_CAPTURE(setting, minimal_built, builtPlugin, "minimal")
    ->Name("shader/minimal/" VANTREL_PLUGIN_KIND);
BENCHMARK_CAPTURE(setting, full_built, builtPlugin, "full")
    ->Name("shader/full/" VANTREL_PLUGIN_KIND);

const int kAllThreads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
benchmark::internal::Benchmark* const kScaling = [] {
    auto* b = benchmark::RegisterBenchmark("scaling/full", threads)->UseRealTime()->Threads(1);
    if (kAllThreads >= 2) b->Threads(2);
    if (kAllThreads > 2) b->Threads(kAllThreads);
    return b;
}();

}  // namespace
