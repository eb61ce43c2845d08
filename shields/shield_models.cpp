#include "shields/shields.h"

#include "natives/host.h"

void loadShieldModels() {
    for (int k = 1; k <= shieldModelCount; ++k) {
        shieldModels[k - 1] = NativeBridge::getHashKey(shieldModelName(k).c_str());
        NativeBridge::requestModel(shieldModels[k - 1]);
    }
    // A player missing a model asset would otherwise get a plug-in that waits
    // forever: once the frames are spent, a model that fails its test is left
    // out for this run and the rest work as usual.
    shieldModelFramesWaited = 0;
    for (int i = 0; i < shieldModelCount; ++i) {
        for (;;) {
            shieldModelLoaded[i] = NativeBridge::hasModelLoaded(shieldModels[i]);
            if (shieldModelLoaded[i] || shieldModelFramesWaited == shieldModelWaitFrames) {
                break;
            }
            scriptWait(0);
            ++shieldModelFramesWaited;
        }
    }
}
