#pragma once

// Writes the default configuration file at configPath; run only when it is missing.
void writeDefaultConfig();
