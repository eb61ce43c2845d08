#pragma once

#include "tools/sim/dry_run.h"

#include <string>

// Nearby candidates and shields held over the frames, with the map's four
// moments marked: an SVG document.
std::string drawPlot(const DryRunResult& result);
