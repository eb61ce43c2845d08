// The shipped BrambleCap.asi, loaded by the Windows loader into the process
// that holds the stand-in ScriptHookV.dll: every load starts from the
// plug-in's own static initial state.
#include "../behaviour/plugin_test.h"

#include <filesystem>
#include <windows.h>

namespace {

HMODULE module = nullptr;

std::string besideThisProgram(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return (std::filesystem::path(path).parent_path() / name).string();
}

} // namespace

void attachPlugin() {
    module = LoadLibraryA(besideThisProgram("BrambleCap.asi").c_str());
    ASSERT_NE(module, nullptr) << "LoadLibrary failed: " << GetLastError();
}

void detachPlugin() {
    if (module != nullptr) {
        FreeLibrary(module);
        module = nullptr;
    }
}

ModuleHandle pluginModule() {
    return reinterpret_cast<ModuleHandle>(module);
}
