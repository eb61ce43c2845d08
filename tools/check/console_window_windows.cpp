#include "tools/check/checker.h"

#include <windows.h>

namespace {
bool isConsole(DWORD stream) {
    return GetFileType(GetStdHandle(stream)) == FILE_TYPE_CHAR;
}
} // namespace

bool consoleWindowClosesOnExit() {
    DWORD processes[2];
    const auto attached = static_cast<int>(GetConsoleProcessList(processes, 2));
    return waitBeforeClosing(attached, isConsole(STD_INPUT_HANDLE), isConsole(STD_OUTPUT_HANDLE));
}
