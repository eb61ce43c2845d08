#include "tools/files/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

std::filesystem::path filePath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Path(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool outputArrived(const char* tool) {
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    const int cause = errno;
    if (flushed && !std::ferror(stdout) && std::cout.good()) {
        return true;
    }
    std::fprintf(stderr, "%s: cannot write to standard output: %s\n", tool,
                 cause != 0 ? std::strerror(cause) : "some of it was lost");
    return false;
}
