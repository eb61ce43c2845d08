#include "plugin/plugin.h"

#include "natives/host.h"
#include "shields/shields.h"

void runFrame() {
    const EntityHandle player = NativeBridge::playerPedId();
    const Vector3 position = NativeBridge::getEntityCoords(player);
    placeShields(position);
    retireShields(position);
    scriptWait(0);
}

void scriptMain() {
    const std::string configuration = logConfiguration(loadConfig());
    loadShieldModels();
    logShieldModels(configuration);
    // Room for every shield the plug-in may hold: no frame ever rehashes.
    shieldRegistry.reserve(maxShields);
    for (;;) {
        runFrame();
    }
}
