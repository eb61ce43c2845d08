#include "tools/check/console_window.h"

#include "config/config_format.h"

std::string configToCheck(const std::filesystem::path& currentFolder,
                          const std::filesystem::path& programFolder,
                          const std::function<bool(const std::filesystem::path&)>& exists) {
    const std::filesystem::path name(ConfigFormat::fileName);
    if (!exists(currentFolder / name) && exists(programFolder / name)) {
        return (programFolder / name).string();
    }
    return name.string();
}

std::filesystem::path programFolder(const char* argv0) {
    return std::filesystem::absolute(argv0).parent_path();
}

bool waitBeforeClosing(int processesOnConsole, bool inputIsConsole, bool outputIsConsole) {
    return processesOnConsole == 1 && inputIsConsole && outputIsConsole;
}
