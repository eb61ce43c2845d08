#pragma once

#include "natives/native_list.h"

#include <cstdint>

// The game natives the plug-in calls, by their 64-bit hashes.
namespace NativeHash {
#define BRAMBLECAP_NATIVE_HASH(name, ...)                                                          \
    inline constexpr std::uint64_t name = signatureOf(Native::name).hash;
BRAMBLECAP_NATIVES(BRAMBLECAP_NATIVE_HASH)
#undef BRAMBLECAP_NATIVE_HASH
} // namespace NativeHash
