#pragma once

#include "natives/types.h"

// The shield model number a listed model's first number selects: truncated
// toward zero, clamped to 1..19; not-a-number selects 1.
int shieldModelNumber(float shieldModelIndex);

// Scans, gives up to 12 unshielded candidates a shield each, and draws the status line.
void placeShields(Vector3 playerPosition);
