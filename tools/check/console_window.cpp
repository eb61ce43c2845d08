#include "tools/check/checker.h"

#include "config/config_format.h"
#include "tools/files/files.h"

std::string configToCheck(const std::filesystem::path& currentFolder,
                          const std::filesystem::path& programFolder,
                          const std::function<bool(const std::filesystem::path&)>& exists) {
    const std::filesystem::path name(ConfigFormat::fileName);
    if (!exists(currentFolder / name) && exists(programFolder / name)) {
        return utf8Path(programFolder / name);
    }
    return std::string(ConfigFormat::fileName);
}

bool waitBeforeClosing(int processesOnConsole, bool inputIsConsole, bool outputIsConsole) {
    return processesOnConsole == 1 && inputIsConsole && outputIsConsole;
}
