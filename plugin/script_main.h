#pragma once

// The plug-in's one script: reads the configuration, prepares the shield
// models, then runs one frame after another until the host stops it.
void scriptMain();

// One frame: read the player's position, place, retire, yield.
void runFrame();
