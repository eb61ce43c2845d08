#include "plugin/file_system.h"

#include <windows.h>

bool configFileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool openConfigForReading(std::ifstream& in, const std::string& path) {
    in.open(path, std::ios::in | std::ios::binary);
    return in.is_open();
}

void openConfigForWriting(std::ofstream& out, const std::string& path) {
    out.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
}
