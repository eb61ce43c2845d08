#pragma once

#include "tools/sim/world_file.h"

#include <cstdint>
#include <vector>

// The built-in stretch of country: listed trees and palms of the default file
// with unlisted objects among them, in dense groves and sparse open land, and a
// road across it that the player drives there and back.
struct Country {
    std::vector<PlacedObject> objects;
    std::vector<Waypoint> route;
};

Country generateCountry(std::uint64_t seed);
