#include "sim/world.h"

#include "natives/native_hashes.h"
#include "sim/hash_key.h"

#include <algorithm>
#include <bit>
#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace sim {

namespace {

// Handles with the top bit set, so that a handle pushed sign-extended shows.
constexpr EntityHandle firstHandle = 0x80000100;
// What the game leaves in the parts of a result nobody should read.
constexpr std::uint64_t resultNoise = 0xA5A5A5A5'00000000;
constexpr std::uint32_t paddingNoise = 0xDEADBEEF;
constexpr int overfullExtra = 100;

struct NativeEntry {
    std::uint64_t hash;
    const char* name;
    int argCount;
    int textArg; // index of the argument passed by address, or -1
};

constexpr NativeEntry natives[] = {
    {NativeHash::PLAYER_PED_ID, "PLAYER_PED_ID", 0, -1},
    {NativeHash::GET_ENTITY_COORDS, "GET_ENTITY_COORDS", 2, -1},
    {NativeHash::DOES_ENTITY_EXIST, "DOES_ENTITY_EXIST", 1, -1},
    {NativeHash::GET_ENTITY_MODEL, "GET_ENTITY_MODEL", 1, -1},
    {NativeHash::CREATE_OBJECT, "CREATE_OBJECT", 7, -1},
    {NativeHash::DELETE_ENTITY, "DELETE_ENTITY", 1, 0},
    {NativeHash::GET_HASH_KEY, "GET_HASH_KEY", 1, 0},
    {NativeHash::REQUEST_MODEL, "REQUEST_MODEL", 1, -1},
    {NativeHash::HAS_MODEL_LOADED, "HAS_MODEL_LOADED", 1, -1},
    {NativeHash::BEGIN_TEXT_COMMAND_PRINT, "BEGIN_TEXT_COMMAND_PRINT", 1, 0},
    {NativeHash::ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME,
     "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME", 1, 0},
    {NativeHash::END_TEXT_COMMAND_PRINT, "END_TEXT_COMMAND_PRINT", 2, -1},
};

const NativeEntry* findNative(std::uint64_t hash) {
    for (const NativeEntry& entry : natives) {
        if (entry.hash == hash) {
            return &entry;
        }
    }
    return nullptr;
}

std::uint32_t low(std::uint64_t value) {
    return static_cast<std::uint32_t>(value);
}
float lowFloat(std::uint64_t value) {
    return std::bit_cast<float>(low(value));
}
template <typename T> T* address(std::uint64_t value) {
    return reinterpret_cast<T*>(static_cast<std::uintptr_t>(value));
}

std::string hex(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%" PRIX64, value);
    return text;
}

} // namespace

const char* nativeName(std::uint64_t hash) {
    const NativeEntry* entry = findNative(hash);
    return entry != nullptr ? entry->name : "UNKNOWN_NATIVE";
}

std::string describe(const HostCall& call) {
    switch (call.kind) {
    case CallKind::ScriptRegister:
        return "scriptRegister";
    case CallKind::ScriptUnregister:
        return "scriptUnregister";
    case CallKind::ScriptWait:
        return "scriptWait(" + std::to_string(call.args[0]) + ")";
    case CallKind::WorldGetAllObjects:
        return "worldGetAllObjects(" + std::to_string(call.args[1]) + ")";
    case CallKind::Native:
        break;
    }
    const NativeEntry* entry = findNative(call.hash);
    std::string text = nativeName(call.hash);
    text += '(';
    for (int i = 0; i < call.argCount; ++i) {
        if (i > 0) {
            text += ", ";
        }
        if (entry != nullptr && entry->textArg == i) {
            text += call.hash == NativeHash::DELETE_ENTITY ? "&" + hex(call.target)
                                                           : "\"" + call.text + "\"";
        } else if (call.hash == NativeHash::CREATE_OBJECT && i >= 1 && i <= 3) {
            char number[32];
            std::snprintf(number, sizeof number, "%g", lowFloat(call.args[i]));
            text += number;
        } else {
            text += call.args[i] < 10 ? std::to_string(call.args[i]) : hex(call.args[i]);
        }
    }
    return text + ')';
}

