#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What a read of the configuration saw, for the plug-in's log.
struct ConfigReading {
    bool defaultWritten = false;
    // "line N \"text\": reason" for the first lines without effect, and how many more.
    std::vector<std::string> withoutEffect;
    int moreWithoutEffect = 0;
    // "line N: hint" for the first listed names that look like slips, and how many more.
    std::vector<std::string> modelNameHints;
    int moreModelNameHints = 0;
};
inline constexpr std::size_t loggedLinesWithoutEffect = 20;
inline constexpr std::size_t loggedModelNameHints = 20;

// Makes sure the configuration file exists, writing the default one when it is
// missing, then reads it into the Settings record and the model tables; and
// tells `reading`, when given, what it saw.
void loadConfig(ConfigReading* reading = nullptr);

// Writes the default configuration file at configPath; run only when it is missing.
void writeDefaultConfig();
