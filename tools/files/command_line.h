#pragma once

// A tool's arguments and output in UTF-8 on every build: on Windows the wide
// command line and the program's own path, not the ANSI code page, so that a
// name such as Дерево.ini reaches the tool and its messages as it does on Linux.

#include <filesystem>
#include <string>
#include <vector>

std::vector<std::string> commandLineArguments(int argc, char** argv);
// The folder this program lies in, by the system's word rather than argv[0].
std::string programFolder(const std::string& argv0);
// A Windows console shows the output as UTF-8.
void useUtf8Output();

// A UTF-8 path for the standard library, and back.
std::filesystem::path filePath(const std::string& utf8);
std::string utf8Path(const std::filesystem::path& path);

// Flushes standard output. When some of it did not arrive (a full disk, a
// closed pipe), says so in one line on standard error and returns false.
bool outputArrived(const char* tool);
