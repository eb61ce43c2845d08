#pragma once

// Puts every process-wide table of the linked plug-in back to its load-time
// state, as a fresh load of the DLL would.
void resetPluginTables();
