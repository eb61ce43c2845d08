#include "shields/shields.h"

#include "config/config.h"

#include <cstdio>

void drawDebugLine() {
    if (!settings.debug) {
        return;
    }
    char line[256];
    std::snprintf(line, sizeof line, "Radius: %.0f  Nearby:%d  TreeShields:%d  Processed:%d",
                  static_cast<double>(settings.scanRadius), nearbyCount,
                  static_cast<int>(shieldRegistry.size()), static_cast<int>(processedTrees.size()));
    NativeBridge::beginTextCommandPrint("STRING");
    NativeBridge::addTextComponentSubstringPlayerName(line);
    NativeBridge::endTextCommandPrint(1, true);
}
