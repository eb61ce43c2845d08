#pragma once

#include "shields/shield_limits.h"

#include <string>

// "bramble_cap_" and the number, as the game knows shield model number k.
inline std::string shieldModelName(int number) {
    return "bramble_cap_" + std::to_string(number);
}

// The shield model number a listed model's first number selects: truncated
// toward zero, clamped to 1..19; not-a-number selects 1.
inline int shieldModelNumber(float shieldModelIndex) {
    // Compare before converting: huge, infinite and not-a-number values have no int.
    if (!(shieldModelIndex >= 2.0f)) {
        return 1;
    }
    if (shieldModelIndex >= static_cast<float>(shieldModelCount)) {
        return shieldModelCount;
    }
    return static_cast<int>(shieldModelIndex);
}
