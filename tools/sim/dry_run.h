#pragma once

#include "natives/natives.h"
#include "tools/sim/world_file.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
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

// The most frames a run may take, so that a mistyped --frames cannot keep a
// run going for hours.
inline constexpr int maxDryRunFrames = 200'000;
// A run keeps at most this many frame records and shield marks for its
// pictures, an even sample of them, so that its memory stays bounded.
inline constexpr std::size_t keptFrameRecords = 5'000;
inline constexpr std::size_t keptShieldMarks = 20'000;
// The map draws at most this many of the world's objects, an even sample.
inline constexpr std::size_t keptWorldMarks = 20'000;

struct DryRunOptions {
    std::vector<PlacedObject> world;
    std::vector<Waypoint> route;
    int frames = 0;     // 1 to maxDryRunFrames; 0: as many as the route takes
    float speed = 1.0f; // metres per frame
    std::uint64_t seed = 1;
    std::optional<std::string> configText; // none: the plug-in writes its default file
    bool askForStatusLine = false;         // append debug=true to the file the plug-in reads
    std::string gameFolder;                // where the plug-in finds BrambleCap.ini
    float streamingRadius = 300;           // the host lists only objects this near the player
    std::vector<int> missingModels;        // shield model numbers whose assets never load
};

// How many frames the options ask for, or why they cannot be run.
struct FramePlan {
    int frames = 0;
    std::string problem;
};
FramePlan planFrames(const DryRunOptions& options);

// One frame as the plug-in showed it in its calls.
struct FrameRecord {
    int frame = 0;
    float x = 0, y = 0;
    int candidates = 0; // its candidate list, or its status line's Nearby where it drew one
    int held = 0;       // shields it created and did not delete, at the end of the frame
    int nativeCalls = 0;
    std::string statusLine; // its own, when it drew one
};

// A shield the plug-in created, where the world holds it at the end of the run.
struct ShieldMark {
    float x = 0, y = 0;
    bool standing = true; // false: the plug-in deleted it
};

// The plug-in's start-up wait for its shield models, as its questions to the
// host show it.
struct ModelWait {
    int loaded = 0;           // models whose last answer was "loaded"
    std::vector<int> missing; // model numbers whose last answer was "not loaded"
    int framesWaited = 0;     // frames it yielded in the wait
    bool ended = false;       // it went on past the wait
};

// How often each value of a per-frame figure came up.
using Histogram = std::map<int, long long>;

struct DryRunResult {
    int framesRun = 0;
    std::vector<FrameRecord> frames;   // an even sample, the first and the last among them
    std::vector<ShieldMark> shields;   // an even sample of the shields created
    Histogram candidates, nativeCalls; // every frame's
    int created = 0;
    int retired = 0;
    int peakHeld = 0;
    // The limits the plug-in met, in frames: it created newShieldsPerFrame
    // shields, it held maxShields after placing, the host filled the room its
    // scan gave.
    int framesAtBudget = 0, framesAtCap = 0, framesHostFull = 0;
    int hostRoom = 0; // the room the plug-in's scan gave the host, where the host filled it
    // The world's: frames in which listed objects lay within the scan radius
    // but beyond the host's streaming radius, unseen, and the most in a frame.
    int framesBeyondHost = 0, mostBeyondHost = 0;
    float radius = 0;                     // the scan radius in force, as the plug-in read its file
    bool radiusFromFile = false;          // a line of the file set it, not the plug-in's default
    std::unordered_set<ModelHash> listed; // the models the plug-in hashed as listed
    ModelWait modelWait;
    std::vector<std::string> protocolErrors;
    bool logWritten = false; // the plug-in left BrambleCap.log in the game folder
    bool statusLineDrawn = false;
    std::string failure; // why the run did not happen as a game would run it, or empty
};

// The BrambleCap.ini a run leaves in the game folder: the player's file (with
// debug=true for --debug), or the default file the plug-in writes.
std::string gameConfigText(const DryRunOptions& options);

// Loads the plug-in into the stand-in host, drives the player along the route
// frame by frame, and records what happened. The process is back in its own
// working folder when it returns or throws.
DryRunResult runDryRun(const DryRunOptions& options, const PluginHooks& plugin,
                       const std::function<void(const FrameRecord&, int frames)>& progress);

struct Spread {
    int minimum = 0, median = 0, maximum = 0;
};
Spread spreadOf(const Histogram& values);

// The built-in stretch of country: listed trees and palms of the default file
// with unlisted objects among them, in dense groves and sparse open land, and a
// road across it that the player drives there and back.
struct Country {
    std::vector<PlacedObject> objects;
    std::vector<Waypoint> route;
};
Country generateCountry(std::uint64_t seed);

// Pictures of a run as SVG documents. The map: listed objects by model,
// unlisted ones faint, the shields placed (standing at the end, or retired),
// the route, a scale bar, and the scan and retirement circles at four moments,
// lettered A to D. The plot: the plug-in's candidates and shields held over
// the frames, with the same moments marked.
std::string drawMap(const std::vector<PlacedObject>& world, const std::vector<Waypoint>& route,
                    const DryRunResult& result);
std::string drawPlot(const DryRunResult& result);

// The plug-in this build runs (shipped_plugin_*.cpp): the .asi at the path on
// Windows, the linked sources on Linux (where the path is only named in the
// summary).
PluginHooks shippedPlugin(const std::string& asiPath);
// Why the plug-in at the path cannot run, in words, or empty: on Windows it is
// loaded once into a world of its own, and must register its script.
std::string pluginProblem(const std::string& asiPath);
std::string defaultAsiPath(const char* program);
// Why --asi has no place in this build, in words, or empty: the Linux build
// runs the sources linked in, and a summary naming a file would be untrue.
std::string asiOptionProblem();
// The width of the terminal that standard output goes to, in columns: 0 when
// it goes elsewhere, -1 when the terminal does not say.
int terminalColumns();
// Lines end in LF alone on every build, as the terminal of ./dev demo expects.
void useUnixLineEnds();
