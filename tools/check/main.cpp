// bramblecap-check [--all | --problems] [--details] [--] [PATH]: explains a
// BrambleCap.ini as the plug-in will read it. Reads only; never writes or
// creates the file.
#include "config/text.h"
#include "tools/check/checker.h"
#include "tools/files/files.h"

#include <cstdio>
#include <iostream>
#include <set>
#include <vector>

namespace {

const char* const usage =
    "usage: bramblecap-check [--all | --problems] [--details] [--] [PATH]\n"
    "Explains each line of BrambleCap.ini as the plug-in reads it, and warns of every line\n"
    "that probably does not do what you meant, with what to do about it.\n"
    "  PATH        the file to check (default: BrambleCap.ini in the current folder, or else\n"
    "              the one beside this program); a file dropped on the program comes here\n"
    "  --all       show every line (the default, but in a window of its own, as a\n"
    "              double-click opens it, where only the lines with warnings are shown)\n"
    "  --problems  show only the lines with warnings, and the summary\n"
    "  --details   add what modders look for: names' hashes, how numbers read, bytes\n"
    "  --          ends the options: a PATH that starts with \"-\" follows\n"
    "Exit status: 0 nothing to warn of, 1 warnings, 2 the file cannot be read or is not\n"
    "plain text, or the options are wrong.\n";

struct Parsed {
    std::set<std::string> options;
    std::optional<std::string> path;
};

// The options and the path, or a message.
std::optional<std::string> parse(const std::vector<std::string>& arguments, Parsed& parsed) {
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
            if (argument == "-h") {
                parsed.options.insert("--help");
            } else if (argument != "--help" && argument != "--all" && argument != "--problems" &&
                       argument != "--details") {
                return "unknown option " + quotedText(argument) +
                       " (bramblecap-check --help lists the options)";
            } else if (!parsed.options.insert(argument).second) {
                return argument + " is given twice";
            }
        } else if (argument.empty()) {
            return "an empty path names no file";
        } else if (parsed.path) {
            return "one file at a time: " + shownPath(*parsed.path) + " and " + shownPath(argument);
        } else {
            parsed.path = argument;
        }
    }
    if (parsed.options.contains("--all") && parsed.options.contains("--problems")) {
        return "--all and --problems ask for two views: give one";
    }
    return std::nullopt;
}

int run(const std::vector<std::string>& arguments, bool ownWindow) {
    Parsed parsed;
    if (const auto mistake = parse(arguments, parsed)) {
        std::cerr << "bramblecap-check: " << *mistake << "\n";
        return 2;
    }
    if (parsed.options.contains("--help")) {
        std::cout << usage;
        return 0;
    }
    using View = CheckOptions::View;
    const CheckOptions options{parsed.options.contains("--all")        ? View::EveryLine
                               : parsed.options.contains("--problems") ? View::Problems
                               : ownWindow                             ? View::OwnWindow
                                                                       : View::EveryLine,
                               parsed.options.contains("--details")};
    if (!parsed.path) {
        std::string missing;
        parsed.path = configToCheck(std::filesystem::current_path(),
                                    filePath(programFolder(arguments.empty() ? "" : arguments[0])),
                                    namesInFolder, missing);
        if (!parsed.path) {
            std::cerr << "bramblecap-check: " << missing << "\n";
            return 2;
        }
    }
    return checkFile(*parsed.path, options, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    useUtf8Output();
    // Many lines in few writes: where the system takes each write alone (a
    // console, NUL, and /dev/null under Wine), a long listing took minutes.
    std::setvbuf(stdout, nullptr, _IOFBF, std::size_t{1} << 16);
    const bool ownWindow = consoleWindowClosesOnExit();
    int status = run(commandLineArguments(argc, argv), ownWindow);
    if (!outputArrived("bramblecap-check")) {
        status = 2;
    }
    if (ownWindow) {
        std::cout << "Press Enter to close this window." << std::flush;
        std::getchar();
    }
    return status;
}
