#pragma once

#include "tools/sim/dry_run.h"
#include "tools/sim/world_file.h"

#include <string>
#include <vector>

// A map of the world: listed objects by model, unlisted ones faint, the shields
// placed (standing at the end, or retired), the route, and the scan and
// retirement circles at a few moments.
bool writeMap(const std::string& path, const std::vector<PlacedObject>& world,
              const std::vector<Waypoint>& route, const DryRunResult& result);

// Nearby candidates and shields held over the frames.
bool writePlot(const std::string& path, const DryRunResult& result);
