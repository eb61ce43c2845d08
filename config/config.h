#pragma once

// The plug-in's configuration: its tables in memory, the file on disk, and
// loadConfig, which fills the one from the other once at start-up. The tables
// live in plugin/, which owns the order of their construction; only loadConfig
// fills them.

#include "config/config_format.h"
#include "natives/natives.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

// Plain static data: holds initialSettings before any code runs.
extern Settings settings;

// Both always hold the same keys.
extern std::unordered_set<ModelHash> blockPropModels;
extern std::unordered_map<ModelHash, PropShieldParams> blockPropParams;

// ".\BrambleCap.ini", in the game's working folder.
extern const std::string configPath;

// The configuration file on disk, by the game's rules on both builds:
// existence is the platform's attribute query (a directory counts as present),
// a directory never opens as a file, and the bytes are read and written as
// they are; the parser and the default writer apply the text-mode rules
// themselves, so Linux reads exactly what the game reads.
bool configFileExists(const std::string& path);
// The file's bytes, or nothing when it does not open.
std::optional<std::string> readConfigBytes(const std::string& path);
// Silent, like the game's own writer: what does not reach the disk is not reported.
void writeConfigBytes(const std::string& path, std::string_view bytes);

// What the start-up read saw, for the plug-in's log.
struct ConfigReading {
    bool defaultWritten = false;
    // The bytes read, kept only when they turn debug on: the log explains
    // them, and with debug off nothing is explained.
    std::string bytes;
};

// Makes sure the configuration file exists, writing the default one when it is
// missing, then reads it into the Settings record and the model tables.
ConfigReading loadConfig();

// Writes the default configuration file at configPath; run only when it is missing.
void writeDefaultConfig();
