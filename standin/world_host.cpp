// The host's side of the stand-in: the seven host functions over the active
// world, their work, the protocol kept, the log, and the script run one frame
// at a time.
#include "natives/host.h"
#include "standin/world.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace standin {

void World::runFrames(int count) {
    for (int i = 0; i < count; ++i) {
        ++currentFrame;
        startObservedFrame();
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

bool World::inScript() const {
    return direct || context.isCurrent();
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

void World::recordHostFunction(CallKind kind, std::initializer_list<std::uint64_t> args,
                               std::uint64_t result) {
    HostCall call;
    call.kind = kind;
    std::copy(args.begin(), args.end(), call.args.begin());
    call.argCount = static_cast<int>(args.size());
    call.result = result;
    observe(call);
    record(call);
}

bool World::requireScript(const char* what) {
    if (inScript()) {
        return true;
    }
    protocolError(std::string(what) + " called outside the script's context");
    return false;
}

void World::hostRegister(ModuleHandle handle, ScriptEntry entry) {
    ++registerCount;
    recordHostFunction(CallKind::ScriptRegister, {reinterpret_cast<std::uintptr_t>(handle)});
    if (script != nullptr) {
        protocolError("scriptRegister while a script is registered");
    }
    module = handle;
    script = entry;
    // A script registered anew reads its configuration anew.
    configuredModels.clear();
    readingConfiguration = true;
    lastHashedNew = false;
    if (onRegister) {
        onRegister();
    }
}

void World::hostUnregister(ModuleHandle handle) {
    ++unregisterCount;
    recordHostFunction(CallKind::ScriptUnregister, {reinterpret_cast<std::uintptr_t>(handle)});
    if (handle != module) {
        protocolError("scriptUnregister with a module that did not register");
    }
    context.stop();
    script = nullptr;
}

void World::hostWait(std::uint32_t milliseconds) {
    recordHostFunction(CallKind::ScriptWait, {milliseconds});
    if (!requireScript("scriptWait") || direct) {
        return;
    }
    context.yield();
}

int World::hostGetAllObjects(int* handles, int capacity) {
    const int count = requireScript("worldGetAllObjects") ? listObjects(handles, capacity) : 0;
    recordHostFunction(
        CallKind::WorldGetAllObjects,
        {reinterpret_cast<std::uintptr_t>(handles), static_cast<std::uint32_t>(capacity)},
        static_cast<std::uint32_t>(count));
    return count;
}

void World::hostNativeInit(std::uint64_t hash) {
    protocol.init(hash);
}

void World::hostNativePush(std::uint64_t value) {
    protocol.push(value);
}

HostWord* World::hostNativeCall() {
    result = {resultNoise, resultNoise, resultNoise};
    const std::optional<NativeCall> call = protocol.finish();
    if (!call) {
        return result.data();
    }
    ++nativeCalls;
    if (!requireScript(nativeName(call->hash))) {
        return result.data();
    }
    const NativeSignature* native = protocol.check(*call);
    if (native == nullptr) {
        return result.data();
    }
    HostCall& entry = lastNative;
    entry.hash = call->hash;
    entry.args = call->args;
    entry.argCount = call->argCount;
    entry.text.clear();
    entry.target = 0;
    for (int i = 0; i < native->argCount; ++i) {
        if (native->args[i] == ArgKind::Text) {
            entry.text = address<const char>(entry.args[i]);
        } else if (native->args[i] == ArgKind::HandleByAddress) {
            entry.target = *address<const EntityHandle>(entry.args[i]);
        }
    }
    answer(native->native, entry);
    entry.result = result[0];
    observe(entry, native);
    record(entry);
    return result.data();
}

} // namespace standin

namespace {
standin::World& world() {
    if (standin::activeWorld == nullptr) {
        std::fprintf(stderr, "stand-in host: called with no world\n");
        std::abort();
    }
    return *standin::activeWorld;
}
HostWord noResult[3];
} // namespace

extern "C" {
void scriptRegister(ModuleHandle module, ScriptEntry entry) {
    world().hostRegister(module, entry);
}
void scriptUnregister(ModuleHandle module) {
    // A host that is going away unregisters nothing it has no world for.
    if (standin::activeWorld != nullptr) {
        standin::activeWorld->hostUnregister(module);
    }
}
void scriptWait(HostMilliseconds milliseconds) {
    world().hostWait(milliseconds);
}
int worldGetAllObjects(int* handles, int capacity) {
    return world().hostGetAllObjects(handles, capacity);
}
void nativeInit(HostWord hash) {
    world().hostNativeInit(hash);
}
void nativePush64(HostWord value) {
    world().hostNativePush(value);
}
HostWord* nativeCall() {
    return standin::activeWorld != nullptr ? standin::activeWorld->hostNativeCall() : noResult;
}
}
