#include "tools/sim/dry_run.h"

#include "config/config.h"
#include "config/config_format.h"
#include "config/text.h"
#include "natives/native_list.h"
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

// What the plug-in read: its radius and the models it lists.
void noteLine(const ConfigLine& line, void* context) {
    auto& result = *static_cast<DryRunResult*>(context);
    switch (line.kind) {
    case LineKind::Entry:
        result.listed.insert(nameHash(line.name));
        break;
    case LineKind::Setting:
        switch (line.setting) {
        case SettingKey::ScanRadius:
            result.radius = line.settingNumber;
            break;
        case SettingKey::Debug: // the summary needs only the radius and the list
            break;
        }
        break;
    case LineKind::Blank:
    case LineKind::Comment:
    case LineKind::Header:
    case LineKind::WithoutEffect:
        break;
    }
}

void readAsThePluginDid(DryRunResult& result) {
    result.radius = initialSettings.scanRadius;
    result.listed.clear();
    if (const auto bytes = readConfigBytes(std::string(ConfigFormat::fileName))) {
        parseConfig(*bytes, {noteLine, &result});
    }
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

// Listed objects the world offers within the radius, as far as the host lists them.
int candidatesNear(const standin::World& world, const DryRunResult& result, float x, float y,
                   float streaming) {
    const float reachSquared = scanReachSquared(result.radius);
    int count = 0;
    for (const standin::Object& o : world.objects()) {
        if (!o.exists || o.isPed || !result.listed.contains(o.model)) {
            continue;
        }
        const float distanceSquared = horizontalDistanceSquared(x, y, o.x, o.y);
        if (distanceSquared <= streaming * streaming &&
            withinReach(distanceSquared, reachSquared)) {
            ++count;
        }
    }
    return std::min(count, maxObjectsPerScan);
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
    const std::string text = options.askForStatusLine
                                 ? withDebugOn(options.configText.value_or(defaultConfigText()))
                                 : *options.configText;
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

// Every other shield mark, when the sample outgrows its room; `standing` finds
// the marks kept that are not yet retired.
void halveShieldSample(std::vector<ShieldMark>& shields,
                       std::unordered_map<EntityHandle, std::size_t>& standing) {
    std::vector<ShieldMark> kept;
    standing.clear();
    for (std::size_t i = 0; i < shields.size(); i += 2) {
        if (shields[i].retired < 0) {
            standing[shields[i].handle] = kept.size();
        }
        kept.push_back(shields[i]);
    }
    shields = std::move(kept);
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

    // Every shieldStride-th shield created is marked, and followed until retired.
    std::unordered_map<EntityHandle, std::size_t> standing;
    long long shieldStride = 1;
    // The plug-in's wait for its shield models: the last answer for each, by
    // number, and the frame of its first question.
    std::unordered_map<ModelHash, int> modelNumbers;
    for (int k = 1; k <= shieldModelCount; ++k) {
        modelNumbers[nameHash(shieldModelName(k))] = k;
    }
    std::map<int, bool> modelAnswers;
    int waitStart = 0;
    std::string statusLine;
    int frame = 0;
    bool waited = false;
    world.onCall = [&](const standin::HostCall& call) {
        waited = waited || call.kind == standin::CallKind::ScriptWait;
        if (call.kind != standin::CallKind::Native) {
            return;
        }
        if (call.hash != NativeHash::HAS_MODEL_LOADED) {
            // The wait is over once the plug-in asks the host anything else.
            result.modelWait.ended = result.modelWait.ended || waitStart > 0;
        } else if (const auto found = modelNumbers.find(static_cast<ModelHash>(call.args[0]));
                   found != modelNumbers.end()) {
            // A yes or no fills only the low word; the host leaves the rest as it was.
            modelAnswers[found->second] = static_cast<std::uint32_t>(call.result) != 0;
            waitStart = waitStart > 0 ? waitStart : frame;
            result.modelWait.framesWaited = frame - waitStart;
        }
        if (call.hash == NativeHash::CREATE_OBJECT) {
            const auto shield = static_cast<EntityHandle>(call.result);
            if (shield != 0 && world.object(shield)->exists &&
                result.created++ % shieldStride == 0) {
                const standin::Object& o = *world.object(shield);
                standing[shield] = result.shields.size();
                result.shields.push_back({shield, o.x, o.y, frame});
                if (result.shields.size() > keptShieldMarks) {
                    halveShieldSample(result.shields, standing);
                    shieldStride *= 2;
                }
            }
        } else if (call.hash == NativeHash::DELETE_ENTITY) {
            if (const auto found = standing.find(call.target); found != standing.end()) {
                result.shields[found->second].retired = frame;
                standing.erase(found);
            }
            ++result.retired;
        } else if (call.hash == NativeHash::ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME) {
            result.statusLineDrawn = true;
            statusLine = call.text;
        }
    };

    plugin.load();
    if (!world.scriptRegistered()) {
        result.failure = "the plug-in registered no script with the host, so nothing ran";
    }
    for (frame = 1; frame <= frames; ++frame) {
        const Waypoint at = along(options.route, options.speed * static_cast<float>(frame - 1));
        world.setPlayerPosition(at.x, at.y, 0);
        statusLine.clear();
        const std::size_t callsBefore = world.nativeCallCount();
        world.runFrames(1);
        if (frame == 1) {
            // The plug-in has read (or written) its file by now; read it the same way.
            readAsThePluginDid(result);
        }
        const FrameRecord record{
            .frame = frame,
            .x = at.x,
            .y = at.y,
            .candidates = candidatesNear(world, result, at.x, at.y, options.streamingRadius),
            .held = result.created - result.retired,
            .nativeCalls = static_cast<int>(world.nativeCallCount() - callsBefore),
            .statusLine = statusLine};
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
    result.protocolErrors = world.protocolErrors();
    result.logWritten = std::filesystem::exists(ConfigFormat::logFileName);
    return result;
}
