#pragma once

#include "tools/sim/dry_run.h"

// Readies the game folder, the current one, for the plug-in: no file of an
// earlier run, and the INI it is to read, written whole and read back (with
// debug=true where the plug-in reads it, for --debug); throws
// std::runtime_error naming the file and the cause.
void prepareGameFolder(const DryRunOptions& options);
