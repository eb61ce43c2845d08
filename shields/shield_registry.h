#pragma once

#include "natives/types.h"

#include "shields/shield_limits.h"

#include <unordered_map>
#include <unordered_set>

// Shielded tree -> its shield. Only placement adds, only retirement erases.
extern std::unordered_map<EntityHandle, EntityHandle> shieldRegistry;
// Nothing adds to it; retirement erases retired trees and the status line shows its size.
extern std::unordered_set<EntityHandle> processedTrees;
