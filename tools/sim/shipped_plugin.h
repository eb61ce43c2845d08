#pragma once

#include "tools/sim/dry_run.h"

#include <string>

// The plug-in this build runs: the .asi at the path on Windows, the linked
// sources on Linux (where the path is only named in the summary).
PluginHooks shippedPlugin(const std::string& asiPath);
// Why the plug-in at the path cannot run, in words, or empty: on Windows it is
// loaded once into a world of its own, and must register its script.
std::string pluginProblem(const std::string& asiPath);
std::string defaultAsiPath(const char* program);
// Why --asi has no place in this build, in words, or empty: the Linux build
// runs the sources linked in, and a summary naming a file would be untrue.
std::string asiOptionProblem();
bool outputIsTerminal();
// Lines end in LF alone on every build, as the terminal of ./dev demo expects.
void useUnixLineEnds();
