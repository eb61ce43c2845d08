#pragma once

#include <ostream>
#include <string>

// Explains a configuration file line by line as the plug-in will read it.
// Returns the checker's exit status: 0 when every content line takes effect,
// 1 when some line has none, 2 when the file cannot be read.
int explainConfig(const std::string& path, std::ostream& out);
