#pragma once

#include "tools/sim/dry_run.h"

#include <vector>

// What the map and the plot share: the four moments both mark, lettered A to
// D, and the colour of shields.
inline constexpr const char* momentLetters[] = {"A", "B", "C", "D"};
inline constexpr const char* shieldColour = "#d62728";

// A fifth, nine twentieths, seven tenths and nineteen twentieths of the way,
// as the kept records nearest them.
std::vector<FrameRecord> momentsOf(const DryRunResult& result);

// The step between axis ticks for a span: 1, 2 or 5 times a power of ten,
// giving about `ticks` of them.
double roundStep(double span, int ticks = 5);
