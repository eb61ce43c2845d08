#include "tools/sim/dry_run.h"

#include "plugin/dll_main.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace {
// Stands for the module handle the loader would hand the DLL.
const auto linkedModule = reinterpret_cast<HINSTANCE>(0x180000000);
} // namespace

PluginHooks shippedPlugin(const std::string&) {
    return {[] { DllMain(linkedModule, DLL_PROCESS_ATTACH, nullptr); },
            [] { DllMain(linkedModule, DLL_PROCESS_DETACH, nullptr); }};
}

// The linked sources are the plug-in.
std::string pluginProblem(const std::string&) {
    return "";
}

std::string defaultAsiPath(const char*) {
    return "the plug-in's sources linked into this program";
}

std::string asiOptionProblem() {
    return "--asi loads a Windows .asi and works only in bramblecap-sim.exe; this build runs the "
           "plug-in's sources linked in";
}

int terminalColumns() {
    winsize size{};
    if (isatty(STDOUT_FILENO) == 0) {
        return 0;
    }
    return ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : -1;
}

void useUnixLineEnds() {}
