#pragma once

#include "natives/natives.h"

#include <string>

// A listed model's colour on the map, from its hash alone, so that a model
// has the same colour in every run and every world: "#RRGGBB", a hue clear of
// the shields' red, the scan circle's blue and the retirement circle's
// orange, in one of two lightnesses.
std::string modelColour(ModelHash hash);
