#include "config/config.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

// The game's paths use backslashes (".\BrambleCap.ini").
std::string hostPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

} // namespace

bool configFileExists(const std::string& path) {
    struct stat info {};
    return stat(hostPath(path).c_str(), &info) == 0;
}

// A stream opens a directory here without complaint; on the game's platform it
// does not open, and nothing must differ.
std::optional<std::string> readConfigBytes(const std::string& path) {
    const std::string local = hostPath(path);
    struct stat info {};
    if (stat(local.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return std::nullopt;
    }
    std::ifstream in(local, std::ios::binary);
    if (!in.is_open()) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeConfigBytes(const std::string& path, std::string_view bytes) {
    std::ofstream(hostPath(path), std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
