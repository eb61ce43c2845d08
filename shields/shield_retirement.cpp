#include "shields/shield_retirement.h"

#include "config/settings.h"
#include "natives/native_bridge.h"
#include "shields/shield_registry.h"

void retireShields(Vector3 playerPosition) {
    if (shieldRegistry.empty()) {
        return;
    }
    const float reach = settings.scanRadius + retirementMargin;
    const float threshold = reach * reach;
    for (auto entry = shieldRegistry.begin(); entry != shieldRegistry.end();) {
        // The native takes the handle by reference and may write to it, so it
        // gets a copy, never the registry's value.
        EntityHandle shield = entry->second;
        bool retire = !NativeBridge::doesEntityExist(shield);
        if (!retire) {
            const Vector3 position = NativeBridge::getEntityCoords(shield);
            const float dx = playerPosition.x - position.x;
            const float dy = playerPosition.y - position.y;
            // Not-a-number compares false: such a shield stays.
            retire = dx * dx + dy * dy > threshold;
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
