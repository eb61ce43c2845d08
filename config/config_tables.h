#pragma once

// The plug-in's configuration in memory. The tables live in plugin/, which
// owns the order of their construction; only loadConfig fills them.

#include "config/settings.h"
#include "natives/types.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

// Plain static data: holds initialSettings before any code runs.
extern Settings settings;

// Both always hold the same keys.
extern std::unordered_set<ModelHash> blockPropModels;
extern std::unordered_map<ModelHash, PropShieldParams> blockPropParams;

// ".\BrambleCap.ini", in the game's working folder.
extern const std::string configPath;
