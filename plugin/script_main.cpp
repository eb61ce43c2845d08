#include "plugin/script_main.h"

#include "plugin/start_log.h"

#include "config/load_config.h"
#include "natives/host.h"
#include "natives/native_bridge.h"
#include "shields/shield_models.h"
#include "shields/shield_placement.h"
#include "shields/shield_registry.h"
#include "shields/shield_retirement.h"

void runFrame() {
    const EntityHandle player = NativeBridge::playerPedId();
    const Vector3 position = NativeBridge::getEntityCoords(player);
    placeShields(position);
    retireShields(position);
    scriptWait(0);
}

void scriptMain() {
    ConfigReading reading;
    loadConfig(&reading);
    logConfiguration(reading);
    loadShieldModels();
    logShieldModels(reading);
    // Room for every shield the plug-in may hold: no frame ever rehashes.
    shieldRegistry.reserve(maxShields);
    for (;;) {
        runFrame();
    }
}
