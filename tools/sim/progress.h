#pragma once

#include "tools/sim/dry_run.h"

#include <chrono>

// On a terminal, a bar redrawn a few times a second and at the end; into a
// pipe or a file, a line at every tenth of the run. A long run says, once,
// how long it will take.
class Progress {
  public:
    explicit Progress(bool terminal) : terminal(terminal) {}

    void show(const FrameRecord& record, int frames);

  private:
    void tellHowLong(int frame, int frames);

    bool terminal;
    std::chrono::steady_clock::time_point drawn{}, started{};
    bool told = false;
};
