#include "plugin_tables.h"

#include "config/config_tables.h"
#include "shields/nearby_scan.h"
#include "shields/shield_models.h"
#include "shields/shield_registry.h"

void resetPluginTables() {
    settings = {100.0f, false};
    blockPropModels.clear();
    blockPropParams.clear();
    shieldRegistry.clear();
    processedTrees.clear();
    shieldModels.fill(0);
    shieldModelLoaded.fill(false);
    shieldModelFramesWaited = 0;
    nearbyTrees.fill(0);
    nearbyCount = 0;
}
