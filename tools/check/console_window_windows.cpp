#include "tools/check/checker.h"

#include <windows.h>

namespace {
// Only a console's own handle has a console mode: a file, a pipe or a device
// such as NUL has none, though some of them count as character devices.
bool isConsole(DWORD stream) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(stream), &mode) != 0;
}
} // namespace

bool consoleWindowClosesOnExit() {
    DWORD processes[2];
    const auto attached = static_cast<int>(GetConsoleProcessList(processes, 2));
    return waitBeforeClosing(attached, isConsole(STD_INPUT_HANDLE), isConsole(STD_OUTPUT_HANDLE));
}
