#pragma once

#include <ostream>
#include <string>
#include <string_view>

struct CheckOptions {
    bool problemsOnly = false; // only the lines with warnings, and the summary
};

// Explains a configuration file's bytes line by line as the plug-in will read
// them, and warns of every line that has no effect or reads otherwise than it
// looks; `name` heads the explanation. Returns the checker's exit status: 0
// when every content line takes effect as written, 1 when there are warnings.
int explainConfig(const std::string& name, std::string_view bytes, const CheckOptions& options,
                  std::ostream& out);
