#include "tools/check/console_window.h"

// A terminal outlives the programs run in it.
bool consoleWindowClosesOnExit() {
    return false;
}
