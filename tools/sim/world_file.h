#pragma once

#include "natives/natives.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One object of a world, as a person writes it or a game exports it.
struct PlacedObject {
    std::string model; // the name as written, or empty when the file gave a hash
    ModelHash hash = 0;
    float x = 0, y = 0, z = 0;
};

struct Waypoint {
    float x = 0, y = 0;
};

// How far from the world's centre a coordinate may lie, in metres: far beyond
// any game's world, and near enough that the route's lengths and the
// pictures' scales stay finite.
inline constexpr float farthestCoordinate = 1.0e6f;

// A player's input file whole, a regular file of at most largestUserFile bytes; or
// nothing, with `error` naming the file and the cause.
std::optional<std::string> readInputFile(const std::string& path, std::string& error);

// CSV files with a header line: "model,x,y,z" for worlds (the model a name or a
// hash such as 0x1A2B3C4D), "x,y" for routes. Blank lines and lines starting
// with "#" are skipped; a UTF-8 byte-order mark at the start is too, and a
// file saved as UTF-16 is named as such. On a bad line the error names the file, the line and
// what is wrong, quoting the line escaped and cut short, and nothing is
// returned.
std::optional<std::vector<PlacedObject>> readWorldFile(const std::string& path, std::string& error);
std::optional<std::vector<Waypoint>> readRouteFile(const std::string& path, std::string& error);

// The same over text already read; `name` stands for the file in errors.
std::optional<std::vector<PlacedObject>> parseWorld(std::string_view text, const std::string& name,
                                                    std::string& error);
std::optional<std::vector<Waypoint>> parseRoute(std::string_view text, const std::string& name,
                                                std::string& error);
