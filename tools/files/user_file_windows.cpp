#include "tools/files/user_file.h"

#include "tools/files/wide_text_windows.h"

namespace {

// Opens for reading what is there, a folder included, so that it can be named.
HANDLE openExisting(const std::string& path, DWORD access) {
    return CreateFileW(wideText(path).c_str(), access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::optional<std::string> readAll(HANDLE file, std::string& cause) {
    std::string bytes;
    char block[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, block, sizeof block, &read, nullptr)) {
            cause = systemCause(GetLastError());
            return std::nullopt;
        }
        if (read == 0) {
            return bytes;
        }
        bytes.append(block, read);
        if (bytes.size() > largestUserFile) {
            cause = "larger than 16 MB";
            return std::nullopt;
        }
    }
}

bool writeAll(HANDLE file, std::string_view bytes, std::string& cause) {
    while (!bytes.empty()) {
        constexpr std::size_t most = 1 << 20;
        const auto chunk = static_cast<DWORD>(bytes.size() < most ? bytes.size() : most);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            cause = systemCause(GetLastError());
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// The path the system gives a handle, every link on the way resolved.
std::wstring finalPath(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
        if (length == 0) {
            return L"";
        }
        const bool fits = length < path.size();
        path.resize(length);
        if (fits) {
            return path;
        }
    }
}

// Whether the handle opened at `path` is the entry there itself rather than
// a link's target elsewhere: its own path is its folder's path and its name.
// Wine marks a Unix link to a file as no reparse point and opens its target.
bool isInPlace(HANDLE entry, const std::string& path) {
    const std::wstring wide = wideText(path);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return true;
    }
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), size, full.data(), nullptr));
    while (full.size() > 1 && (full.back() == L'\\' || full.back() == L'/')) {
        full.pop_back();
    }
    const auto slash = full.find_last_of(L"\\/");
    if (full.empty() || slash == std::wstring::npos) {
        return true;
    }
    const std::wstring name = full.substr(slash + 1);
    const HANDLE folder = CreateFileW(full.substr(0, slash + 1).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) {
        return true; // nothing to compare with: the reparse point's mark decides
    }
    std::wstring expected = finalPath(folder);
    CloseHandle(folder);
    const std::wstring actual = finalPath(entry);
    if (expected.empty() || actual.empty()) {
        return true;
    }
    if (expected.back() != L'\\') {
        expected += L'\\';
    }
    expected += name;
    return CompareStringOrdinal(actual.c_str(), static_cast<int>(actual.size()), expected.c_str(),
                                static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL;
}

// Opens the entry at the path, a reparse point itself rather than its target
// (Wine opens a Unix link's target all the same: isInPlace tells).
HANDLE openEntry(const std::string& path, DWORD access) {
    return CreateFileW(
        wideText(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

} // namespace

std::optional<std::string> readUserFile(const std::string& path, std::string& cause) {
    const HANDLE file = openExisting(path, GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE) {
        cause = systemCause(GetLastError());
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    std::optional<std::string> bytes;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        cause = "not a regular file";
    } else if (!GetFileInformationByHandle(file, &info)) {
        cause = systemCause(GetLastError());
    } else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        cause = "is a directory";
    } else if ((std::uintmax_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow) > largestUserFile) {
        cause = "larger than 16 MB";
    } else {
        bytes = readAll(file, cause);
    }
    CloseHandle(file);
    return bytes;
}

PathKind pathKind(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wideText(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathKind::Missing
                                                                              : PathKind::Other;
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        return PathKind::Link;
    }
    if (const HANDLE entry = openEntry(path, 0); entry != INVALID_HANDLE_VALUE) {
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

bool removeOwnFile(const std::string& path, std::string& cause) {
    const HANDLE entry = openEntry(path, DELETE | FILE_READ_ATTRIBUTES);
    if (entry == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        cause = systemCause(error);
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_DISPOSITION_INFO remove{TRUE};
    bool removed = false;
    if (!GetFileInformationByHandle(entry, &info)) {
        cause = systemCause(GetLastError());
    } else if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT || !isInPlace(entry, path)) {
        cause = "is a link";
    } else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        cause = "is a directory";
    } else if (!SetFileInformationByHandle(entry, FileDispositionInfo, &remove, sizeof remove)) {
        cause = systemCause(GetLastError());
    } else {
        removed = true;
    }
    CloseHandle(entry);
    return removed;
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    const HANDLE file = openExisting(path, 0);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!known) {
        return std::nullopt;
    }
    return FileIdentity{info.dwVolumeSerialNumber,
                        std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow};
}

bool replaceFile(const std::string& path, std::string_view bytes, std::string& cause) {
    const std::wstring target = wideText(path);
    const std::wstring temporary =
        wideText(path + std::string(temporarySuffix) + std::to_string(GetCurrentProcessId()));
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        cause = systemCause(GetLastError());
        return false;
    }
    bool written = writeAll(file, bytes, cause);
    if (written && !FlushFileBuffers(file)) {
        cause = systemCause(GetLastError());
        written = false;
    }
    CloseHandle(file);
    if (written && !MoveFileExW(temporary.c_str(), target.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        cause = systemCause(GetLastError());
        written = false;
    }
    if (!written) {
        DeleteFileW(temporary.c_str());
    }
    return written;
}
