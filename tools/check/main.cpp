// bramblecap-check [--problems] [PATH]: explains a BrambleCap.ini as the
// plug-in will read it. Reads only; never writes or creates the file.
#include "config/text.h"
#include "tools/check/checker.h"
#include "tools/files/files.h"

#include <cstdio>
#include <iostream>
#include <vector>

namespace {

const char* const usage =
    "usage: bramblecap-check [--problems] [PATH]\n"
    "Explains each line of BrambleCap.ini as the plug-in reads it, and warns of every line\n"
    "that has no effect or reads otherwise than it looks.\n"
    "  PATH        the file to check (default: BrambleCap.ini in the current folder, or else\n"
    "              the one beside this program); a file dropped on the program comes here\n"
    "  --problems  show only the lines with warnings, and the summary\n"
    "Exit status: 0 every line takes effect as written, 1 warnings, 2 the file cannot be\n"
    "read or is not plain text, or the options are wrong.\n";

int run(const std::vector<std::string>& arguments) {
    CheckOptions options;
    std::optional<std::string> path;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-h" || argument == "--help") {
            std::cout << usage;
            return 0;
        }
        if (argument == "--problems") {
            options.problemsOnly = true;
        } else if (argument.size() > 1 && argument.front() == '-') {
            std::cerr << "bramblecap-check: unknown option " << quotedText(argument)
                      << " (bramblecap-check --help lists the options)\n";
            return 2;
        } else if (argument.empty()) {
            std::cerr << "bramblecap-check: an empty path names no file\n";
            return 2;
        } else if (path) {
            std::cerr << "bramblecap-check: one file at a time: " << shownPath(*path) << " and "
                      << shownPath(argument) << "\n";
            return 2;
        } else {
            path = argument;
        }
    }
    if (!path) {
        path = configToCheck(std::filesystem::current_path(),
                             filePath(programFolder(arguments.empty() ? "" : arguments[0])),
                             [](const std::filesystem::path& p) {
                                 std::error_code ignored;
                                 return std::filesystem::exists(p, ignored);
                             });
    }
    return checkFile(*path, options, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    useUtf8Output();
    int status = run(commandLineArguments(argc, argv));
    if (!outputArrived("bramblecap-check")) {
        status = 2;
    }
    if (consoleWindowClosesOnExit()) {
        std::cout << "Press Enter to close this window." << std::flush;
        std::getchar();
    }
    return status;
}
