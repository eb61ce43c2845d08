#pragma once

// Puts every process-wide table and the Settings record back to the values
// they hold when the DLL is loaded, for a process that stands for many loads:
// the linked tests and the benchmark.
void resetPluginTables();
