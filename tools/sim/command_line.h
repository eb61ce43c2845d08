#pragma once

#include "tools/sim/dry_run.h"

#include <string>
#include <vector>

// A user's mistake: one line, and exit 2.
struct Mistake {
    std::string message;
};

// What the command line asks for: the run's own options, and the files and
// folders they come from or go to.
struct DryRunCommand {
    DryRunOptions run;
    std::string configPath, worldPath, routePath; // empty: not given
    std::string out = "build/demo";
    std::string asi; // empty: the default beside this program
    bool help = false;
};

// Reads the options (UTF-8, the program's name first) from the table of them;
// throws Mistake.
DryRunCommand parseCommandLine(const std::vector<std::string>& arguments);

// The usage text (--help), written from the same table.
std::string usageText();
