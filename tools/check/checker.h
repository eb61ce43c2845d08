#pragma once

// bramblecap-check as its main and its tests use it: which file it reads, how
// it reads it, and how it shows the verdict on each line.

#include "config/explain.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

struct CheckOptions {
    // Which lines are shown: every one; only those with warnings; or, in a
    // console window of the checker's own, only those and then how to see the
    // rest, so that what to do stays in view above "Press Enter".
    enum class View { EveryLine, Problems, OwnWindow } view = View::EveryLine;
    bool details = false; // hashes, bytes and how numbers read, for modders
};

// Reads the named file, exactly that one, as a user's file is read (a regular
// file of at most 16 MB), and shows the verdict on it. Returns the checker's
// exit status: 0 when nothing is warned of, 1 with warnings; a file that
// cannot be read gives one line on `errors` naming it, the cause and any file
// of a near name beside it, and 2.
int checkFile(const std::string& path, const CheckOptions& options, std::ostream& out,
              std::ostream& errors);

// Shows the verdict on a file, headed by `name`; returns 0 or 1 as checkFile.
int showVerdict(const std::string& name, const FileVerdict& verdict, const CheckOptions& options,
                std::ostream& out);

// Files named almost as the one the player meant: what makes `name` another
// file than `wanted` ("BrambleCap.ini.txt": Explorer hides its ending
// ".txt"), or nothing for `wanted` itself and for unrelated names.
std::optional<std::string> nearName(std::string_view name, std::string_view wanted);
// "; FOLDER holds "a" (why) and "b" (why): rename ... to WANTED", for the near
// names of `wanted` among `names`; empty when there are none.
std::string nearNamesNote(const std::string& folder, const std::vector<std::string>& names,
                          std::string_view wanted);

// The checker as players start it from Explorer: double-clicked in the game
// folder, or with a file dropped on it, in a console window of its own.
//
// The names of the files in a folder, UTF-8; none when it cannot be read.
using FolderNames = std::function<std::vector<std::string>(const std::filesystem::path&)>;
std::vector<std::string> namesInFolder(const std::filesystem::path& folder);
// The file to check when none is named: BrambleCap.ini (in any letter case, as
// Windows finds it) in the current folder, or else the one beside the program.
// When neither folder has it, nothing, and `missing` says where the checker
// looked and names any near name it saw there.
std::optional<std::string> configToCheck(const std::filesystem::path& currentFolder,
                                         const std::filesystem::path& programFolder,
                                         const FolderNames& namesIn, std::string& missing);
// Whether to wait for Enter before ending: only when the console window is the
// program's own (no other process is attached to it) and both input and output
// are that console. From a command prompt, a script or a pipe it never waits.
bool waitBeforeClosing(int processesOnConsole, bool inputIsConsole, bool outputIsConsole);
// The decision for this process; never on Linux.
bool consoleWindowClosesOnExit();
