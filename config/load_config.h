#pragma once

// Makes sure the configuration file exists, writing the default one when it is
// missing, then reads it into the Settings record and the model tables.
void loadConfig();

// Writes the default configuration file at configPath; run only when it is missing.
void writeDefaultConfig();
