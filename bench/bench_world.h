#pragma once

// A world in steady state for measuring one frame: the host lists exactly
// `objects` handles, of which `shields` are the plug-in's shields; the rest are
// listed objects outside the radius, unlisted objects inside and outside, and
// listed trees inside that already have their shields. No frame places or
// retires anything, so every frame makes the same calls.

#include "natives/natives.h"
#include "standin/world.h"

#include <cstddef>
#include <memory>

struct BenchWorld {
    std::unique_ptr<standin::World> world;
    int objects = 0;
    int shields = 0;
};

BenchWorld makeBenchWorld(int objects, int shields);

// One frame of the plug-in, on the calling thread.
void runPluginFrame(standin::World& world);

// The host calls one frame makes, every frame alike.
std::size_t callsOfOneFrame(standin::World& world);
