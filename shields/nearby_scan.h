#pragma once

#include "natives/types.h"

#include "shields/shield_limits.h"

#include <array>
#include <cstdint>

// Listed objects within scanRadius of the player, in the host's order; only
// the first nearbyCount entries belong to this frame.
extern std::array<EntityHandle, maxObjectsPerScan> nearbyTrees;
extern std::int32_t nearbyCount;

void scanNearbyTrees(Vector3 playerPosition);
