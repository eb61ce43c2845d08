#pragma once

#include <cstdint>
#include <string_view>

namespace sim {
// GET_HASH_KEY as the game computes it: Jenkins one-at-a-time over the name
// with ASCII letters lower-cased.
std::uint32_t hashKey(std::string_view name);
} // namespace sim
