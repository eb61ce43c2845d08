#pragma once

#include "tools/sim/dry_run.h"
#include "tools/sim/world_file.h"

#include <string>
#include <vector>

// A map of the world as an SVG document: listed objects by model, unlisted
// ones faint, the shields placed (standing at the end, or retired), the
// route, a scale bar, and the scan and retirement circles at four moments,
// lettered A to D.
std::string drawMap(const std::vector<PlacedObject>& world, const std::vector<Waypoint>& route,
                    const DryRunResult& result);
