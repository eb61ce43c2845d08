#pragma once

// The shield system: its limits and distance rule, its tables, and the passes
// that fill and empty them. The tables live in plugin/, which owns the order
// of their construction.

#include "config/config_format.h"
#include "natives/natives.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

// The shield model count, the retirement margin and the shield model number
// rule are in config/config_format.h, beside the numbers of the file they
// give meaning to.

// Object handles one scan takes from the host, and room in the candidate list.
inline constexpr int maxObjectsPerScan = 4096;
// Shields the plug-in holds at one time.
inline constexpr std::size_t maxShields = 800;
// New shields one frame may place.
inline constexpr int newShieldsPerFrame = 12;
// Frames loadShieldModels waits in all (about 30 seconds at 60 frames per
// second) before the frame loop starts without the models still missing.
inline constexpr int shieldModelWaitFrames = 1800;

// Squared horizontal distance, every step a single-precision operation of its
// own (the build forbids fused multiply-adds): z plays no part.
inline float horizontalDistanceSquared(float fromX, float fromY, float toX, float toY) {
    const float dx = fromX - toX;
    const float dy = fromY - toY;
    return dx * dx + dy * dy;
}

// Within a reach given squared: on the circle counts as inside, and so does a
// distance or reach that is not a number, since nothing compares greater then.
inline bool withinReach(float distanceSquared, float reachSquared) {
    return !(distanceSquared > reachSquared);
}

// The squared reach of the scan, and of retirement (scanRadius + the margin).
inline float scanReachSquared(float scanRadius) {
    return scanRadius * scanRadius;
}
inline float retirementReachSquared(float scanRadius) {
    const float reach = scanRadius + retirementMargin;
    return reach * reach;
}

// "bramble_cap_" and the number, as the game knows shield model number k.
inline std::string shieldModelName(int number) {
    return "bramble_cap_" + std::to_string(number);
}

// Entry k-1 is the hash of shield model number k.
extern std::array<ModelHash, shieldModelCount> shieldModels;
// Entry k-1 is true once shield model number k has reported loaded.
extern std::array<bool, shieldModelCount> shieldModelLoaded;
// Frames the last wait for the models took.
extern int shieldModelFramesWaited;

// Listed objects within scanRadius of the player, in the host's order; only
// the first nearbyCount entries belong to this frame.
extern std::array<EntityHandle, maxObjectsPerScan> nearbyTrees;
extern std::int32_t nearbyCount;

// Shielded tree -> its shield. Only placement adds, only retirement erases.
extern std::unordered_map<EntityHandle, EntityHandle> shieldRegistry;
// Nothing adds to it; retirement erases retired trees and the status line shows its size.
extern std::unordered_set<EntityHandle> processedTrees;

// Hashes and requests the nineteen shield models, then waits for each in turn,
// one frame per failed test.
void loadShieldModels();
// Rebuilds the candidate list.
void scanNearbyTrees(Vector3 playerPosition);
// Scans, gives up to 12 unshielded candidates a shield each, and draws the status line.
void placeShields(Vector3 playerPosition);
// Deletes and forgets shields that fell behind the player, forgets vanished ones.
void retireShields(Vector3 playerPosition);
// Draws the one-line status text when the debug setting is on.
void drawDebugLine();
