#pragma once

// bramblecap-sim, the program around the run: its options, and what it prints.

#include "tools/sim/dry_run.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// A user's mistake: one line, and exit 2, as for any failure of the run.
struct Mistake : std::runtime_error {
    using std::runtime_error::runtime_error;
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

// The run's progress, shown after every frame. On a terminal (`columns` as
// terminalColumns gives it), a bar redrawn a few times a second and at the
// end, within the terminal's width; into a pipe or a file, a line at every
// tenth of the run. A long run says, once, how long it will take.
std::function<void(const FrameRecord&, int frames)> progressShown(int columns);

// Where a run's pictures and game folder went, as the summary names them.
struct RunOutputs {
    std::string map, plot, log;
};

// The summary after the run: what was tried, what happened, where to look.
void printSummary(const DryRunCommand& command, const std::string& worldSource,
                  const DryRunResult& result, const RunOutputs& outputs);
