#pragma once

#include "natives/types.h"
#include "tools/sim/world_file.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

// How the plug-in comes into the process: LoadLibrary of the shipped .asi on
// Windows, the DLL entry of the linked sources on Linux.
struct PluginHooks {
    std::function<void()> load;
    std::function<void()> unload;
};

struct DryRunOptions {
    std::vector<PlacedObject> world;
    std::vector<Waypoint> route;
    int frames = 0;     // 0: as many as the route takes
    float speed = 1.0f; // metres per frame
    std::uint64_t seed = 1;
    std::optional<std::string> configText; // none: the plug-in writes its default file
    bool askForStatusLine = false;         // append debug=true to the file the plug-in reads
    std::string gameFolder;                // where the plug-in finds BrambleCap.ini
    float streamingRadius = 300;           // the host lists only objects this near the player
};

struct FrameRecord {
    int frame = 0;
    float x = 0, y = 0;
    int candidates = 0; // listed objects within the radius
    int held = 0;       // shields standing at the end of the frame
    int nativeCalls = 0;
    std::string statusLine; // the plug-in's own, when it drew one
};

struct ShieldMark {
    float x = 0, y = 0;
    int placed = 0;
    int retired = -1; // the frame it was deleted, or -1
};

struct DryRunResult {
    std::vector<FrameRecord> frames;
    std::vector<ShieldMark> shields;
    int created = 0;
    int retired = 0;
    int peakHeld = 0;
    float radius = 0;
    std::unordered_set<ModelHash> listed;
    std::vector<std::string> protocolErrors;
};

// Loads the plug-in into the stand-in host, drives the player along the route
// frame by frame, and records what happened.
DryRunResult runDryRun(const DryRunOptions& options, const PluginHooks& plugin,
                       const std::function<void(const FrameRecord&, int frames)>& progress);

struct Spread {
    int minimum = 0, median = 0, maximum = 0;
};
Spread spreadOf(std::vector<int> values);
