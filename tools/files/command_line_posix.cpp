#include "tools/files/command_line.h"

// Arguments arrive as the bytes typed, UTF-8 on any current system.
std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return {argv, argv + argc};
}

std::string programFolder(const std::string& argv0) {
    return utf8Path(std::filesystem::absolute(filePath(argv0)).parent_path());
}

void useUtf8Output() {}
