#pragma once

#include "tools/files/owned_folder.h"
#include "tools/sim/command_line.h"

#include <string>

// The dry run's folder (--out): its pictures, and the game folder the plug-in
// reads and writes. Checked against what is there and against the run's
// inputs before anything is written; throws Mistake.
OwnedFolder outputFolder(const DryRunCommand& command);
// Makes and marks it, and clears what a former run left there; throws Mistake.
void claimOutput(const OwnedFolder& folder);

// Writes one of the run's outputs (a picture) whole; throws Mistake.
void writeOutput(const std::string& path, const std::string& text);
