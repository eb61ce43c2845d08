#pragma once

#include "tools/sim/svg_writer.h"

#include <utility>
#include <vector>

using PicturePoint = std::pair<double, double>;

// The route on the map, in picture pixels: a dashed line with arrowheads
// along it the way the player drives, a start mark and an end mark.
void drawRoute(SvgWriter& svg, const std::vector<PicturePoint>& route);

// The marks, also for the legend; the arrowhead points at `angle` (radians).
void drawArrowhead(SvgWriter& svg, double x, double y, double angle);
void drawRouteStart(SvgWriter& svg, double x, double y);
void drawRouteEnd(SvgWriter& svg, double x, double y);
void drawRouteLine(SvgWriter& svg, const std::vector<PicturePoint>& route);
