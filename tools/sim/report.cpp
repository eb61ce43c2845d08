#include "tools/sim/program.h"

#include "config/config_format.h"
#include "config/text.h"
#include "shields/shields.h"
#include "tools/files/files.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

// Each field of the summary starts at this column, and no line (but a long
// path) is wider than an 80-column terminal.
constexpr std::size_t fieldColumn = 27, summaryWidth = 80;

// "  label:", padded to the field's column.
std::string fieldLabel(std::string_view label) {
    std::string out = label.empty() ? "" : "  " + std::string(label) + ":";
    out.resize(fieldColumn, ' ');
    return out;
}

// "  label:" and the text, wrapped at blanks under the field's column.
void printField(std::string_view label, std::string_view text) {
    std::string out = fieldLabel(label);
    std::size_t lineStart = 0;
    bool first = true;
    while (!text.empty()) {
        const std::string_view word = text.substr(0, text.find(' '));
        text.remove_prefix(std::min(text.size(), word.size() + 1));
        if (!first && out.size() - lineStart + 1 + word.size() > summaryWidth) {
            out += "\n";
            lineStart = out.size();
            out.resize(out.size() + fieldColumn, ' ');
            first = true;
        }
        out += (first ? "" : " ") + std::string(word);
        first = false;
    }
    std::printf("%s\n", out.c_str());
}

std::string modelNames(const std::vector<int>& numbers) {
    std::vector<std::string> names;
    for (const int number : numbers) {
        names.push_back(shieldModelName(number));
    }
    return joinedList(names, "and");
}

// Said only when a model never loaded: how many did, and how the wait ended.
std::string modelWaitText(const ModelWait& wait) {
    const std::string missing = modelNames(wait.missing);
    const std::string loaded =
        std::to_string(wait.loaded) + " of " + std::to_string(shieldModelCount) + " loaded";
    if (!wait.ended) {
        return loaded + " so far; the run ended " + groupedCount(wait.framesWaited, "frame") +
               " into the wait, still without " + missing;
    }
    return loaded + "; the wait ended after " + groupedCount(wait.framesWaited, "frame") +
           " without " + missing;
}

// Whether every listed object the plug-in found got a shield, and what held
// it back where not: the limits it met, as the run observed them.
std::string verdictText(const DryRunResult& result, float streamingRadius) {
    const ModelWait& wait = result.modelWait;
    if (!wait.ended) {
        return "no shield yet: the run ended while the plug-in still waited for " +
               modelNames(wait.missing) + " (it waits up to " +
               groupedCount(shieldModelWaitFrames, "frame") + ")";
    }
    std::string reasons;
    const auto add = [&reasons](const std::string& reason) {
        reasons += (reasons.empty() ? "" : "; ") + reason;
    };
    if (!wait.missing.empty()) {
        add(modelNames(wait.missing) + " never loaded, so objects that select " +
            (wait.missing.size() == 1 ? "it" : "them") + " get none");
    }
    if (result.framesAtCap > 0) {
        add("the cap of " + grouped(static_cast<long long>(maxShields)) +
            " shields held was reached in " + groupedCount(result.framesAtCap, "frame"));
    }
    if (result.framesAtBudget > 0) {
        add("the budget of " + std::to_string(newShieldsPerFrame) +
            " new shields a frame was used up in " + groupedCount(result.framesAtBudget, "frame"));
    }
    const bool found = !result.candidates.empty() && result.candidates.rbegin()->first > 0;
    std::string verdict = !reasons.empty() ? "not every listed object the plug-in found got a "
                                             "shield at once: " +
                                                 reasons
                          : found ? "every listed object the plug-in found got a shield at once"
                                  : "the plug-in found no listed object within reach";
    if (result.framesHostFull > 0) {
        verdict += "; the host's list was full (" + grouped(result.hostRoom) + " objects) in " +
                   groupedCount(result.framesHostFull, "frame") +
                   ", so objects beyond it may have gone unseen";
    }
    if (result.framesBeyondHost > 0) {
        verdict +=
            "; the host lists only objects within " + shownNumber(streamingRadius) +
            " m of the player (the world's streaming radius), less than the scan radius of " +
            shownNumber(std::fabs(result.radius)) + " m: in the world as built, up to " +
            groupedCount(result.mostBeyondHost, "listed object") +
            " within the scan radius lay beyond it, unseen, in " +
            groupedCount(result.framesBeyondHost, "frame");
    }
    return verdict;
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

// The plug-in's own status line when it drew one, else its figures in words.
std::string statusOf(const FrameRecord& record) {
    if (!record.statusLine.empty()) {
        return record.statusLine;
    }
    return "candidates " + std::to_string(record.candidates) + ", shields held " +
           std::to_string(record.held);
}

} // namespace