World* activeWorld = nullptr;

World::World(std::uint64_t seed) : random(seed) {
    if (activeWorld != nullptr) {
        std::fprintf(stderr, "stand-in host: a second world while one is active\n");
    }
    activeWorld = this;
    Object player;
    player.handle = firstHandle;
    player.isPed = true;
    all.push_back(player);
    ped = player.handle;
}

World::~World() {
    context.stop();
    if (activeWorld == this) {
        activeWorld = nullptr;
    }
}

EntityHandle World::addObject(ModelHash model, float x, float y, float z) {
    Object object;
    object.handle = firstHandle + static_cast<EntityHandle>(all.size());
    object.model = model;
    object.x = x;
    object.y = y;
    object.z = z;
    all.push_back(object);
    present.push_back(object.handle);
    return object.handle;
}

EntityHandle World::addObject(std::string_view modelName, float x, float y, float z) {
    return addObject(hashKey(modelName), x, y, z);
}

void World::reserve(std::size_t objects) {
    all.reserve(objects + 1);
    present.reserve(objects);
}

void World::vanish(EntityHandle handle) {
    if (Object* object = find(handle); object != nullptr && object->exists) {
        object->exists = false;
        object->vanishedFrame = currentFrame;
    }
}

void World::changeModel(EntityHandle handle, ModelHash model) {
    if (Object* object = find(handle)) {
        object->model = model;
    }
}

void World::setPlayerPosition(float x, float y, float z) {
    Object& player = all.front();
    player.x = x;
    player.y = y;
    player.z = z;
}

void World::setModelLatency(ModelHash model, int frames) {
    streaming[model].latency = frames;
}

void World::setModelLatency(std::string_view modelName, int frames) {
    setModelLatency(hashKey(modelName), frames);
}

void World::runFrames(int count) {
    for (int i = 0; i < count; ++i) {
        ++currentFrame;
        applyVanishing();
        if (beforeFrame) {
            beforeFrame(*this);
        }
        if (script != nullptr) {
            if (!context.started()) {
                context.start(script);
            }
            context.resume();
        }
    }
}

void World::runAsScript(const std::function<void()>& fn) {
    direct = true;
    fn();
    direct = false;
}

const Object* World::object(EntityHandle handle) const {
    return const_cast<World*>(this)->find(handle);
}

Object* World::find(EntityHandle handle) {
    const EntityHandle index = handle - firstHandle;
    return index < all.size() ? &all[index] : nullptr;
}

std::size_t World::existingScriptObjects() const {
    return static_cast<std::size_t>(std::count_if(
        all.begin(), all.end(), [](const Object& o) { return o.createdByScript && o.exists; }));
}

bool World::modelLoaded(ModelHash model) const {
    const auto found = streaming.find(model);
    if (found == streaming.end() || found->second.requestedFrame < 0) {
        return false;
    }
    const int latency = found->second.latency;
    return latency >= 0 && currentFrame >= found->second.requestedFrame + latency;
}

bool World::inScript() const {
    return direct || context.isCurrent();
}

bool World::chance(double p) {
    return p > 0 && std::uniform_real_distribution<double>(0.0, 1.0)(random) < p;
}

void World::protocolError(std::string message) {
    errors.push_back("frame " + std::to_string(currentFrame) + ": " + std::move(message));
}

void World::record(HostCall& call) {
    call.frame = currentFrame;
    if (onCall) {
        onCall(call);
    }
    if (logging) {
        log.push_back(call);
    }
}

bool World::requireScript(const char* what) {
    if (inScript()) {
        return true;
    }
    protocolError(std::string(what) + " called outside the script's context");
    return false;
}

