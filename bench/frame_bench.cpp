// One whole frame in the stand-in host, timed: the plug-in's work and the
// stand-in's answers together (the instruction counts of ./dev bench split them).
#include "bench_world.h"

#include <benchmark/benchmark.h>

namespace {

void frame(benchmark::State& state) {
    BenchWorld bench =
        makeBenchWorld(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    standin::World& world = *bench.world;
    const std::size_t calls = callsOfOneFrame(world);
    for (auto _ : state) {
        runPluginFrame(world);
    }
    state.counters["host_calls"] = static_cast<double>(calls);
    state.counters["ns_per_object"] = benchmark::Counter(
        static_cast<double>(bench.objects),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(frame)
    ->ArgNames({"objects", "shields"})
    ->ArgsProduct({{1024, 4096}, {0, 400, 800}})
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(1.0);

BENCHMARK_MAIN();
