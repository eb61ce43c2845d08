#pragma once

#include <ostream>
#include <string>

struct CheckOptions {
    bool problemsOnly = false; // only the lines with warnings, and the summary
};

// Explains a configuration file line by line as the plug-in will read it, and
// warns of every line that has no effect or reads otherwise than it looks.
// Returns the checker's exit status: 0 when every content line takes effect
// as written, 1 when there are warnings, 2 when the file cannot be read (one
// line on `errors` says why).
int explainConfig(const std::string& path, const CheckOptions& options, std::ostream& out,
                  std::ostream& errors);