void World::applyVanishing() {
    if (faults.vanish <= 0 || present.empty()) {
        return;
    }
    const double expected = faults.vanish * static_cast<double>(present.size());
    int count = static_cast<int>(expected);
    if (chance(expected - count)) {
        ++count;
    }
    std::uniform_int_distribution<std::size_t> pick(0, present.size() - 1);
    for (int i = 0; i < count; ++i) {
        vanish(present[pick(random)]);
    }
}

void World::hostRegister(ModuleHandle handle, ScriptEntry entry) {
    ++registerCount;
    HostCall call;
    call.kind = CallKind::ScriptRegister;
    call.args[0] = reinterpret_cast<std::uintptr_t>(handle);
    call.argCount = 1;
    record(call);
    if (script != nullptr) {
        protocolError("scriptRegister while a script is registered");
    }
    module = handle;
    script = entry;
    if (onRegister) {
        onRegister();
    }
}

void World::hostUnregister(ModuleHandle handle) {
    ++unregisterCount;
    HostCall call;
    call.kind = CallKind::ScriptUnregister;
    call.args[0] = reinterpret_cast<std::uintptr_t>(handle);
    call.argCount = 1;
    record(call);
    if (handle != module) {
        protocolError("scriptUnregister with a module that did not register");
    }
    context.stop();
    script = nullptr;
}

void World::hostWait(std::uint32_t milliseconds) {
    HostCall call;
    call.kind = CallKind::ScriptWait;
    call.args[0] = milliseconds;
    call.argCount = 1;
    record(call);
    if (!requireScript("scriptWait") || direct) {
        return;
    }
    context.yield();
}

int World::hostGetAllObjects(int* handles, int capacity) {
    HostCall call;
    call.kind = CallKind::WorldGetAllObjects;
    call.args[0] = reinterpret_cast<std::uintptr_t>(handles);
    call.args[1] = static_cast<std::uint32_t>(capacity);
    call.argCount = 2;
    int count = 0;
    if (requireScript("worldGetAllObjects")) {
        std::erase_if(present, [&](EntityHandle handle) {
            const Object& o = *find(handle);
            return !o.exists && o.vanishedFrame != currentFrame;
        });
        const Object& player = all.front();
        const float reach = streamingRadius * streamingRadius;
        for (const EntityHandle handle : present) {
            const Object& o = *find(handle);
            const float dx = o.x - player.x;
            const float dy = o.y - player.y;
            if (dx * dx + dy * dy <= reach && count < capacity) {
                handles[count++] = static_cast<int>(o.handle);
            }
        }
        switch (faults.listing) {
        case Listing::Normal:
            break;
        case Listing::Zero:
            count = 0;
            break;
        case Listing::Negative:
            count = -1;
            break;
        case Listing::Overfull:
            std::fill(handles + count, handles + capacity, 0);
            count = capacity + overfullExtra;
            break;
        case Listing::Twice: {
            const int once = std::min(count, capacity - count);
            std::copy(handles, handles + once, handles + count);
            count += once;
            break;
        }
        }
    }
    call.result = static_cast<std::uint32_t>(count);
    record(call);
    return count;
}

void World::hostNativeInit(std::uint64_t hash) {
    if (initialised) {
        protocolError(std::string("nativeInit before the call of ") + nativeName(pending.hash));
    }
    pending.hash = hash;
    pending.argCount = 0;
    pending.text.clear();
    pending.target = 0;
    initialised = true;
}

void World::hostNativePush(std::uint64_t value) {
    if (!initialised) {
        protocolError("nativePush64 without nativeInit");
        return;
    }
    if (pending.argCount == static_cast<int>(pending.args.size())) {
        protocolError(std::string("too many arguments for ") + nativeName(pending.hash));
        return;
    }
    pending.args[pending.argCount++] = value;
}

