#pragma once

// .\BrambleCap.log: what the plug-in saw as the script started, for a player
// whose shields do not appear. Written only when the configuration turns debug
// on, rewritten whole at every start, never from the frame loop; a log that
// cannot be written is skipped without a word.

#include "config/load_config.h"

#include <string_view>

// Beside BrambleCap.ini, in the game's folder.
inline constexpr std::string_view logFileName = "BrambleCap.log";

// After the configuration is read.
void logConfiguration(const ConfigReading& reading);
// Once the wait for the shield models has ended: the whole log again, with
// how the wait went.
void logShieldModels(const ConfigReading& reading);
