#include "tools/files/owned_folder.h"

#include "tools/files/command_line.h"
#include "tools/files/shown_path.h"
#include "tools/files/user_file.h"

#include <filesystem>
#include <system_error>

namespace {

// The output and each folder above it inside the owned folder, outermost first.
std::vector<std::string> steps(const std::string& output) {
    std::vector<std::string> found;
    for (auto slash = output.find('/'); slash != std::string::npos;
         slash = output.find('/', slash + 1)) {
        found.push_back(output.substr(0, slash));
    }
    found.push_back(output);
    return found;
}

bool isEmptyFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_empty(filePath(path), error) && !error;
}

// Whether `name` is a temporary file replaceFile made for `own` in a run that
// was stopped before it could rename or remove it.
bool isLeftover(std::string_view name, std::string_view own) {
    if (!name.starts_with(own) || !name.substr(own.size()).starts_with(temporarySuffix)) {
        return false;
    }
    const std::string_view number = name.substr(own.size() + temporarySuffix.size());
    return !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
}

// Removes the temporary files of the folder's own files that runs killed
// mid-write left, regular files only.
bool removeLeftovers(const OwnedFolder& folder, std::string& cause) {
    std::vector<std::string> own = folder.outputs;
    own.push_back(folder.markName);
    for (const std::string& output : own) {
        const auto slash = output.rfind('/');
        const std::string inside = slash == std::string::npos ? "" : output.substr(0, slash + 1);
        std::error_code error;
        for (const auto& entry :
             std::filesystem::directory_iterator(filePath(outputPath(folder, inside)), error)) {
            const std::string name = utf8Path(entry.path().filename());
            const std::string path = outputPath(folder, inside + name);
            if (isLeftover(name, output.substr(inside.size())) &&
                pathKind(path) == PathKind::File && !removeOwnFile(path, cause)) {
                cause = shownPath(path) + ": " + cause;
                return false;
            }
        }
    }
    return true;
}

} // namespace

std::string outputPath(const OwnedFolder& folder, const std::string& output) {
    std::string path = folder.path;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path + output;
}

std::string ownedFolderProblem(const OwnedFolder& folder, const std::vector<NamedInput>& inputs) {
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
        !isEmptyFolder(folder.path)) {
        return named + "the folder holds files this program did not make (it marks its own with " +
               folder.markName + "); choose a new or empty folder";
    }
    for (const std::string& output : folder.outputs) {
        const auto path = steps(output);
        for (std::size_t i = 0; i < path.size(); ++i) {
            const std::string at = outputPath(folder, path[i]);
            const PathKind kind = pathKind(at);
            const PathKind wanted = i + 1 < path.size() ? PathKind::Folder : PathKind::File;
            if (kind == PathKind::Link) {
                return named + shownPath(at) + " is a link, and no link is followed out of the " +
                       "folder; remove it or choose a new folder";
            }
            if (kind != PathKind::Missing && kind != wanted) {
                return named + shownPath(at) + " is in the way; remove it or choose a new folder";
            }
        }
        const auto written = fileIdentity(outputPath(folder, output));
        for (const NamedInput& input : inputs) {
            if (written && fileIdentity(input.path) == written) {
                return input.option + " " + shownPath(input.path) + " is " +
                       shownPath(outputPath(folder, output)) +
                       ", which every run replaces; copy it out of " + shownPath(folder.path) +
                       " and name the copy";
            }
        }
    }
    return "";
}

bool claimOwnedFolder(const OwnedFolder& folder, std::string& cause) {
    std::error_code error;
    std::filesystem::create_directories(filePath(folder.path), error);
    for (const std::string& output : folder.outputs) {
        const auto path = steps(output);
        for (std::size_t i = 0; !error && i + 1 < path.size(); ++i) {
            std::filesystem::create_directory(filePath(outputPath(folder, path[i])), error);
        }
    }
    if (error) {
        cause = error.message();
        return false;
    }
    if (!removeLeftovers(folder, cause) ||
        !replaceFile(outputPath(folder, folder.markName), folder.markText, cause)) {
        return false;
    }
    for (const std::string& output : folder.outputs) {
        if (!removeOwnFile(outputPath(folder, output), cause)) {
            cause = shownPath(outputPath(folder, output)) + ": " + cause;
            return false;
        }
    }
    return true;
}
