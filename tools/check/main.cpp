// bramblecap-check [--problems] [PATH]: explains a BrambleCap.ini as the
// plug-in will read it. Reads only; never writes or creates the file.
#include "tools/check/console_window.h"
#include "tools/check/explain_config.h"

#include "config/config_format.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

const char* const usage =
    "usage: bramblecap-check [--problems] [PATH]\n"
    "Explains each line of BrambleCap.ini as the plug-in reads it, and warns of every line\n"
    "that has no effect or reads otherwise than it looks.\n"
    "  PATH        the file to check (default: BrambleCap.ini in the current folder, or else\n"
    "              the one beside this program); a file dropped on the program comes here\n"
    "  --problems  show only the lines with warnings, and the summary\n"
    "Exit status: 0 every line takes effect as written, 1 warnings, 2 the file cannot be\n"
    "read or the options are wrong.\n";

int run(int argc, char** argv) {
    CheckOptions options;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::cout << usage;
            return 0;
        }
        if (argument == "--problems") {
            options.problemsOnly = true;
        } else if (argument.size() > 1 && argument.front() == '-') {
            std::cerr << "bramblecap-check: unknown option " << argument
                      << " (bramblecap-check --help lists the options)\n";
            return 2;
        } else if (!path.empty()) {
            std::cerr << "bramblecap-check: one file at a time: " << path << " and " << argument
                      << "\n";
            return 2;
        } else {
            path = argument;
        }
    }
    if (path.empty()) {
        path = configToCheck(
            std::filesystem::current_path(), programFolder(argv[0]),
            [](const std::filesystem::path& p) { return std::filesystem::exists(p); });
    }
    return explainConfig(path, options, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    const int status = run(argc, argv);
    if (consoleWindowClosesOnExit()) {
        std::cout << "Press Enter to close this window." << std::flush;
        std::getchar();
    }
    return status;
}
