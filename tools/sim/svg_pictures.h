#pragma once

#include "tools/sim/dry_run.h"
#include "tools/sim/world_file.h"

#include <string>
#include <vector>

// A map of the world: listed objects by model, unlisted ones faint, the shields
// placed (standing at the end, or retired), the route, a scale bar, and the
// scan and retirement circles at four moments, lettered A to D.
bool writeMap(const std::string& path, const std::vector<PlacedObject>& world,
              const std::vector<Waypoint>& route, const DryRunResult& result);

// Nearby candidates and shields held over the frames, with the map's four
// moments marked.
bool writePlot(const std::string& path, const DryRunResult& result);

// The step between axis ticks for a span: 1, 2 or 5 times a power of ten,
// giving about `ticks` of them.
double roundStep(double span, int ticks = 5);

// Text for an SVG: escaped for XML, bytes nobody can see shown as \xNN.
std::string svgText(std::string_view text);
