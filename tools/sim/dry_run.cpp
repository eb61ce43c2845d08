#include "tools/sim/dry_run.h"

#include "config/config.h"
#include "config/config_format.h"
#include "config/text.h"
#include "shields/shields.h"
#include "standin/world.h"
#include "tools/files/files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <unordered_map>

namespace {

// The scan radius as a line of the file in the game folder sets it, by the
// plug-in's own reading of it; none when no line does (a UTF-16 file's never
// does), and the plug-in's default applies.
std::optional<float> radiusInFile() {
    std::optional<float> radius;
    if (const auto bytes = readConfigBytes(std::string(ConfigFormat::fileName))) {
        const auto apply = [](const ConfigLine& line, void* radius) {
            if (line.kind == LineKind::Setting && line.setting == SettingKey::ScanRadius) {
                Settings read = initialSettings;
                applySetting(line, read);
                *static_cast<std::optional<float>*>(radius) = read.scanRadius;
            }
        };
        parseConfig(*bytes, {apply, &radius});
    }
    return radius;
}

// The point the player has reached after driving this far along the route.
Waypoint along(const std::vector<Waypoint>& route, float distance) {
    for (std::size_t i = 1; i < route.size(); ++i) {
        const float dx = route[i].x - route[i - 1].x;
        const float dy = route[i].y - route[i - 1].y;
        const float leg = std::hypot(dx, dy);
        if (distance <= leg && leg > 0) {
            return {route[i - 1].x + dx * distance / leg, route[i - 1].y + dy * distance / leg};
        }
        distance -= leg;
    }
    return route.back();
}

float routeLength(const std::vector<Waypoint>& route) {
    float total = 0;
    for (std::size_t i = 1; i < route.size(); ++i) {
        total += std::hypot(route[i].x - route[i - 1].x, route[i].y - route[i - 1].y);
    }
    return total;
}

// debug=true where the plug-in reads it: before a Ctrl-Z, which ends the file
// for the game, and in a [Settings] section of its own (a later line wins).
std::string withDebugOn(std::string text) {
    const auto stop = text.find(ConfigFormat::endOfText);
    const std::string lines = "\r\n[" + std::string(ConfigFormat::sectionSettings) + "]\r\n" +
                              std::string(declarationOf(SettingKey::Debug).text) + "=" +
                              std::string(ConfigFormat::trueSpellings[0]) + "\r\n";
    text.insert(stop == std::string::npos ? text.size() : stop, lines);
    return text;
}

// Readies the game folder, the current one, for the plug-in: no file of an
// earlier run, and the player's file (with debug=true for --debug), or none so
// that the plug-in writes its default. The copy is read back: a full disk must
// not leave the plug-in half a file.
void prepareGameFolder(const DryRunOptions& options) {
    const std::string path(ConfigFormat::fileName);
    // A log left by an earlier run is not this run's.
    for (const std::string& own : {path, std::string(ConfigFormat::logFileName)}) {
        if (std::string cause; !removeOwnFile(own, cause)) {
            throw std::runtime_error("cannot remove " + shownPath(options.gameFolder + "/" + own) +
                                     ": " + cause);
        }
    }
    if (!options.configText && !options.askForStatusLine) {
        return;
    }
    const std::string text = gameConfigText(options);
    std::string cause;
    if (!replaceFile(path, text, cause) || readUserFile(path, cause) != text) {
        throw std::runtime_error("cannot write " + shownPath(options.gameFolder + "/" + path) +
                                 ": " +
                                 (cause.empty() ? "it does not read back as written" : cause));
    }
}

// The process's working folder, given back however the run ends.
struct WorkingFolderKept {
    std::filesystem::path kept = std::filesystem::current_path();
    ~WorkingFolderKept() {
        std::error_code ignored;
        std::filesystem::current_path(kept, ignored);
    }
};

// An even sample of the shields the plug-in created, as the world holds them.
std::vector<ShieldMark> shieldMarks(const standin::World& world) {
    const auto made = [](const standin::Object& o) { return o.createdByScript; };
    const auto count = static_cast<std::size_t>(std::ranges::count_if(world.objects(), made));
    const std::size_t stride =
        std::max<std::size_t>(1, (count + keptShieldMarks - 1) / keptShieldMarks);
    std::vector<ShieldMark> marks;
    std::size_t seen = 0;
    for (const standin::Object& o : world.objects()) {
        if (made(o) && seen++ % stride == 0) {
            marks.push_back({o.x, o.y, o.exists});
        }
    }
    return marks;
}

// The world's side of a limit the plug-in cannot see: the host lists only
// the objects within its streaming radius, so with a scan radius beyond it the
// listed objects between the two go unseen. Counted from the world as built,
// frame by frame; nothing when the scan radius lies within the host's.
void countUnseenBeyondHost(const DryRunOptions& options, DryRunResult& result) {
    const float hostReach = options.streamingRadius * options.streamingRadius;
    const float scanReach = scanReachSquared(result.radius);
    if (!(scanReach > hostReach)) {
        return;
    }
    std::vector<const PlacedObject*> listed;
    for (const PlacedObject& o : options.world) {
        if (result.listed.contains(o.hash)) {
            listed.push_back(&o);
        }
    }
    for (int frame = 1; frame <= result.framesRun; ++frame) {
        const Waypoint at = along(options.route, options.speed * static_cast<float>(frame - 1));
        const auto unseen = std::ranges::count_if(listed, [&](const PlacedObject* o) {
            const float distance = horizontalDistanceSquared(at.x, at.y, o->x, o->y);
            return distance > hostReach && withinReach(distance, scanReach);
        });
        result.framesBeyondHost += unseen > 0 ? 1 : 0;
        result.mostBeyondHost = std::max(result.mostBeyondHost, static_cast<int>(unseen));
    }
}

} // namespace

