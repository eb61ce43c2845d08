#pragma once

// The checker as players start it from Explorer: double-clicked in the game
// folder, or with a file dropped on it, in a console window of its own.

#include <filesystem>
#include <functional>
#include <string>

// The file to check when none is named: BrambleCap.ini in the current folder,
// or else the one beside the program; when neither exists, the first, so that
// the error names it. Paths are UTF-8.
std::string configToCheck(const std::filesystem::path& currentFolder,
                          const std::filesystem::path& programFolder,
                          const std::function<bool(const std::filesystem::path&)>& exists);

// Whether to wait for Enter before ending: only when the console window is the
// program's own (no other process is attached to it) and both input and output
// are that console. From a command prompt, a script or a pipe it never waits.
bool waitBeforeClosing(int processesOnConsole, bool inputIsConsole, bool outputIsConsole);
// The decision for this process; never on Linux.
bool consoleWindowClosesOnExit();
