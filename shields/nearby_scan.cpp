#include "shields/shields.h"

#include "config/config.h"
#include "natives/host.h"

#include <algorithm>

void scanNearbyTrees(Vector3 playerPosition) {
    nearbyCount = 0;
    int objects[maxObjectsPerScan];
    // The host may report more handles than it was given room for; never read
    // past our buffer.
    const int listed = std::min(worldGetAllObjects(objects, maxObjectsPerScan), maxObjectsPerScan);
    if (listed < 1) {
        return;
    }
    // Squared distances: no square root on the per-frame path.
    const float reachSquared = scanReachSquared(settings.scanRadius);
    for (int i = 0; i < listed; ++i) {
        const auto object = static_cast<EntityHandle>(objects[i]);
        if (!NativeBridge::doesEntityExist(object)) {
            continue;
        }
        const Vector3 position = NativeBridge::getEntityCoords(object);
        if (!withinReach(horizontalDistanceSquared(playerPosition.x, playerPosition.y, position.x,
                                                   position.y),
                         reachSquared)) {
            continue;
        }
        if (!blockPropModels.contains(NativeBridge::getEntityModel(object))) {
            continue;
        }
        // At most as many handles come in as the list holds: it never overflows.
        nearbyTrees[nearbyCount++] = object;
    }
}