Spread spreadOf(const Histogram& values) {
    if (values.empty()) {
        return {};
    }
    long long total = 0;
    for (const auto& [value, count] : values) {
        total += count;
    }
    // The lower median, as the middle of the sorted figures.
    long long seen = 0;
    int median = values.begin()->first;
    for (const auto& [value, count] : values) {
        seen += count;
        if (seen > (total - 1) / 2) {
            median = value;
            break;
        }
    }
    return {values.begin()->first, median, values.rbegin()->first};
}

FramePlan planFrames(const DryRunOptions& options) {
    if (options.frames > 0) {
        return {options.frames, ""};
    }
    if (!(options.speed > 0)) {
        return {0, "a speed of 0 never moves the player along the route; give a speed above 0, "
                   "or --frames to stand still"};
    }
    const double frames = 1 + std::floor(routeLength(options.route) / options.speed);
    if (frames > maxDryRunFrames) {
        char problem[200];
        std::snprintf(problem, sizeof problem,
                      "the route takes %.0f frames at %g m a frame, more than the %d a run may "
                      "take; give a higher speed or --frames",
                      frames, static_cast<double>(options.speed), maxDryRunFrames);
        return {0, problem};
    }
    return {static_cast<int>(frames), ""};
}

std::string gameConfigText(const DryRunOptions& options) {
    const std::string text = options.configText.value_or(defaultConfigText());
    return options.askForStatusLine ? withDebugOn(text) : text;
}

