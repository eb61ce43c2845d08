#pragma once

#include "tools/sim/command_line.h"
#include "tools/sim/dry_run.h"

#include <string>

// Where a run's pictures and game folder went, as the summary names them.
struct RunOutputs {
    std::string folder, map, plot;
};

// The summary after the run: what was tried, what happened, where to look.
void printSummary(const DryRunCommand& command, const std::string& worldSource,
                  const DryRunResult& result, const RunOutputs& outputs);
