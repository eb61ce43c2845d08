#include "shields/shield_models.h"

#include "natives/host.h"
#include "natives/native_bridge.h"

#include <cstdio>

void loadShieldModels() {
    for (int k = 1; k <= shieldModelCount; ++k) {
        char name[24];
        std::snprintf(name, sizeof name, "bramble_cap_%d", k);
        shieldModels[k - 1] = NativeBridge::getHashKey(name);
        NativeBridge::requestModel(shieldModels[k - 1]);
    }
    // A player missing a model asset would otherwise get a plug-in that waits
    // forever: once the frames are spent, a model that fails its test is left
    // out for this run and the rest work as usual.
    int framesWaited = 0;
    for (int i = 0; i < shieldModelCount; ++i) {
        for (;;) {
            shieldModelLoaded[i] = NativeBridge::hasModelLoaded(shieldModels[i]);
            if (shieldModelLoaded[i] || framesWaited == shieldModelWaitFrames) {
                break;
            }
            scriptWait(0);
            ++framesWaited;
        }
    }
}
