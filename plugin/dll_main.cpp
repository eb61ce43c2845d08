#include "plugin/dll_main.h"

#include "natives/host.h"
#include "plugin/plugin.h"

// Runs under the loader lock: registration only, no native, no table.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        scriptRegister(module, scriptMain);
    } else if (reason == DLL_PROCESS_DETACH) {
        scriptUnregister(module);
    }
    return TRUE;
}
