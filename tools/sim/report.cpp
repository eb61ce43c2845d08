#include "tools/sim/program.h"

#include "config/config_format.h"
#include "config/text.h"
#include "shields/shields.h"
#include "tools/files/files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

std::string grouped(long long value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return (value < 0 ? "-" : "") + digits;
}

// "1 listed model", "5,380 objects".
std::string groupedCount(long long count, std::string_view what) {
    const std::string text = counted(count, what);
    return grouped(count) + text.substr(text.find(' '));
}

// Said only when a model never loaded: how many did, and how the wait ended.
std::string modelWaitText(const ModelWait& wait) {
    std::vector<std::string> missingNames;
    for (const int number : wait.missing) {
        missingNames.push_back(shieldModelName(number));
    }
    const std::string missing = joinedList(missingNames, "and");
    const std::string loaded =
        std::to_string(wait.loaded) + " of " + std::to_string(shieldModelCount) + " loaded";
    if (!wait.ended) {
        return loaded + " so far; the run ended " + groupedCount(wait.framesWaited, "frame") +
               " into the wait, still without " + missing;
    }
    return loaded + "; the wait ended after " + groupedCount(wait.framesWaited, "frame") +
           " without " + missing;
}

std::string spreadText(const Spread& s) {
    return "min " + grouped(s.minimum) + ", median " + grouped(s.median) + ", max " +
           grouped(s.maximum);
}

// A path as the user would type it: relative to here where it lies below,
// with forward slashes; escaped.
std::string shown(const std::string& utf8) {
    const std::filesystem::path path = filePath(utf8);
    std::error_code error;
    const auto relative = std::filesystem::relative(path, error);
    const auto& best = !error && !relative.empty() && *relative.begin() != ".." ? relative : path;
    const std::u8string generic = best.generic_u8string();
    return shownPath(std::string(generic.begin(), generic.end()));
}

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

void printSummary(const DryRunCommand& command, const std::string& worldSource,
                  const DryRunResult& result, const RunOutputs& outputs) {
    const DryRunOptions& run = command.run;
    const bool debug = run.askForStatusLine;
    const auto listedObjects = std::ranges::count_if(
        run.world, [&](const PlacedObject& o) { return result.listed.contains(o.hash); });
    std::printf("\nBrambleCap dry run\n");
    std::printf("  plug-in:                 %s\n", shown(command.asi).c_str());
    std::printf("  configuration:           %s%s\n",
                !command.configPath.empty() ? shownPath(command.configPath).c_str()
                : debug                     ? "the default file"
                                            : "the default file, written by the plug-in",
                debug ? ", with debug=true added" : "");
    std::printf("                           scan radius %g m, %s%s\n",
                static_cast<double>(result.radius),
                groupedCount(static_cast<long long>(result.listed.size()), "listed model").c_str(),
                // What --debug did: only what the plug-in showed.
                !debug                   ? ""
                : result.statusLineDrawn ? ", status line drawn"
                                         : ", debug=true added but no status line drawn");
    std::printf("  world:                   %s, %s of them listed; %s\n",
                groupedCount(static_cast<long long>(run.world.size()), "object").c_str(),
                grouped(static_cast<long long>(listedObjects)).c_str(), worldSource.c_str());
    std::printf("  frames:                  %s\n", grouped(result.framesRun).c_str());
    if (!result.modelWait.missing.empty()) {
        std::printf("  shield models:           %s\n", modelWaitText(result.modelWait).c_str());
    }
    std::printf("  shields:                 %s created, %s retired, peak %s held\n",
                grouped(result.created).c_str(), grouped(result.retired).c_str(),
                grouped(result.peakHeld).c_str());
    std::printf("  candidates per frame:    %s\n", spreadText(spreadOf(result.candidates)).c_str());
    std::printf("  native calls per frame:  %s\n",
                spreadText(spreadOf(result.nativeCalls)).c_str());
    std::printf("  pictures:                %s\n                           %s\n",
                shownPath(outputs.map).c_str(), shownPath(outputs.plot).c_str());
    if (result.logWritten) {
        std::printf("  the plug-in's log:       %s/game/%s\n", shownPath(outputs.folder).c_str(),
                    std::string(ConfigFormat::logFileName).c_str());
    }
    for (const std::string& e : result.protocolErrors) {
        std::printf("  protocol error: %s\n", e.c_str());
    }
}
