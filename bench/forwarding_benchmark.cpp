// Benchmark 1: one host function, mi_point_to_world of the quiet host, called three ways in the
// same loop: through the binding layer's resolved forwarder, through the dynamic loader's own stub
// (a plug-in without the binding layer), and directly through a pointer.
#include <benchmark/benchmark.h>

#include "bench_modules.h"

namespace {

constexpr long kCallsPerIteration = 1000;

using SpaceTransform = int32_t (*)(RenderState*, Vector*, const Vector*);
using CallByName = void (*)(long, RenderState*, Vector*, const Vector*);
using CallThroughPointer = void (*)(SpaceTransform, long, RenderState*, Vector*, const Vector*);

struct ForwardingLoops {
    BenchModule forwarded{VANTREL_BENCH_FORWARDED_LOOPS_PATH};
    BenchModule loaderBound{VANTREL_BENCH_LOADER_BOUND_LOOPS_PATH};
    CallByName throughForwarder = forwarded.symbol<CallByName>("benchCallByName");
    CallByName throughLoaderStub = loaderBound.symbol<CallByName>("benchCallByName");
    CallThroughPointer throughPointer =
        loaderBound.symbol<CallThroughPointer>("benchCallThroughPointer");
    SpaceTransform hostFunction =
        reinterpret_cast<SpaceTransform>(dlsym(BenchModule::quietHost(), "mi_point_to_world"));
    RenderState state{};
    Vector in{1.0f, 2.0f, 3.0f};
    Vector out{};

    ForwardingLoops() {
        throughForwarder(1, &state, &out, &in);  // resolves the forwarder's entry
    }
};

ForwardingLoops& loops() {
    static ForwardingLoops l;
    return l;
}

void finish(benchmark::State& s, const ForwardingLoops& l) {
    s.SetItemsProcessed(s.iterations() * kCallsPerIteration);
    if (l.out.x != l.in.x) s.SkipWithError("the host function was not reached");
}

void forwarder(benchmark::State& s) {
    ForwardingLoops& l = loops();
    for (auto _ : s) l.throughForwarder(kCallsPerIteration, &l.state, &l.out, &l.in);
    finish(s, l);
}

void loaderStub(benchmark::State& s) {
    ForwardingLoops& l = loops();
    for (auto _ : s) l.throughLoaderStub(kCallsPerIteration, &l.state, &l.out, &l.in);
    finish(s, l);
}

void directPointer(benchmark::State& s) {
    ForwardingLoops& l = loops();
    for (auto _ : s) l.throughPointer(l.hostFunction, kCallsPerIteration, &l.state, &l.out, &l.in);
    finish(s, l);
}

BENCHMARK(forwarder)->Name("forwarding/forwarder");
BENCHMARK(loaderStub)->Name("forwarding/loader_stub");
BENCHMARK(directPointer)->Name("forwarding/direct_pointer");

}  // namespace
