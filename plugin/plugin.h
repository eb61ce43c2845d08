#pragma once

// The plug-in's one script and the life of its process-wide tables.

#include "config/config.h"

// Reads the configuration, prepares the shield models, then runs one frame
// after another until the host stops it.
void scriptMain();

// One frame: read the player's position, place, retire, yield.
void runFrame();

// Puts every process-wide table and the Settings record back to the values
// they hold when the DLL is loaded, for a process that stands for many loads:
// the linked tests and the benchmark.
void resetPluginTables();

// .\BrambleCap.log: what the plug-in saw as the script started, for a player
// whose shields do not appear. Written only when the configuration turns debug
// on, rewritten whole at every start, never from the frame loop; a log that
// cannot be written is skipped without a word.
// After the configuration is read; returns the log's account of it, to be
// written again with the shield models (empty with debug off).
std::string logConfiguration(const ConfigReading& reading);
// Once the wait for the shield models has ended: the whole log again, with
// how the wait went.
void logShieldModels(const std::string& configuration);
