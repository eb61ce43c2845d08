// The seven host functions of the stand-in runtime, over the active world.
#include "natives/host.h"
#include "standin/world.h"

#include <cstdio>
#include <cstdlib>

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
