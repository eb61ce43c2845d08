#include "tools/sim/progress.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// The plug-in's own status line when it drew one, else what the world shows.
std::string statusOf(const FrameRecord& record) {
    if (!record.statusLine.empty()) {
        return record.statusLine;
    }
    return "nearby " + std::to_string(record.candidates) + ", shields held " +
           std::to_string(record.held);
}

} // namespace

void Progress::show(const FrameRecord& record, int frames) {
    const int percent = static_cast<int>(100LL * record.frame / frames);
    const bool last = record.frame == frames;
    if (terminal) {
        const auto now = std::chrono::steady_clock::now();
        if (!last && now - drawn < std::chrono::milliseconds(250)) {
            return;
        }
        drawn = now;
        std::string bar(20, '.');
        std::fill(bar.begin(), bar.begin() + percent / 5, '#');
        std::printf("\r[%s] %3d%%  frame %d/%d  %-60s%s", bar.c_str(), percent, record.frame,
                    frames, statusOf(record).c_str(), last ? "\n" : "");
        std::fflush(stdout);
    } else if (last || record.frame % std::max(1, frames / 10) == 0) {
        std::printf("frame %d/%d (%d%%): %s\n", record.frame, frames, percent,
                    statusOf(record).c_str());
    }
}
