#pragma once

// Draws the one-line status text when the debug setting is on.
void drawDebugLine();
