#pragma once

// The shield system's limits and its distance rule, for the passes and for
// every tool that draws or predicts what they do.

#include <cstddef>

// Shield models, numbered 1 to 19.
inline constexpr int shieldModelCount = 19;
// Object handles one scan takes from the host, and room in the candidate list.
inline constexpr int maxObjectsPerScan = 4096;
// Shields the plug-in holds at one time.
inline constexpr std::size_t maxShields = 800;
// New shields one frame may place.
inline constexpr int newShieldsPerFrame = 12;
// Metres beyond scanRadius that a shield may lie before it is retired.
inline constexpr float retirementMargin = 50.0f;

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

// The squared reach of the scan, and of retirement (scanRadius + 50 m).
inline float scanReachSquared(float scanRadius) {
    return scanRadius * scanRadius;
}
inline float retirementReachSquared(float scanRadius) {
    const float reach = scanRadius + retirementMargin;
    return reach * reach;
}
