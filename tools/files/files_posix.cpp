// The POSIX side of the tools' files: the calls of system_file.h, and the
// arguments as typed.
#include "tools/files/system_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

PathKind kindOf(mode_t mode) {
    return S_ISLNK(mode)   ? PathKind::Link
           : S_ISDIR(mode) ? PathKind::Folder
           : S_ISREG(mode) ? PathKind::File
                           : PathKind::Other;
}

} // namespace

std::string lastSystemCause() {
    return std::strerror(errno);
}

SystemFile openToRead(const std::string& path) {
    // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer, and is then refused.
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

SystemFile createNew(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

bool describeFile(SystemFile file, PathKind& kind, std::uintmax_t& size) {
    struct stat info {};
    if (fstat(static_cast<int>(file), &info) != 0) {
        return false;
    }
    kind = kindOf(info.st_mode);
    size = static_cast<std::uintmax_t>(info.st_size);
    return true;
}

long long readSome(SystemFile file, char* buffer, std::size_t size) {
    ssize_t read = 0;
    do {
        read = ::read(static_cast<int>(file), buffer, size);
    } while (read < 0 && errno == EINTR);
    return read;
}

long long writeSome(SystemFile file, const char* bytes, std::size_t size) {
    ssize_t written = 0;
    do {
        written = ::write(static_cast<int>(file), bytes, size);
    } while (written < 0 && errno == EINTR);
    return written;
}

bool flushToDisk(SystemFile file) {
    return fsync(static_cast<int>(file)) == 0;
}

bool closeFile(SystemFile file) {
    return ::close(static_cast<int>(file)) == 0;
}

bool renameOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool removeEntry(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool openElsewhere(const std::string&) {
    return false;
}

bool lockForLife(const std::string& path, bool& busy) {
    const int file = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    // A lock of the kind Wine takes for a Windows lock, so that the .exe and
    // this build keep out of each other's way too. The descriptor stays open:
    // closing it would let go.
    if (file < 0 || fcntl(file, F_SETLK, &whole) == 0) {
        return file >= 0;
    }
    busy = errno == EACCES || errno == EAGAIN;
    const int cause = errno;
    ::close(file);
    errno = cause;
    return false;
}

unsigned long processNumber() {
    return static_cast<unsigned long>(getpid());
}

PathKind pathKind(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        return errno == ENOENT ? PathKind::Missing : PathKind::Other;
    }
    return kindOf(info.st_mode);
}

// Every name is a name here: a folder "od " or "CON" is made as named.
std::string windowsPathProblem(const std::string&) {
    return "";
}

// Arguments arrive as the bytes typed, UTF-8 on any current system.
std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return {argv, argv + argc};
}

std::string programFolder(const std::string& argv0) {
    return utf8Path(std::filesystem::absolute(filePath(argv0)).parent_path());
}

void useUtf8Output() {}
