#pragma once

#include <string>

// The output folder, made if need be, with the game folder inside it; throws
// Mistake.
void prepareOutput(const std::string& out);

// Writes one of the run's outputs (a picture); throws Mistake.
void writeOutput(const std::string& path, const std::string& text);
