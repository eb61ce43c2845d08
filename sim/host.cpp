// The seven host functions of the stand-in runtime, over the active world.
#include "natives/host.h"
#include "sim/world.h"

#include <cstdio>
#include <cstdlib>

namespace {
sim::World& world() {
    if (sim::activeWorld == nullptr) {
        std::fprintf(stderr, "stand-in host: called with no world\n");
        std::abort();
    }
    return *sim::activeWorld;
}
HostWord noResult[3];
} // namespace

extern "C" {
void scriptRegister(ModuleHandle module, ScriptEntry entry) {
    world().hostRegister(module, entry);
}
void scriptUnregister(ModuleHandle module) {
    // A host that is going away unregisters nothing it has no world for.
    if (sim::activeWorld != nullptr) {
        sim::activeWorld->hostUnregister(module);
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
    return sim::activeWorld != nullptr ? sim::activeWorld->hostNativeCall() : noResult;
}
}
