#include "tools/files/files.h"

#include "tools/files/system_file.h"

#include <filesystem>
#include <system_error>

namespace {

// "\" on Windows, where the system reads "/" as well.
constexpr char systemSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

// A Windows path after \\?\ is taken exactly as written: "\" alone parts its
// names. Elsewhere the system reads "/" as the tools write it.
bool verbatim(std::string_view path) {
    return systemSeparator == '\\' && path.starts_with(R"(\\?\)");
}

// What parts the names of a path on this system.
constexpr char separators[] = {'/', systemSeparator, '\0'};

// Makes the folders missing on the way to `path` and the folder itself, each
// by its own spelling: the standard library's walk up a \\?\ path loses it
// at the drive, and up "Q:\x" misnames a missing drive.
bool makeFolders(const std::string& path, std::string& cause) {
    std::vector<std::string> missing;
    for (std::string at = path; !at.empty() && pathKind(at) == PathKind::Missing;) {
        missing.push_back(at);
        const std::size_t up = at.find_last_of(separators);
        at.resize(up == std::string::npos ? 0 : up);
    }
    for (auto at = missing.rbegin(); at != missing.rend(); ++at) {
        std::error_code error;
        std::filesystem::create_directory(filePath(*at), error);
        if (error) {
            cause = error.message();
            return false;
        }
    }
    return true;
}

// Why the path to an output is not the tool's to write: a link or something
// else at the output or at a folder on the way there; or empty.
std::string pathProblem(const OwnedFolder& folder, const std::string& output) {
    for (auto slash = output.find('/');; slash = output.find('/', slash + 1)) {
        const std::string at = outputPath(folder, output.substr(0, slash));
        const PathKind kind = pathKind(at);
        if (kind == PathKind::Link) {
            return shownPath(at) + " is a link, and no link is followed out of the folder; " +
                   "remove it or choose a new folder";
        }
        const PathKind wanted = slash == std::string::npos ? PathKind::File : PathKind::Folder;
        if (kind != PathKind::Missing && kind != wanted) {
            return shownPath(at) + " is in the way; remove it or choose a new folder";
        }
        if (kind == PathKind::File && openElsewhere(at)) {
            return shownPath(at) + " is open in another program; close it and run again";
        }
        if (slash == std::string::npos) {
            return "";
        }
    }
}

// Removes the temporary files of `own` that runs killed mid-write left,
// regular files only.
bool removeLeftovers(const OwnedFolder& folder, const std::string& own, std::string& cause) {
    const std::string inside = own.substr(0, own.rfind('/') + 1); // "" for the folder itself
    const std::string leftover = own.substr(inside.size()) + std::string(temporarySuffix);
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(filePath(outputPath(folder, inside)), error)) {
        const std::string name = utf8Path(entry.path().filename());
        const std::string path = outputPath(folder, inside + name);
        const bool numbered =
            name.size() > leftover.size() && name.starts_with(leftover) &&
            name.find_first_not_of("0123456789", leftover.size()) == std::string::npos;
        if (numbered && pathKind(path) == PathKind::File && !removeOwnFile(path, cause)) {
            cause = shownPath(path) + ": " + cause;
            return false;
        }
    }
    return true;
}

} // namespace

std::string ownedFolderPath(const std::string& given) {
    const char separator = verbatim(given) ? '\\' : '/';
    std::string path;
    for (char c : given) {
        c = c == systemSeparator && separator == '/' ? '/' : c;
        // Doubled separators fold, but for the two that open \\server and \\.\ paths.
        if (c != separator || path.size() < 2 || path.back() != separator) {
            path += c;
        }
    }
    // A drive's root keeps its separator: "C:" alone is the drive's current folder.
    while (path.size() > 1 && path.back() == separator && path[path.size() - 2] != ':') {
        path.pop_back(); // so that its outputs read "OUT/map.svg"
    }
    return path;
}

std::string outputPath(const OwnedFolder& folder, const std::string& output) {
    const char separator = verbatim(folder.path) ? '\\' : '/';
    std::string path = folder.path;
    if (!path.empty() && path.back() != separator) {
        path += separator;
    }
    for (const char c : output) {
        path += c == '/' ? separator : c;
    }
    return path;
}

std::string holdOwnedFolder(const OwnedFolder& folder) {
    std::string cause;
    const std::string mark = outputPath(folder, folder.markName);
    bool busy = false;
    if (makeFolders(folder.path, cause) &&
        (pathKind(mark) == PathKind::File || replaceFile(mark, folder.markText, cause))) {
        if (lockForLife(outputPath(folder, folder.markName + ".lock"), busy)) {
            return "";
        }
        cause = lastSystemCause();
    }
    return busy ? folder.option + " " + shownPath(folder.path) +
                      ": another run is using the folder; let it end, or choose another folder"
                : "cannot create " + shownPath(folder.path) + ": " + cause;
}

std::string ownedFolderProblem(const OwnedFolder& folder, const std::vector<NamedInput>& inputs) {
    if (const std::string rule = windowsPathProblem(folder.path); !rule.empty()) {
        return folder.option + " \"" + shownPath(folder.path) + "\": " + rule;
    }
    const std::string named = folder.option + " " + shownPath(folder.path) + ": ";
    std::error_code error;
    const auto status = std::filesystem::status(filePath(folder.path), error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return "";
    }
    if (status.type() != std::filesystem::file_type::directory) {
        return named + "not a folder; choose a new folder";
    }
    if (pathKind(outputPath(folder, folder.markName)) != PathKind::File &&
        !(std::filesystem::is_empty(filePath(folder.path), error) && !error)) {
        return named + "the folder holds files this program did not make (it marks its own with " +
               folder.markName + "); choose a new or empty folder";
    }
    for (const std::string& output : folder.outputs) {
        if (std::string problem = pathProblem(folder, output); !problem.empty()) {
            return named + problem;
        }
        const std::string written = outputPath(folder, output);
        for (const NamedInput& input : inputs) {
            // The same file under any spelling, by the system's word.
            if (std::filesystem::equivalent(filePath(input.path), filePath(written), error)) {
                return input.option + " " + shownPath(input.path) + " is " + shownPath(written) +
                       ", which every run replaces; copy it out of " + shownPath(folder.path) +
                       " and name the copy";
            }
        }
    }
    return "";
}

bool claimOwnedFolder(const OwnedFolder& folder, std::string& cause) {
    cause = windowsPathProblem(folder.path);
    if (!cause.empty()) {
        return false;
    }
    // The mark first: a run killed at any later step leaves a folder that is
    // the tool's.
    std::vector<std::string> own{folder.markName};
    own.insert(own.end(), folder.outputs.begin(), folder.outputs.end());
    for (const std::string& file : own) {
        const std::string path = outputPath(folder, file);
        if (!makeFolders(path.substr(0, path.find_last_of(separators)), cause)) {
            return false;
        }
        if (!removeLeftovers(folder, file, cause)) {
            return false;
        }
        const bool claimed = file == folder.markName ? replaceFile(path, folder.markText, cause)
                                                     : removeOwnFile(path, cause);
        if (!claimed) {
            cause = shownPath(path) + ": " + cause;
            return false;
        }
    }
    return true;
}
