#pragma once

#include "natives/natives.h"

// Deletes and forgets shields that fell behind the player, forgets vanished ones.
void retireShields(Vector3 playerPosition);
