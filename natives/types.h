#pragma once

#include <cstdint>

// 32-bit script handle of a game entity; 0 means no entity.
using EntityHandle = std::uint32_t;
// Model hash as GET_HASH_KEY and GET_ENTITY_MODEL return it.
using ModelHash = std::uint32_t;

// The position record natives return: each float sits in its own 8-byte slot.
struct Vector3 {
    alignas(8) float x;
    alignas(8) float y;
    alignas(8) float z;
};
static_assert(sizeof(Vector3) == 24);
