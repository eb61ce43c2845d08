#include "tools/check/checker.h"

// A terminal outlives the programs run in it.
bool consoleWindowClosesOnExit() {
    return false;
}