DryRunResult runDryRun(const DryRunOptions& options, const PluginHooks& plugin,
                       const std::function<void(const FrameRecord&, int frames)>& progress) {
    const FramePlan plan = planFrames(options);
    if (!plan.problem.empty()) {
        throw std::invalid_argument(plan.problem);
    }
    const WorkingFolderKept workingFolder;
    std::filesystem::create_directories(filePath(options.gameFolder));
    std::filesystem::current_path(filePath(options.gameFolder));
    prepareGameFolder(options);

    DryRunResult result;
    standin::World world(options.seed);
    world.setLogging(false);
    world.setStreamingRadius(options.streamingRadius);
    world.reserve(options.world.size());
    for (const PlacedObject& object : options.world) {
        world.addObject(object.hash, object.x, object.y, object.z);
    }
    for (const int model : options.missingModels) {
        world.setModelLatency(shieldModelName(model), -1);
    }
    const int frames = plan.frames;
    // Every frameStride-th frame is kept for the pictures, and the last.
    const int frameStride = static_cast<int>(
        (static_cast<std::size_t>(frames) + keptFrameRecords - 1) / keptFrameRecords);
    // The last answer the plug-in had for each shield model, by number.
    std::unordered_map<ModelHash, int> modelNumbers;
    for (int k = 1; k <= shieldModelCount; ++k) {
        modelNumbers[nameHash(shieldModelName(k))] = k;
    }
    std::map<int, bool> modelAnswers;
    bool waited = false;
    world.onCall = [&waited](const standin::HostCall& call) {
        waited = waited || call.kind == standin::CallKind::ScriptWait;
    };

    plugin.load();
    if (!world.scriptRegistered()) {
        result.failure = "the plug-in registered no script with the host, so nothing ran";
    }
    for (int frame = 1; frame <= frames; ++frame) {
        const Waypoint at = along(options.route, options.speed * static_cast<float>(frame - 1));
        world.setPlayerPosition(at.x, at.y, 0);
        const std::size_t callsBefore = world.nativeCallCount();
        world.runFrames(1);
        const standin::FrameObservation& seen = world.observed();
        const int heldBefore = result.created - result.retired;
        result.created += seen.shieldsCreated;
        result.retired += seen.shieldsRetired;
        const FrameRecord record{.frame = frame,
                                 .x = at.x,
                                 .y = at.y,
                                 .candidates = seen.statusNearby.value_or(seen.candidates),
                                 .held = result.created - result.retired,
                                 .nativeCalls =
                                     static_cast<int>(world.nativeCallCount() - callsBefore),
                                 .statusLine = seen.statusLine};
        // A list longer than the shields made from it left some candidates waiting,
        // or they had their shields already.
        const bool someLeft = record.candidates > seen.shieldsCreated;
        result.framesAtBudget += someLeft && seen.shieldsCreated >= newShieldsPerFrame ? 1 : 0;
        result.framesAtCap +=
            someLeft && heldBefore + seen.shieldsCreated >= static_cast<int>(maxShields) ? 1 : 0;
        if (seen.hostRoom > 0 && seen.hostListed >= seen.hostRoom) {
            ++result.framesHostFull;
            result.hostRoom = seen.hostRoom;
        }
        result.modelWait.framesWaited += seen.waitingForModels ? 1 : 0;
        for (const auto& [model, loaded] : seen.modelAnswers) {
            if (const auto found = modelNumbers.find(model); found != modelNumbers.end()) {
                modelAnswers[found->second] = loaded;
            }
        }
        result.statusLineDrawn = result.statusLineDrawn || !seen.statusLine.empty();
        result.peakHeld = std::max(result.peakHeld, record.held);
        ++result.candidates[record.candidates];
        ++result.nativeCalls[record.nativeCalls];
        result.framesRun = frame;
        if ((frame - 1) % frameStride == 0 || frame == frames) {
            result.frames.push_back(record);
        }
        if (progress) {
            progress(record, frames);
        }
    }
    result.modelWait.ended = !world.observed().waitingForModels;
    plugin.unload();
    world.onCall = nullptr;
    for (const auto& [number, loaded] : modelAnswers) {
        result.modelWait.loaded += loaded ? 1 : 0;
        if (!loaded) {
            result.modelWait.missing.push_back(number);
        }
    }
    if (result.failure.empty() && !waited) {
        result.failure = "the plug-in's script never reached its frame loop (it never waited for "
                         "a frame)";
    }
    result.listed = world.listedModels();
    const std::optional<float> radius = radiusInFile();
    result.radius = radius.value_or(initialSettings.scanRadius);
    result.radiusFromFile = radius.has_value();
    countUnseenBeyondHost(options, result);
    result.shields = shieldMarks(world);
    result.protocolErrors = world.protocolErrors();
    result.logWritten = std::filesystem::exists(ConfigFormat::logFileName);
    return result;
}