std::uint64_t* World::hostNativeCall() {
    result = {resultNoise, resultNoise, resultNoise};
    if (!initialised) {
        protocolError("nativeCall without nativeInit");
        return result.data();
    }
    initialised = false;
    ++nativeCalls;
    if (!requireScript(nativeName(pending.hash))) {
        return result.data();
    }
    const NativeEntry* entry = findNative(pending.hash);
    if (entry == nullptr) {
        protocolError("unknown native " + hex(pending.hash));
        return result.data();
    }
    if (pending.argCount != entry->argCount) {
        protocolError(std::string(entry->name) + " with " + std::to_string(pending.argCount) +
                      " arguments, expected " + std::to_string(entry->argCount));
        return result.data();
    }
    for (int i = 0; i < pending.argCount; ++i) {
        if (i != entry->textArg && (pending.args[i] >> 32) != 0) {
            protocolError(std::string(entry->name) + " argument " + std::to_string(i + 1) +
                          " is not zero-extended: " + hex(pending.args[i]));
        }
    }
    runNative(pending);
    pending.result = result[0];
    record(pending);
    return result.data();
}

void World::runNative(HostCall& call) {
    const auto answer = [&](std::uint32_t value) { result[0] = resultNoise | value; };
    const auto& a = call.args;
    switch (call.hash) {
    case NativeHash::PLAYER_PED_ID:
        answer(ped);
        return;
    case NativeHash::GET_ENTITY_COORDS: {
        const Object* o = find(low(a[0]));
        const float xyz[3] = {o != nullptr && o->exists ? o->x : 0.0f,
                              o != nullptr && o->exists ? o->y : 0.0f,
                              o != nullptr && o->exists ? o->z : 0.0f};
        for (int i = 0; i < 3; ++i) {
            result[i] = (std::uint64_t{paddingNoise} << 32) | std::bit_cast<std::uint32_t>(xyz[i]);
        }
        return;
    }
    case NativeHash::DOES_ENTITY_EXIST: {
        const Object* o = find(low(a[0]));
        answer(o != nullptr && o->exists ? 1 : 0);
        return;
    }
    case NativeHash::GET_ENTITY_MODEL: {
        const Object* o = find(low(a[0]));
        answer(o != nullptr && o->exists ? o->model : 0);
        return;
    }
    case NativeHash::CREATE_OBJECT: {
        const ModelHash model = low(a[0]);
        if (!modelLoaded(model)) {
            protocolError("CREATE_OBJECT with model " + hex(model) + ", which is not loaded");
            answer(0);
            return;
        }
        if (chance(faults.createFails)) {
            answer(0);
            return;
        }
        const EntityHandle handle =
            addObject(model, lowFloat(a[1]), lowFloat(a[2]), lowFloat(a[3]));
        Object& created = all.back();
        created.createdByScript = true;
        if (chance(faults.createdMissing)) {
            created.exists = false;
            created.vanishedFrame = currentFrame;
        }
        answer(handle);
        return;
    }
    case NativeHash::DELETE_ENTITY: {
        auto* variable = address<std::uint32_t>(a[0]);
        call.target = *variable;
        Object* o = find(call.target);
        if (o == nullptr || !o->exists) {
            protocolError("DELETE_ENTITY on " + hex(call.target) + ", which does not exist");
        } else if (!o->createdByScript) {
            protocolError("DELETE_ENTITY on " + hex(call.target) +
                          ", which the script did not create");
        } else {
            o->exists = false;
        }
        *variable = 0; // the game clears the caller's variable
        return;
    }
    case NativeHash::GET_HASH_KEY:
        call.text = address<const char>(a[0]);
        answer(hashKey(call.text));
        return;
    case NativeHash::REQUEST_MODEL: {
        Streaming& state = streaming[low(a[0])];
        if (state.requestedFrame < 0) {
            state.requestedFrame = currentFrame;
        }
        return;
    }
    case NativeHash::HAS_MODEL_LOADED:
        answer(modelLoaded(low(a[0])) ? 1 : 0);
        return;
    case NativeHash::BEGIN_TEXT_COMMAND_PRINT:
    case NativeHash::ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME:
        call.text = address<const char>(a[0]);
        return;
    default:
        return;
    }
}

} // namespace sim
