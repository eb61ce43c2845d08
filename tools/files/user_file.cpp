#include "tools/files/files.h"

#include "tools/files/system_file.h"

namespace {

constexpr const char* tooLarge = "larger than 16 MB";

// Whether a system call succeeded; if not, `cause` says why.
bool succeeded(bool call, std::string& cause) {
    if (!call) {
        cause = lastSystemCause();
    }
    return call;
}

// Reads to the end, but never past the bound.
std::optional<std::string> readAll(SystemFile file, std::string& cause) {
    std::string bytes;
    char block[65536];
    for (;;) {
        const long long read = readSome(file, block, sizeof block);
        if (!succeeded(read >= 0, cause)) {
            return std::nullopt;
        }
        if (read == 0) {
            return bytes;
        }
        bytes.append(block, static_cast<std::size_t>(read));
        if (bytes.size() > largestUserFile) {
            cause = tooLarge;
            return std::nullopt;
        }
    }
}

bool writeAll(SystemFile file, std::string_view bytes, std::string& cause) {
    while (!bytes.empty()) {
        const long long written = writeSome(file, bytes.data(), bytes.size());
        if (written <= 0) {
            cause = written < 0 ? lastSystemCause() : "nothing written";
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::optional<std::string> readUserFile(const std::string& path, std::string& cause) {
    // Read as named or not at all: Windows would open "x.ini " as "x.ini".
    cause = windowsPathProblem(path);
    if (!cause.empty()) {
        return std::nullopt;
    }
    const SystemFile file = openToRead(path);
    if (!succeeded(file != noFile, cause)) {
        return std::nullopt;
    }
    PathKind kind = PathKind::Other;
    std::uintmax_t size = 0;
    std::optional<std::string> bytes;
    if (!describeFile(file, kind, size)) {
        cause = lastSystemCause();
    } else if (kind == PathKind::Folder) {
        cause = "is a directory";
    } else if (kind != PathKind::File) {
        cause = "not a regular file";
    } else if (size > largestUserFile) {
        cause = tooLarge;
    } else {
        bytes = readAll(file, cause);
    }
    closeFile(file);
    return bytes;
}

bool removeOwnFile(const std::string& path, std::string& cause) {
    const PathKind kind = pathKind(path);
    if (kind == PathKind::File) {
        return succeeded(removeEntry(path), cause);
    }
    cause = kind == PathKind::Link     ? "is a link"
            : kind == PathKind::Folder ? "is a directory"
                                       : "not a regular file";
    return kind == PathKind::Missing;
}

bool replaceFile(const std::string& path, std::string_view bytes, std::string& cause) {
    const std::string temporary =
        path + std::string(temporarySuffix) + std::to_string(processNumber());
    const SystemFile file = createNew(temporary);
    if (!succeeded(file != noFile, cause)) {
        return false;
    }
    // A full disk may show only at the flush or the close; the rename waits for both.
    bool written = writeAll(file, bytes, cause) && succeeded(flushToDisk(file), cause);
    const bool closed = closeFile(file);
    written = written && succeeded(closed, cause) && succeeded(renameOver(temporary, path), cause);
    if (!written) {
        removeEntry(temporary);
    }
    return written;
}
