#pragma once

// The twelve natives the stand-in answers, with each argument's kind, which
// decides both how a call is described and which arguments must arrive
// zero-extended.

#include <array>
#include <cstdint>

namespace sim {

enum class ArgKind {
    Value,           // handle, hash, integer or flag: 32 bits, zero-extended
    Float,           // the 32-bit pattern in the low half, the high half zero
    Text,            // the address of NUL-terminated text
    HandleByAddress, // the address of a 32-bit variable holding a handle
};

struct NativeInfo {
    std::uint64_t hash;
    const char* name;
    std::array<ArgKind, 7> argKinds;
    int argCount;

    // Whether argument i must have zero in its upper 32 bits.
    bool zeroExtended(int i) const {
        return argKinds[i] == ArgKind::Value || argKinds[i] == ArgKind::Float;
    }
};

// The native with this hash, or nullptr for one the stand-in does not know.
const NativeInfo* findNative(std::uint64_t hash);
const char* nativeName(std::uint64_t hash);

} // namespace sim
