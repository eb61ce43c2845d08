#include "shields/shields.h"

#include "config/config.h"

namespace {

// True when the candidate got a shield this frame.
bool shieldTree(EntityHandle tree) {
    if (!NativeBridge::doesEntityExist(tree) || shieldRegistry.contains(tree)) {
        return false;
    }
    const Vector3 position = NativeBridge::getEntityCoords(tree);
    const auto params = blockPropParams.find(NativeBridge::getEntityModel(tree));
    if (params == blockPropParams.end()) {
        return false;
    }
    const int model = shieldModelNumber(params->second.shieldModelIndex) - 1;
    // A model that never loaded is left out; the tree is looked at again next frame.
    if (!shieldModelLoaded[model]) {
        return false;
    }
    const float z = position.z + params->second.heightOffset;
    const EntityHandle shield =
        NativeBridge::createObject(shieldModels[model], position.x, position.y, z);
    if (shield == 0 || !NativeBridge::doesEntityExist(shield)) {
        return false;
    }
    shieldRegistry.emplace(tree, shield);
    return true;
}

} // namespace

void placeShields(Vector3 playerPosition) {
    scanNearbyTrees(playerPosition);
    if (nearbyCount > 0 && shieldRegistry.size() < maxShields) {
        int placed = 0;
        for (int i = 0;
             i < nearbyCount && shieldRegistry.size() < maxShields && placed < newShieldsPerFrame;
             ++i) {
            placed += shieldTree(nearbyTrees[i]) ? 1 : 0;
        }
    }
    drawDebugLine();
}
