// The Windows side of the tools' files: wide paths and arguments at the
// system's door, the calls of system_file.h, and the system's causes in words.
#include "tools/files/system_file.h"
#include "tools/files/wide_text_windows.h"

#include <algorithm>
#include <filesystem>
#include <shellapi.h>

namespace {

HANDLE handleOf(SystemFile file) {
    return reinterpret_cast<HANDLE>(file);
}

// Opens what is at the path, a folder included, so that it can be named; with
// FILE_FLAG_OPEN_REPARSE_POINT, a reparse point itself rather than its target
// (Wine opens a Unix link's target all the same: isInPlace tells).
HANDLE openExisting(const std::wstring& path, DWORD access, DWORD flags = 0) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

// A path the system writes into a buffer of ours, grown until it fits: the
// calls give 0 on failure, and the size they need (or all of ours) when short.
template <typename Call> std::wstring systemPath(Call call) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = call(path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return L"";
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(std::max<std::size_t>(length, 2 * path.size()));
    }
}

// The path the system gives a handle, every link on the way resolved.
std::wstring finalPath(HANDLE handle) {
    return systemPath([&](wchar_t* path, DWORD size) {
        return GetFinalPathNameByHandleW(handle, path, size, 0);
    });
}

// Whether the handle opened at `path` is the entry there itself rather than
// a link's target elsewhere: its own path is its folder's path and its name.
// Wine marks a Unix link to a file as no reparse point and opens its target.
bool isInPlace(HANDLE entry, const std::string& path) {
    // As the system resolves it: after \\?\ as written, else normalised.
    std::filesystem::path full = systemPath([&](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(wideText(path).c_str(), size, buffer, nullptr);
    });
    if (!full.has_filename()) {
        full = full.parent_path(); // "folder\" names the folder itself
    }
    const HANDLE folder =
        full.empty() ? INVALID_HANDLE_VALUE : openExisting(full.parent_path().wstring(), 0);
    if (folder == INVALID_HANDLE_VALUE) {
        return true; // nothing to compare with: the reparse point's mark decides
    }
    const std::wstring folderPath = finalPath(folder);
    CloseHandle(folder);
    const std::wstring actual = finalPath(entry);
    const std::wstring expected = (std::filesystem::path(folderPath) / full.filename()).wstring();
    return folderPath.empty() || actual.empty() ||
           CompareStringOrdinal(actual.c_str(), static_cast<int>(actual.size()), expected.c_str(),
                                static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

std::string lastSystemCause() {
    return systemCause(GetLastError());
}

SystemFile openToRead(const std::string& path) {
    return reinterpret_cast<SystemFile>(openExisting(wideText(path), GENERIC_READ));
}

SystemFile createNew(const std::string& path) {
    return reinterpret_cast<SystemFile>(CreateFileW(wideText(path).c_str(), GENERIC_WRITE, 0,
                                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                                    nullptr));
}

bool describeFile(SystemFile file, PathKind& kind, std::uintmax_t& size) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(handleOf(file)) != FILE_TYPE_DISK) {
        kind = PathKind::Other;
        return true;
    }
    if (!GetFileInformationByHandle(handleOf(file), &info)) {
        return false;
    }
    kind = info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? PathKind::Folder : PathKind::File;
    size = std::uintmax_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow;
    return true;
}

long long readSome(SystemFile file, char* buffer, std::size_t size) {
    DWORD read = 0;
    const bool done = ReadFile(handleOf(file), buffer, static_cast<DWORD>(size), &read, nullptr);
    return done ? read : -1;
}

long long writeSome(SystemFile file, const char* bytes, std::size_t size) {
    // WriteFile counts in a DWORD: a megabyte at a time.
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
    DWORD written = 0;
    return WriteFile(handleOf(file), bytes, chunk, &written, nullptr) ? written : -1;
}

bool flushToDisk(SystemFile file) {
    return FlushFileBuffers(handleOf(file));
}

bool closeFile(SystemFile file) {
    return CloseHandle(handleOf(file));
}

bool renameOver(const std::string& from, const std::string& to) {
    return MoveFileExW(wideText(from).c_str(), wideText(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool removeEntry(const std::string& path) {
    return DeleteFileW(wideText(path).c_str());
}

bool openElsewhere(const std::string& path) {
    const HANDLE file = openExisting(wideText(path), DELETE, FILE_FLAG_OPEN_REPARSE_POINT);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_SHARING_VIOLATION;
    }
    CloseHandle(file);
    return false;
}

bool lockForLife(const std::string& path, bool& busy) {
    const HANDLE file = CreateFileW(wideText(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    OVERLAPPED start{};
    // The handle stays open: closing it would let go.
    if (file == INVALID_HANDLE_VALUE ||
        LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start)) {
        return file != INVALID_HANDLE_VALUE;
    }
    const DWORD error = GetLastError();
    busy = error == ERROR_LOCK_VIOLATION;
    CloseHandle(file);
    SetLastError(error);
    return false;
}

unsigned long processNumber() {
    return GetCurrentProcessId();
}

PathKind pathKind(const std::string& path) {
    const std::wstring wide = wideText(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathKind::Missing
                                                                              : PathKind::Other;
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        return PathKind::Link;
    }
    if (const HANDLE entry = openExisting(wide, 0, FILE_FLAG_OPEN_REPARSE_POINT);
        entry != INVALID_HANDLE_VALUE) {
        const bool inPlace = isInPlace(entry, path);
        CloseHandle(entry);
        if (!inPlace) {
            return PathKind::Link;
        }
    }
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? PathKind::Folder
           : attributes & FILE_ATTRIBUTE_DEVICE  ? PathKind::Other
                                                 : PathKind::File;
}

// The narrow argv is in the ANSI code page, which cannot hold most names.
std::vector<std::string> commandLineArguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(utf8Text(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

std::string programFolder(const std::string&) {
    const std::filesystem::path program = systemPath(
        [](wchar_t* path, DWORD size) { return GetModuleFileNameW(nullptr, path, size); });
    return utf8Path(program.parent_path());
}

void useUtf8Output() {
    SetConsoleOutputCP(CP_UTF8);
}

std::wstring wideText(std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string utf8Text(std::wstring_view wide) {
    const int size = static_cast<int>(wide.size());
    std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size,
                                                                  nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), static_cast<int>(utf8.size()),
                        nullptr, nullptr);
    return utf8;
}

std::string systemCause(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return "No such file or directory";
    case ERROR_ACCESS_DENIED:
        return "Permission denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "it is open in another program; close it and run again";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "No space left on device";
    default:
        break;
    }
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string cause = length > 0 ? utf8Text({text, length}) : "";
    LocalFree(text);
    cause.erase(cause.find_last_not_of("\r\n. ") + 1); // the message's full stop and line end
    return cause.empty() ? "Windows error " + std::to_string(error) : cause;
}
