#pragma once

// The shield model number a listed model's first number selects: truncated
// toward zero, clamped to 1..19; not-a-number selects 1.
int shieldModelNumber(float shieldModelIndex);
