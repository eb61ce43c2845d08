#pragma once

#include "natives/types.h"

// Scans, gives up to 12 unshielded candidates a shield each, and draws the status line.
void placeShields(Vector3 playerPosition);
