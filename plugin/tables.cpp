// The process-wide tables. Defined together in this one file because C++
// orders construction only within a file: the five which need construction are
// built in this order and destroyed in reverse, after the script has been
// unregistered. Their reset stands beside them so that a new table gets its
// line in both places at once.
#include "plugin/plugin.h"

#include "shields/shields.h"

// Plain static data, in place before any code runs.
constinit Settings settings = initialSettings;
constinit std::array<ModelHash, shieldModelCount> shieldModels{};
constinit std::array<bool, shieldModelCount> shieldModelLoaded{};
constinit int shieldModelFramesWaited = 0;
constinit std::array<EntityHandle, maxObjectsPerScan> nearbyTrees{};
constinit std::int32_t nearbyCount = 0;

std::unordered_map<ModelHash, PropShieldParams> blockPropParams;
std::unordered_set<EntityHandle> processedTrees;
std::unordered_set<ModelHash> blockPropModels;
const std::string configPath = ".\\" + std::string(ConfigFormat::fileName);
std::unordered_map<EntityHandle, EntityHandle> shieldRegistry;

void resetPluginTables() {
    settings = initialSettings;
    shieldModels = {};
    shieldModelLoaded = {};
    shieldModelFramesWaited = 0;
    nearbyTrees = {};
    nearbyCount = 0;
    blockPropParams.clear();
    processedTrees.clear();
    blockPropModels.clear();
    shieldRegistry.clear();
}
