// One frame of the 4,096-object world with 800 shields, and its replay, each
// between callgrind's start and stop marks: instruction counts that do not
// drift with the machine.
#include "bench_world.h"

#include <cstdio>
#include <cstring>
#include <valgrind/callgrind.h>

int main(int argc, char** argv) {
    const bool replay = argc > 1 && std::strcmp(argv[1], "replay") == 0;
    BenchWorld bench = makeBenchWorld(4096, 800);
    sim::World& world = *bench.world;
    const std::vector<ReplayCall> calls = recordFrame(world);
    runPluginFrame(world); // warm
    replayFrame(world, calls);
    CALLGRIND_START_INSTRUMENTATION;
    if (replay) {
        replayFrame(world, calls);
    } else {
        runPluginFrame(world);
    }
    CALLGRIND_STOP_INSTRUMENTATION;
    std::printf("%zu native and host calls a frame\n", calls.size());
    return 0;
}
