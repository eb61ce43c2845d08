#include "tools/sim/model_wait.h"

#include "config/text.h"
#include "natives/native_list.h"
#include "shields/shields.h"

ModelWaitWatch::ModelWaitWatch(ModelWait& wait) : wait(wait) {
    for (int k = 1; k <= shieldModelCount; ++k) {
        numbers[nameHash(shieldModelName(k))] = k;
    }
}

void ModelWaitWatch::call(const standin::HostCall& call, int frame) {
    // The wait is over once the plug-in asks the host anything else.
    if (call.hash != NativeHash::HAS_MODEL_LOADED) {
        wait.ended = wait.ended || firstFrame > 0;
        return;
    }
    if (const auto found = numbers.find(static_cast<ModelHash>(call.args[0]));
        found != numbers.end()) {
        // A yes or no fills only the low word; the host leaves the rest as it was.
        answers[found->second] = static_cast<std::uint32_t>(call.result) != 0;
        firstFrame = firstFrame > 0 ? firstFrame : frame;
        wait.framesWaited = frame - firstFrame;
    }
}

void ModelWaitWatch::finish() {
    for (const auto& [number, loaded] : answers) {
        wait.loaded += loaded ? 1 : 0;
        if (!loaded) {
            wait.missing.push_back(number);
        }
    }
}
