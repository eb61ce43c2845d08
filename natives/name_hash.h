#pragma once

#include <cstdint>
#include <string_view>

// The name hash the game's GET_HASH_KEY computes: Jenkins one-at-a-time over
// the name, with ASCII letters lower-cased and a backslash read as "/" (the
// game's paths take either); bytes above 0x7F count as they are. The plug-in
// asks the game; the stand-in host and the tools compute it here.
std::uint32_t nameHash(std::string_view name);
