#pragma once

#include "natives/types.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

struct Settings {
    float scanRadius;
    bool debug;
};

// Which shield model to spawn over a listed model, and how far above it.
struct PropShieldParams {
    float shieldModelIndex;
    float heightOffset;
};

// Plain static data: holds its load-time values before any code runs.
extern Settings settings;

// Filled only by the reader; both always hold the same keys.
extern std::unordered_set<ModelHash> blockPropModels;
extern std::unordered_map<ModelHash, PropShieldParams> blockPropParams;

extern const std::string configPath;
