#pragma once

// A user's files as the tools touch them: read only when they are regular
// files of a sane size, and written only by whole replacement, so that nothing
// is ever half-written. Paths are UTF-8 on every build.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Far beyond any INI, world or route a player keeps; past it a file is refused
// rather than read until memory runs out.
inline constexpr std::uintmax_t largestUserFile = std::uintmax_t{16} << 20;

// The bytes of a regular file of at most largestUserFile bytes; or nothing,
// with `cause` in words: "No such file or directory", "is a directory", "not a
// regular file", "larger than 16 MB", or the system's own. A FIFO or device is
// refused at once, never waited on.
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
