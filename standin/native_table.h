#pragma once

// The natives the stand-in answers: those of natives/native_list.h, found by
// the hash a call arrives with.

#include "natives/native_list.h"

#include <cstdint>

namespace standin {

// The native with this hash, or nullptr for one the stand-in does not know.
const NativeSignature* findNative(std::uint64_t hash);
const char* nativeName(std::uint64_t hash);

// Whether an argument of this kind must have zero in its upper 32 bits.
constexpr bool zeroExtended(ArgKind kind) {
    return kind == ArgKind::Value || kind == ArgKind::Float;
}

} // namespace standin
