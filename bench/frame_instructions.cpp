// One frame between callgrind's start and stop marks, for a world of OBJECTS
// listed objects of which SHIELDS are the plug-in's: instruction counts that
// do not drift with the machine. ./dev bench splits them into the host's and
// the plug-in's own.
#include "bench_world.h"

#include <cstdio>
#include <cstdlib>
#include <valgrind/callgrind.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: frame_instructions OBJECTS SHIELDS\n");
        return 2;
    }
    BenchWorld bench = makeBenchWorld(std::atoi(argv[1]), std::atoi(argv[2]));
    standin::World& world = *bench.world;
    const std::size_t calls = callsOfOneFrame(world); // and warm
    CALLGRIND_START_INSTRUMENTATION;
    runPluginFrame(world);
    CALLGRIND_STOP_INSTRUMENTATION;
    std::printf("%zu host calls a frame\n", calls);
    return 0;
}
