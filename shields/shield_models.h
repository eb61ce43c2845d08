#pragma once

#include "natives/types.h"
#include "shields/shield_limits.h"

#include <array>

// Frames loadShieldModels waits in all (about 30 seconds at 60 frames per
// second) before the frame loop starts without the models still missing.
inline constexpr int shieldModelWaitFrames = 1800;

// Entry k-1 is the hash of shield model number k.
extern std::array<ModelHash, shieldModelCount> shieldModels;
// Entry k-1 is true once shield model number k has reported loaded.
extern std::array<bool, shieldModelCount> shieldModelLoaded;
// Frames the last wait for the models took.
extern int shieldModelFramesWaited;

// Hashes and requests the nineteen shield models, then waits for each in turn,
// one frame per failed test.
void loadShieldModels();
