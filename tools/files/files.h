#pragma once

// How the tools meet the system: their arguments and output, a user's files
// read and written safely, paths shown safely, and the one folder they own.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A tool's arguments and output in UTF-8 on every build: on Windows the wide
// command line and the program's own path, not the ANSI code page, so that a
// name such as Дерево.ini reaches the tool and its messages as it does on Linux.
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

// A user's files as the tools touch them: read only when they are regular
// files of a sane size, and written only by whole replacement, so that nothing
// is ever half-written. Paths are UTF-8 on every build.

// Far beyond any INI, world or route a player keeps; past it a file is refused
// rather than read until memory runs out.
inline constexpr std::uintmax_t largestUserFile = std::uintmax_t{16} << 20;

// The bytes of a regular file of at most largestUserFile bytes; or nothing,
// with `cause` in words: "No such file or directory", "is a directory", "not a
// regular file", "larger than 16 MB", the system's own, or the rule of
// windowsPathProblem the path breaks. A FIFO or device is refused at once,
// never waited on.
std::optional<std::string> readUserFile(const std::string& path, std::string& cause);

// What a path names; a link is a link, whatever it points at.
enum class PathKind { Missing, File, Folder, Link, Other };
PathKind pathKind(const std::string& path);

// Removes the regular file at `path`, if there is one; never a link's target,
// nor anything but a file. False with `cause` if something else is there.
bool removeOwnFile(const std::string& path, std::string& cause);

// Replaces the file at `path` (a link there is replaced, never followed) with
// `bytes`: written to a temporary file in the same folder (the path, this
// suffix and the process's number), flushed to the disk, then renamed over.
// On failure nothing new stays and `cause` says why.
inline constexpr std::string_view temporarySuffix = ".partial-";
bool replaceFile(const std::string& path, std::string_view bytes, std::string& cause);

// Files that look like plain text in an editor but are not to a reader of
// bytes that splits lines at LF: saved as UTF-16, or with an old Mac editor's
// CR-only line ends. The checker and the dry run's CSV readers name them in
// the same words, each naming who reads the file.
struct TextReader {
    const char* who;    // "the plug-in"
    const char* finds;  // all it finds in such a file: "no setting and no model"
    const char* saveAs; // how to save the file as plain text instead
};
// What such a file is and how to save it right, in one line that starts with
// `file` as the message shows it; nothing for a file of plain text lines.
std::optional<std::string> misreadTextForm(std::string_view bytes, const std::string& file,
                                           const TextReader& reader);

// A path as a message shows it: exactly the name given, with every byte that a
// terminal would act on or that is not text (control bytes, ESC, broken UTF-8)
// escaped as config/text.h escapes the INI's contents; marks that turn
// the text's direction as \u202E. Names in UTF-8
// (Jürgen, Дерево.ini) stay as they are, on every build.

std::string shownPath(std::string_view path);

// Why Windows would not take a path as written, in words that name the rule:
// it would drop a blank or dot at a name's end, open a device (CON, NUL.txt,
// COM1), take "C:od" from drive C:'s current folder, or hold a name it allows
// in none; a path after \\?\, \\.\ or //./ names no drive's folder, or one
// after \\?\ is not written as Windows takes it there, exactly. Empty when it
// would; always empty on Linux, where all of these are names like any other.
std::string windowsPathProblem(const std::string& path);

// The folder a tool writes into, and only its own outputs there: a folder
// that is new, empty, or marked as the tool's by a small file of its own.
// Anything else is refused before anything is written, and so is a link
// where an output or its subfolder goes, or an output that is one of the
// run's own inputs under another spelling.

struct OwnedFolder {
    std::string path;                 // UTF-8, as the user gave it
    std::string option;               // the option that named it, for messages
    std::string markName;             // the tool's mark inside it
    std::string markText;             // what the mark says to a person who opens it
    std::vector<std::string> outputs; // paths inside it, "/" between folders
};

struct NamedInput {
    std::string option, path;
};

// The folder a user named as the tools show it and join its outputs onto:
// "/" between names, doubled ones folded, none at the end; after \\?\ as
// written, but for a "\" at the end.
std::string ownedFolderPath(const std::string& given);
// Why the outputs may not go there, in one line that says how to proceed; or
// empty. Writes nothing.
std::string ownedFolderProblem(const OwnedFolder& folder, const std::vector<NamedInput>& inputs);
// Makes and marks the folder, then makes the outputs' subfolders and removes
// the outputs a former run left, and the temporary files of one that was
// killed; false with the cause.
bool claimOwnedFolder(const OwnedFolder& folder, std::string& cause);
// Holds the folder against other runs into it for as long as this process
// lives: a lock on a file of the tool's own there (the mark's name and
// ".lock"), which the system lets go however the process ends, so that a run
// killed outright never blocks the next. Makes the folder, and marks a folder
// without a mark, before the lock: another run then finds the folder the
// tool's and is told it is in use. Why it cannot, in one line; or empty.
std::string holdOwnedFolder(const OwnedFolder& folder);
// An output's path, as messages show it and the system opens it.
std::string outputPath(const OwnedFolder& folder, const std::string& output);
