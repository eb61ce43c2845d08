#include "tools/files/user_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string systemCause() {
    return std::strerror(errno);
}

// Reads to the end, but never past the bound.
std::optional<std::string> readAll(int descriptor, std::string& cause) {
    std::string bytes;
    char block[65536];
    for (;;) {
        const ssize_t read = ::read(descriptor, block, sizeof block);
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read < 0) {
            cause = systemCause();
            return std::nullopt;
        }
        if (read == 0) {
            return bytes;
        }
        bytes.append(block, static_cast<std::size_t>(read));
        if (bytes.size() > largestUserFile) {
            cause = "larger than 16 MB";
            return std::nullopt;
        }
    }
}

bool writeAll(int descriptor, std::string_view bytes, std::string& cause) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            cause = written < 0 ? systemCause() : "nothing written";
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::optional<std::string> readUserFile(const std::string& path, std::string& cause) {
    // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer, and is then refused.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        cause = systemCause();
        return std::nullopt;
    }
    struct stat info {};
    std::optional<std::string> bytes;
    if (fstat(descriptor, &info) != 0) {
        cause = systemCause();
    } else if (S_ISDIR(info.st_mode)) {
        cause = "is a directory";
    } else if (!S_ISREG(info.st_mode)) {
        cause = "not a regular file";
    } else if (static_cast<std::uintmax_t>(info.st_size) > largestUserFile) {
        cause = "larger than 16 MB";
    } else {
        bytes = readAll(descriptor, cause);
    }
    ::close(descriptor);
    return bytes;
}

PathKind pathKind(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        return errno == ENOENT ? PathKind::Missing : PathKind::Other;
    }
    return S_ISLNK(info.st_mode)   ? PathKind::Link
           : S_ISDIR(info.st_mode) ? PathKind::Folder
           : S_ISREG(info.st_mode) ? PathKind::File
                                   : PathKind::Other;
}

bool removeOwnFile(const std::string& path, std::string& cause) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        cause = systemCause();
        return errno == ENOENT;
    }
    if (!S_ISREG(info.st_mode)) {
        cause = S_ISLNK(info.st_mode) ? "is a link" : "not a regular file";
        return false;
    }
    // unlink removes a link itself, should one have taken the file's place.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        cause = systemCause();
        return false;
    }
    return true;
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

bool replaceFile(const std::string& path, std::string_view bytes, std::string& cause) {
    const std::string temporary = path + std::string(temporarySuffix) + std::to_string(getpid());
    const int descriptor =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        cause = systemCause();
        return false;
    }
    // A full disk may show only at fsync or close; the rename waits for both.
    bool written = writeAll(descriptor, bytes, cause);
    if (written && fsync(descriptor) != 0) {
        cause = systemCause();
        written = false;
    }
    if (::close(descriptor) != 0 && written) {
        cause = systemCause();
        written = false;
    }
    if (written && std::rename(temporary.c_str(), path.c_str()) != 0) {
        cause = systemCause();
        written = false;
    }
    if (!written) {
        ::unlink(temporary.c_str());
    }
    return written;
}
