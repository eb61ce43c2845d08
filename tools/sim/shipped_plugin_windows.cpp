#include "tools/sim/dry_run.h"

#include "standin/world.h"
#include "tools/files/files.h"
#include "tools/files/wide_text_windows.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <memory>

namespace {

// The loader's refusals in words; the rest in the system's.
std::string loadCause(DWORD error) {
    switch (error) {
    case ERROR_BAD_EXE_FORMAT:
        return "not a Windows DLL";
    case ERROR_MOD_NOT_FOUND:
        return "a DLL it needs is missing";
    default:
        return systemCause(error);
    }
}

HMODULE load(const std::string& path, std::string& cause) {
    const PathKind kind = pathKind(path);
    if (kind == PathKind::Missing || kind == PathKind::Folder) {
        cause = kind == PathKind::Missing ? "No such file or directory" : "is a directory";
        return nullptr;
    }
    const HMODULE module = LoadLibraryW(wideText(path).c_str());
    if (module == nullptr) {
        cause = loadCause(GetLastError());
    }
    return module;
}

std::string absolute(const std::string& path) {
    return utf8Path(std::filesystem::absolute(filePath(path)));
}

} // namespace

std::string pluginProblem(const std::string& asiPath) {
    // Loaded as named or not at all: Windows would load "x.asi " as "x.asi".
    std::string cause = windowsPathProblem(asiPath);
    if (!cause.empty()) {
        return "cannot load " + shownPath(asiPath) + ": " + cause;
    }
    // A world of its own for the plug-in to register with, and leave again.
    standin::World probe;
    const HMODULE module = load(absolute(asiPath), cause);
    if (module == nullptr) {
        return "cannot load " + shownPath(asiPath) + ": " + cause;
    }
    const bool registered = probe.scriptRegistered();
    FreeLibrary(module);
    return registered ? ""
                      : shownPath(asiPath) + " registers no script with the host: it is not "
                                             "the plug-in";
}

PluginHooks shippedPlugin(const std::string& asiPath) {
    const auto module = std::make_shared<HMODULE>(nullptr);
    // The path is resolved before the run moves into the game folder.
    const std::string path = absolute(asiPath);
    return {[module, path, asiPath] {
                std::string cause;
                *module = load(path, cause);
                if (*module == nullptr) {
                    std::fprintf(stderr, "bramblecap-sim: cannot load %s: %s\n",
                                 shownPath(asiPath).c_str(), cause.c_str());
                    std::exit(2);
                }
            },
            [module] { FreeLibrary(*module); }};
}

std::string defaultAsiPath(const char*) {
    return utf8Path(filePath(programFolder("")) / "BrambleCap.asi");
}

std::string asiOptionProblem() {
    return "";
}

int terminalColumns() {
    CONSOLE_SCREEN_BUFFER_INFO screen{};
    if (_isatty(_fileno(stdout)) == 0) {
        return 0;
    }
    return GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &screen)
               ? screen.srWindow.Right - screen.srWindow.Left + 1
               : -1;
}

void useUnixLineEnds() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
