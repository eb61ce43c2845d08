// Holds a file open as some programs hold the file they show, letting no other
// program read, replace or remove it, until its standard input ends. Says
// "held" once it holds the file.
#include <cstdio>
#include <windows.h>

int main(int argc, char** argv) {
    const HANDLE file = argc == 2 ? CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                FILE_ATTRIBUTE_NORMAL, nullptr)
                                  : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "hold_file: cannot open %s\n",
                     argc == 2 ? argv[1] : "(no file named)");
        return 2;
    }
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    CloseHandle(file);
    return 0;
}
