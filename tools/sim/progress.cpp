#include "tools/sim/program.h"

#include <algorithm>
#include <chrono>
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

std::function<void(const FrameRecord&, int frames)> progressShown(bool terminal) {
    using Clock = std::chrono::steady_clock;
    return [terminal, started = Clock::time_point{}, drawn = Clock::time_point{},
            told = false](const FrameRecord& record, int frames) mutable {
        const auto now = Clock::now();
        started = record.frame == 1 ? now : started;
        // After two seconds the pace is known; a run with half a minute or more to go says so.
        const double elapsed = std::chrono::duration<double>(now - started).count();
        if (!told && elapsed >= 2) {
            told = true;
            const double left = elapsed * (frames - record.frame) / record.frame;
            if (left >= 30) {
                std::printf("%sa long run: about %.0f %s to go\n", terminal ? "\n" : "",
                            left < 90 ? left : left / 60, left < 90 ? "seconds" : "minutes");
                std::fflush(stdout);
            }
        }
        const int percent = static_cast<int>(100LL * record.frame / frames);
        const bool last = record.frame == frames;
        if (terminal) {
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
            std::fflush(stdout); // a pipe or a log file sees the run move as it moves
        }
    };
}
