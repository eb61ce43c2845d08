// The plug-in's sources linked into the test: the loader is DllMain, and a
// fresh load is tables put back to their load-time state.
#include "../behaviour/plugin_test.h"
#include "plugin/dll_main.h"
#include "plugin/plugin.h"

namespace {
// Stands for the module handle the loader would hand the DLL.
const auto linkedModule = reinterpret_cast<HINSTANCE>(0x7FF612340000);
} // namespace

void attachPlugin() {
    resetPluginTables();
    EXPECT_EQ(DllMain(linkedModule, DLL_PROCESS_ATTACH, nullptr), TRUE);
}

void detachPlugin() {
    EXPECT_EQ(DllMain(linkedModule, DLL_PROCESS_DETACH, nullptr), TRUE);
}

ModuleHandle pluginModule() {
    return linkedModule;
}
