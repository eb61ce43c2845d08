#pragma once

// The configuration file on disk, by the game's rules on both builds:
// existence is the platform's attribute query (a directory counts as present),
// a directory never opens as a file, and the bytes are read and written as
// they are; the parser and the default writer apply the text-mode rules
// themselves, so Linux reads exactly what the game reads.

#include <optional>
#include <string>
#include <string_view>

bool configFileExists(const std::string& path);
// The file's bytes, or nothing when it does not open.
std::optional<std::string> readConfigBytes(const std::string& path);
// Silent, like the game's own writer: what does not reach the disk is not reported.
void writeConfigBytes(const std::string& path, std::string_view bytes);
