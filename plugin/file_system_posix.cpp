#include "plugin/file_system.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

// The game's paths use backslashes (".\BrambleCap.ini").
std::string hostPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool isDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool configFileExists(const std::string& path) {
    struct stat info {};
    return stat(hostPath(path).c_str(), &info) == 0;
}

// A stream opens a directory here without complaint; on the game's platform it
// does not open, and nothing must differ.
bool openConfigForReading(std::ifstream& in, const std::string& path) {
    const std::string local = hostPath(path);
    if (isDirectory(local)) {
        return false;
    }
    in.open(local, std::ios::in | std::ios::binary);
    return in.is_open();
}

void openConfigForWriting(std::ofstream& out, const std::string& path) {
    out.open(hostPath(path), std::ios::out | std::ios::trunc | std::ios::binary);
}
