#pragma once

#include "tools/sim/command_line.h"

#include <string>

// Reads the INI, the world and the route the command names into its run
// options, or makes the generated country and a route across it; throws
// Mistake. Returns where the world came from, as the summary names it.
std::string readInputs(DryRunCommand& command);
