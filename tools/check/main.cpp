// bramblecap-check [PATH]: explains a BrambleCap.ini as the plug-in will read
// it. Reads only; never writes or creates the file.
#include "tools/check/explain_config.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
    if (argc > 2 ||
        (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0))) {
        std::cout
            << "usage: bramblecap-check [PATH]   (default: BrambleCap.ini)\n"
               "Explains each line of the file as the plug-in reads it.\n"
               "Exit status: 0 every line takes effect, 1 some line has none, 2 unreadable.\n";
        return argc > 2 ? 2 : 0;
    }
    return explainConfig(argc == 2 ? argv[1] : "BrambleCap.ini", std::cout);
}
