#pragma once

#include "standin/host_call.h"
#include "tools/sim/dry_run.h"

#include <map>
#include <unordered_map>

// Follows the plug-in's questions about its shield models: the last answer
// for each, and the frames from the first question to the last.
class ModelWaitWatch {
  public:
    explicit ModelWaitWatch(ModelWait& wait);

    // Every native call the plug-in makes, in the frame it makes it.
    void call(const standin::HostCall& call, int frame);
    // Once the run is over: the models loaded and missing.
    void finish();

  private:
    ModelWait& wait;
    std::unordered_map<ModelHash, int> numbers;
    std::map<int, bool> answers; // by model number
    int firstFrame = 0;
};
