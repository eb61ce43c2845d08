#include "tools/sim/shipped_plugin.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <memory>
#include <windows.h>

PluginHooks shippedPlugin(const std::string& asiPath) {
    const auto module = std::make_shared<HMODULE>(nullptr);
    // The path is resolved before the run moves into the game folder.
    const std::string path = std::filesystem::absolute(asiPath).string();
    return {[module, path] {
                *module = LoadLibraryA(path.c_str());
                if (*module == nullptr) {
                    std::fprintf(stderr, "bramblecap-sim: cannot load %s (error %lu)\n",
                                 path.c_str(), GetLastError());
                    std::exit(2);
                }
            },
            [module] { FreeLibrary(*module); }};
}

std::string defaultAsiPath(const char* program) {
    return (std::filesystem::path(program).parent_path() / "BrambleCap.asi").string();
}

bool outputIsTerminal() {
    return _isatty(_fileno(stdout)) != 0;
}

void useUnixLineEnds() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
