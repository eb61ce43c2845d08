#pragma once

// bramblecap-check as its main and its tests use it: which file it reads, how
// it reads it, and what it says of each line.

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

struct CheckOptions {
    bool problemsOnly = false; // only the lines with warnings, and the summary
};

// Reads the named file, exactly that one, as a user's file is read (a regular
// file of at most 16 MB), and explains it. Returns the checker's exit status;
// a file that cannot be read gives one line on `errors` naming it and the
// cause, and 2.
int checkFile(const std::string& path, const CheckOptions& options, std::ostream& out,
              std::ostream& errors);

// Explains a configuration file's bytes line by line as the plug-in will read
// them, and warns of every line that has no effect or reads otherwise than it
// looks; `name` heads the explanation. Returns the checker's exit status: 0
// when every content line takes effect as written, 1 when there are warnings.
int explainConfig(const std::string& name, std::string_view bytes, const CheckOptions& options,
                  std::ostream& out);

// What the checker says of a value that reads otherwise than a player would
// expect. A number field that holds no number, or text after its number. Where a
// comma cannot separate fields, "80,5" is taken as a decimal comma.
std::optional<std::string> numberTextWarning(std::string_view text, const std::string& field,
                                             bool commaSeparates);
// Radii the plug-in takes as they are, but a player would hardly mean.
std::optional<std::string> radiusWarning(float radius);
// A true/false value that turns `what` off without saying so plainly.
std::optional<std::string> trueFalseWarning(std::string_view value, bool on, std::string_view what);

// The checker as players start it from Explorer: double-clicked in the game
// folder, or with a file dropped on it, in a console window of its own.
//
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
