#include "tools/files/command_line.h"

#include "tools/files/wide_text_windows.h"

#include <shellapi.h>

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
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return utf8Path(std::filesystem::path(path).parent_path());
}

void useUtf8Output() {
    SetConsoleOutputCP(CP_UTF8);
}
