#pragma once

// A world in steady state for measuring one frame: the host lists exactly
// `objects` handles, of which `shields` are the plug-in's shields; the rest are
// listed objects outside the radius, unlisted objects inside and outside, and
// listed trees inside that already have their shields. No frame places or
// retires anything, so every frame makes the same calls.

#include "natives/types.h"
#include "sim/world.h"

#include <memory>
#include <vector>

struct BenchWorld {
    std::unique_ptr<sim::World> world;
    int objects = 0;
    int shields = 0;
};

BenchWorld makeBenchWorld(int objects, int shields);

// One frame of the plug-in, on the calling thread.
void runPluginFrame(sim::World& world);

// The same native calls as one recorded frame, through the same bridge and
// host, with no plug-in logic around them.
struct ReplayCall {
    int operation;
    EntityHandle entity;
};
std::vector<ReplayCall> recordFrame(sim::World& world);
void replayFrame(sim::World& world, const std::vector<ReplayCall>& calls);
