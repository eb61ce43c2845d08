#include "shields/shield_model_number.h"

#include "shields/shield_models.h"

int shieldModelNumber(float shieldModelIndex) {
    // Compare before converting: huge, infinite and not-a-number values have no int.
    if (!(shieldModelIndex >= 2.0f)) {
        return 1;
    }
    if (shieldModelIndex >= static_cast<float>(shieldModelCount)) {
        return shieldModelCount;
    }
    return static_cast<int>(shieldModelIndex);
}
