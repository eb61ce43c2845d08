#pragma once

#include "tools/check/explain_config.h"

#include <ostream>
#include <string>

// Reads the named file, exactly that one, as a user's file is read (a regular
// file of at most 16 MB), and explains it. Returns the checker's exit status;
// a file that cannot be read gives one line on `errors` naming it and the
// cause, and 2.
int checkFile(const std::string& path, const CheckOptions& options, std::ostream& out,
              std::ostream& errors);
