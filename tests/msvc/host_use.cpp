// One use of each host function, compiled for the Visual C++ ABI with nothing
// but the plug-in's own declarations: the undefined symbols must be the
// host's exported names.
#include "natives/host.h"

void useEveryHostFunction() {
    scriptRegister(nullptr, nullptr);
    scriptUnregister(nullptr);
    scriptWait(0);
    int handles[1];
    worldGetAllObjects(handles, 1);
    nativeInit(0);
    nativePush64(0);
    nativeCall();
}
