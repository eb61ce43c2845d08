#pragma once

// The game's file rules, the same on both builds: existence is the host
// platform's attribute query (a directory counts as present), and a directory
// never opens as a file. Files are opened as bytes; the readers and writers
// apply the text-mode rules themselves.

#include <fstream>
#include <string>

bool configFileExists(const std::string& path);
bool openConfigForReading(std::ifstream& in, const std::string& path);
void openConfigForWriting(std::ofstream& out, const std::string& path);
