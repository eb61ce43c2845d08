#include "tools/sim/dry_run.h"

#include "config/config_file.h"
#include "config/config_format.h"
#include "config/config_parser.h"
#include "config/default_config.h"
#include "natives/name_hash.h"
#include "natives/native_hashes.h"
#include "shields/shield_limits.h"
#include "sim/world.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <unordered_map>

namespace {

// What the plug-in read: its radius and the models it lists.
void noteLine(const ConfigLine& line, void* context) {
    auto& result = *static_cast<DryRunResult*>(context);
    if (line.kind == LineKind::Setting && line.setting == SettingKey::ScanRadius) {
        result.radius = line.scanRadius;
    } else if (line.kind == LineKind::Entry) {
        result.listed.insert(nameHash(line.name));
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
int candidatesNear(const sim::World& world, const DryRunResult& result, float x, float y,
                   float streaming) {
    const float reachSquared = scanReachSquared(result.radius);
    int count = 0;
    for (const sim::Object& o : world.objects()) {
        if (!o.exists || o.isPed || !result.listed.contains(o.model)) {
            continue;
        }
        const float distanceSquared = horizontalDistanceSquared(x, y, o.x, o.y);
        if (distanceSquared <= streaming * streaming && withinReach(distanceSquared, reachSquared)) {
            ++count;
        }
    }
    return std::min(count, maxObjectsPerScan);
}

// What the plug-in will read, in the game folder that is the current one: the
// player's file, or none so that the plug-in writes its default.
void prepareGameFolder(const DryRunOptions& options) {
    const std::string path(ConfigFormat::fileName);
    std::filesystem::remove(path);
    if (options.configText) {
        std::ofstream(path, std::ios::binary) << *options.configText;
    } else if (options.askForStatusLine) {
        std::ofstream(path, std::ios::binary) << defaultConfigText();
    }
    if (options.askForStatusLine) {
        std::ofstream(path, std::ios::binary | std::ios::app)
            << "\r\n[Settings]\r\ndebug=true\r\n"; // a later line wins
    }
}

} // namespace

Spread spreadOf(std::vector<int> values) {
    if (values.empty()) {
        return {};
    }
    std::sort(values.begin(), values.end());
    return {values.front(), values[(values.size() - 1) / 2], values.back()};
}

DryRunResult runDryRun(const DryRunOptions& options, const PluginHooks& plugin,
                       const std::function<void(const FrameRecord&, int frames)>& progress) {
    const auto previousFolder = std::filesystem::current_path();
    std::filesystem::create_directories(options.gameFolder);
    std::filesystem::current_path(options.gameFolder);
    prepareGameFolder(options);

    DryRunResult result;
    sim::World world(options.seed);
    world.setLogging(false);
    world.setStreamingRadius(options.streamingRadius);
    for (const PlacedObject& object : options.world) {
        world.addObject(object.hash, object.x, object.y, object.z);
    }
    const int frames = options.frames > 0
                           ? options.frames
                           : 1 + static_cast<int>(routeLength(options.route) / options.speed);

    std::unordered_map<EntityHandle, std::size_t> shieldIndex;
    std::string statusLine;
    int frame = 0;
    world.onCall = [&](const sim::HostCall& call) {
        if (call.kind != sim::CallKind::Native) {
            return;
        }
        if (call.hash == NativeHash::CREATE_OBJECT) {
            const auto shield = static_cast<EntityHandle>(call.result);
            if (shield != 0 && world.object(shield)->exists) {
                const sim::Object& o = *world.object(shield);
                shieldIndex[shield] = result.shields.size();
                result.shields.push_back({o.x, o.y, frame});
                ++result.created;
            }
        } else if (call.hash == NativeHash::DELETE_ENTITY) {
            if (const auto found = shieldIndex.find(call.target); found != shieldIndex.end()) {
                result.shields[found->second].retired = frame;
            }
            ++result.retired;
        } else if (call.hash == NativeHash::ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME) {
            statusLine = call.text;
        }
    };

    plugin.load();
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
        FrameRecord record;
        record.frame = frame;
        record.x = at.x;
        record.y = at.y;
        record.candidates = candidatesNear(world, result, at.x, at.y, options.streamingRadius);
        record.held = result.created - result.retired;
        record.nativeCalls = static_cast<int>(world.nativeCallCount() - callsBefore);
        record.statusLine = statusLine;
        result.peakHeld = std::max(result.peakHeld, record.held);
        result.frames.push_back(record);
        if (progress) {
            progress(record, frames);
        }
    }
    plugin.unload();
    world.onCall = nullptr;
    result.protocolErrors = world.protocolErrors();
    std::filesystem::current_path(previousFolder);
    return result;
}
