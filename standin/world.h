#pragma once

// The stand-in for the host runtime and the game: a small world with its own
// rules (objects, existence, model streaming, faults; world.cpp), the seven
// host functions over it with the protocol kept and an honest log of
// everything asked of it (world_host.cpp), the plug-in's own figures read
// from its calls (observation.cpp), and the script run one frame at a time on
// a context of its own (script_context).

#include "natives/host.h"
#include "natives/native_list.h"
#include "natives/natives.h"
#include "standin/protocol.h"

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace standin {

struct Object {
    EntityHandle handle = 0;
    ModelHash model = 0;
    float x = 0, y = 0, z = 0;
    bool exists = true;
    bool createdByScript = false;
    bool isPed = false;
    int vanishedFrame = -1;
};

// How worldGetAllObjects answers: as it should, with no objects, with a
// negative count, with a count above the capacity it was given, or with every
// handle twice.
enum class Listing { Normal, Zero, Negative, Overfull, Twice };

struct Faults {
    double createFails = 0;    // chance that CREATE_OBJECT returns 0
    double createdMissing = 0; // chance that a created object is gone before it is tested
    double vanish = 0;         // chance per frame that a given object disappears
    Listing listing = Listing::Normal;
};

// What the plug-in showed of itself in one frame, from its calls alone: what
// the dry run reports is then the plug-in's own account, not the world's.
struct FrameObservation {
    // Its candidate list: the objects of this frame's scan whose model it asked
    // for, counted when that model is one it hashed while reading its
    // configuration. One at most for each handle the host listed and the scan
    // walked, so the count stays within the room the scan gave the host.
    // 0 in a frame without a scan, as while it waits for its shield models.
    int candidates = 0;
    // The status line it drew, if any, and the line's "Nearby" figure when the
    // line shows one.
    std::string statusLine;
    std::optional<int> statusNearby;
    int shieldsCreated = 0; // CREATE_OBJECT answered and the new object found standing
    int shieldsRetired = 0; // DELETE_ENTITY calls
    // The room its scan gave the host, and the handles the host gave it, at
    // most that room: a full room may leave objects beyond it unseen.
    int hostRoom = 0;
    int hostListed = 0;
    // It asked whether its shield models had loaded and yielded before scanning.
    bool waitingForModels = false;
    // Each shield model it asked about and whether the host said it had loaded.
    std::vector<std::pair<ModelHash, bool>> modelAnswers;
};

class World {
  public:
    explicit World(std::uint64_t seed = 1);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Building the world.
    EntityHandle addObject(ModelHash model, float x, float y, float z);
    EntityHandle addObject(std::string_view modelName, float x, float y, float z);
    void vanish(EntityHandle handle);
    void changeModel(EntityHandle handle, ModelHash model);
    // Room for this many objects in all, so that creating them allocates nothing.
    void reserve(std::size_t objects);
    void setPlayerPosition(float x, float y, float z);
    EntityHandle playerPed() const { return ped; }
    // Frames from a model's request until it reports loaded (0 unless set); a
    // negative latency never loads.
    void setModelLatency(ModelHash model, int frames);
    void setModelLatency(std::string_view modelName, int frames);
    // Like the game, the host lists only the objects streamed in around the
    // player: those within this many metres of the player (2-D).
    void setStreamingRadius(float metres) { streamingRadius = metres; }
    Faults faults;
    // Called at the start of every frame, before the script runs: moves the player, say.
    std::function<void(World&)> beforeFrame;

    // Running. A frame advances the world and resumes the script until it yields.
    void runFrames(int count = 1);
    // Runs fn as if on the script's context, on this thread: for benchmarks and
    // for tests of one pass. scriptWait returns at once here.
    void runAsScript(const std::function<void()>& fn);
    bool scriptRegistered() const { return script != nullptr; }

    // Observing.
    int frame() const { return currentFrame; }
    const Object* object(EntityHandle handle) const;
    const std::vector<Object>& objects() const { return all; }
    bool modelLoaded(ModelHash model) const;
    const std::vector<HostCall>& calls() const { return log; }
    void clearCalls() { log.clear(); }
    void setLogging(bool on) { logging = on; }
    // Sees every call as it completes, logged or not: for long runs that check
    // as they go instead of keeping a log.
    std::function<void(const HostCall&)> onCall;
    std::size_t nativeCallCount() const { return nativeCalls; }
    const std::vector<std::string>& protocolErrors() const { return errors; }
    // The plug-in's own figures of the frame run last.
    const FrameObservation& observed() const { return observation; }
    // The models the plug-in listed, as it hashed them while reading its configuration.
    const std::unordered_set<ModelHash>& listedModels() const { return configuredModels; }
    ModuleHandle registeredModule() const { return module; }
    int registrations() const { return registerCount; }
    int unregistrations() const { return unregisterCount; }
    // Observers of registration, for tests that look at the plug-in's state then.
    std::function<void()> onRegister;

    // The host functions land here.
    void hostRegister(ModuleHandle module, ScriptEntry entry);
    void hostUnregister(ModuleHandle module);
    void hostWait(std::uint32_t milliseconds);
    int hostGetAllObjects(int* handles, int capacity);
    void hostNativeInit(std::uint64_t hash);
    void hostNativePush(std::uint64_t value);
    HostWord* hostNativeCall();

  private:
    Object* find(EntityHandle handle);
    bool inScript() const;
    void protocolError(std::string message);
    void record(HostCall& call);
    // Logs a call of one of the host's own functions (not a native).
    void recordHostFunction(CallKind kind, std::initializer_list<std::uint64_t> args,
                            std::uint64_t result = 0);
    // One case for each native of natives/native_list.h and no default, so
    // that a native listed there without behaviour here does not compile.
    void answer(Native native, HostCall& call);
    int listObjects(int* handles, int capacity);
    void applyVanishing();
    bool chance(double p);
    bool requireScript(const char* what);
    // Reads the plug-in's figures from each call it makes; a native comes with
    // its entry in the list.
    void observe(const HostCall& call, const NativeSignature* native = nullptr);
    void startObservedFrame();

    std::vector<Object> all;
    // Objects that may still be listed, in the order they came: the ones gone
    // before this frame are swept out when the host next lists.
    std::vector<EntityHandle> present;
    EntityHandle ped = 0;
    struct Streaming {
        int latency = 0;
        int requestedFrame = -1;
    };
    std::unordered_map<ModelHash, Streaming> streaming;
    float streamingRadius = 1.0e30f;
    int currentFrame = 0;
    std::mt19937_64 random;

    ScriptContext context;
    ScriptEntry script = nullptr;
    ModuleHandle module = nullptr;
    int registerCount = 0;
    int unregisterCount = 0;
    bool direct = false;

    bool logging = true;
    std::vector<HostCall> log;
    std::vector<std::string> errors;
    std::size_t nativeCalls = 0;

    FrameObservation observation;
    // The models the plug-in listed: what GET_HASH_KEY answered while it read
    // its configuration, which ends with its first REQUEST_MODEL.
    std::unordered_set<ModelHash> configuredModels;
    bool readingConfiguration = true;
    ModelHash lastHashed = 0;
    bool lastHashedNew = false;
    // The scan under way: existence queries still to come for the handles the
    // host listed, and the handle asked about last, until its model is judged.
    int scanHandlesLeft = -1; // -1: no scan under way
    EntityHandle scannedHandle = 0;
    // A shield just created, until the plug-in asks whether it stands.
    EntityHandle newShield = 0;

    NativeProtocol protocol;
    // The log entry of the native call just made; kept, so that its text's
    // room is reused and a frame allocates nothing here either.
    HostCall lastNative;
    // What the game leaves in the parts of a result nobody should read.
    static constexpr std::uint64_t resultNoise = 0xA5A5A5A5'00000000;
    std::array<HostWord, 3> result{};
};

// The world the host functions act on: the one constructed last.
extern World* activeWorld;

} // namespace standin
