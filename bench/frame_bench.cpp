// One whole frame in the stand-in host, beside the replay of exactly the same
// native calls with no plug-in logic around them.
#include "bench_world.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

void frame(benchmark::State& state) {
    BenchWorld bench =
        makeBenchWorld(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    sim::World& world = *bench.world;
    const std::vector<ReplayCall> calls = recordFrame(world);
    using Clock = std::chrono::steady_clock;
    double frameSeconds = 0, replaySeconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        runPluginFrame(world);
        const auto middle = Clock::now();
        replayFrame(world, calls);
        const auto end = Clock::now();
        const double frameTime = std::chrono::duration<double>(middle - start).count();
        frameSeconds += frameTime;
        replaySeconds += std::chrono::duration<double>(end - middle).count();
        state.SetIterationTime(frameTime);
    }
    const double n = static_cast<double>(state.iterations());
    const double frameNs = frameSeconds / n * 1e9, replayNs = replaySeconds / n * 1e9;
    state.counters["frame_ns"] = frameNs;
    state.counters["replay_ns"] = replayNs;
    state.counters["own_ns_per_object"] = (frameNs - replayNs) / static_cast<double>(bench.objects);
    state.counters["ratio"] = frameNs / replayNs;
    state.counters["natives"] = static_cast<double>(calls.size());
}

} // namespace

BENCHMARK(frame)
    ->ArgNames({"objects", "shields"})
    ->ArgsProduct({{1024, 4096}, {0, 400, 800}})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(1.0);

BENCHMARK_MAIN();