std::function<void(const FrameRecord&, int frames)> progressShown(int columns) {
    using Clock = std::chrono::steady_clock;
    const bool terminal = columns != 0;
    if (columns < 0) {
        const char* const given = std::getenv("COLUMNS");
        columns = given != nullptr && std::atoi(given) > 0 ? std::atoi(given) : 80;
    }
    // The last column stays free: some terminals wrap as soon as it is written.
    const auto room = static_cast<std::size_t>(std::max(1, columns - 1));
    return [terminal, room, started = Clock::time_point{}, drawn = Clock::time_point{},
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
            char head[48];
            std::snprintf(head, sizeof head, "%3d%%  frame %d/%d  ", percent, record.frame, frames);
            std::string line = head + statusOf(record);
            // The bar only where it leaves the plug-in's status line whole (the
            // same in every frame: no flicker); the rest shortened, never
            // wrapped, so that the next one draws over it, and blanks cover
            // what a longer one left.
            if (std::string bar(20, '.'); room >= 100) {
                std::fill(bar.begin(), bar.begin() + percent / 5, '#');
                line = "[" + bar + "] " + line;
            }
            line.resize(room, ' ');
            std::printf("\r%s%s", line.c_str(), last ? "\n" : "");
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
    printField("plug-in", shown(command.asi));
    printField("configuration",
               (!command.configPath.empty() ? shownPath(command.configPath)
                : debug                     ? "the default file"
                                            : "the default file, written by the plug-in") +
                   // What --debug did: only what the plug-in showed.
                   (!debug                   ? ""
                    : result.statusLineDrawn ? ", with debug=true added: status line drawn"
                                             : ", with debug=true added, but no status line "
                                               "drawn"));
    printField("", "scan radius " + shownNumber(result.radius) + " m, " +
                       (result.radiusFromFile
                            ? "as the file sets it"
                            : "the plug-in's default: it reads no scanRadius in the file"));
    printField("", groupedCount(static_cast<long long>(result.listed.size()), "listed model") +
                       " in the plug-in's reading of the file");
    printField("world, as built", groupedCount(static_cast<long long>(run.world.size()), "object") +
                                      ", " + grouped(static_cast<long long>(listedObjects)) +
                                      " of a model the plug-in listed; " + worldSource);
    printField("frames", grouped(result.framesRun));
    if (!result.modelWait.missing.empty()) {
        printField("shield models", modelWaitText(result.modelWait));
    }
    printField("shields", grouped(result.created) + " created, " + grouped(result.retired) +
                              " retired, peak " + grouped(result.peakHeld) + " held");
    printField("candidates per frame", spreadText(spreadOf(result.candidates)));
    printField("native calls per frame", spreadText(spreadOf(result.nativeCalls)));
    // Paths are not wrapped at their blanks.
    std::printf("%s%s\n%s%s\n", fieldLabel("pictures").c_str(), shownPath(outputs.map).c_str(),
                fieldLabel("").c_str(), shownPath(outputs.plot).c_str());
    if (result.logWritten) {
        std::printf("%s%s\n", fieldLabel("the plug-in's log").c_str(),
                    shownPath(outputs.log).c_str());
    }
    for (const std::string& e : result.protocolErrors) {
        std::printf("  protocol error: %s\n", e.c_str());
    }
    printField("verdict", verdictText(result, run.streamingRadius));
}
