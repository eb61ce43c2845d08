#pragma once

#include "natives/types.h"

// Metres beyond scanRadius that a shield may lie before it is retired.
inline constexpr float retirementMargin = 50.0f;

// Deletes and forgets shields that fell behind the player, forgets vanished ones.
void retireShields(Vector3 playerPosition);
