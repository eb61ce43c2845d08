#include "shields/shields.h"

#include "config/config.h"

void retireShields(Vector3 playerPosition) {
    if (shieldRegistry.empty()) {
        return;
    }
    const float reachSquared = retirementReachSquared(settings.scanRadius);
    for (auto entry = shieldRegistry.begin(); entry != shieldRegistry.end();) {
        // The native takes the handle by reference and may write to it, so it
        // gets a copy, never the registry's value.
        EntityHandle shield = entry->second;
        bool retire = !NativeBridge::doesEntityExist(shield);
        if (!retire) {
            const Vector3 position = NativeBridge::getEntityCoords(shield);
            retire = !withinReach(horizontalDistanceSquared(playerPosition.x, playerPosition.y,
                                                            position.x, position.y),
                                  reachSquared);
        }
        if (!retire) {
            ++entry;
            continue;
        }
        if (NativeBridge::doesEntityExist(shield)) {
            NativeBridge::deleteEntity(&shield);
        }
        processedTrees.erase(entry->first);
        entry = shieldRegistry.erase(entry);
    }
}
