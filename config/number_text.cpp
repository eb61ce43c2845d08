#include "config/number_text.h"

#include <cstdlib>

// strtod rather than atof: the Windows C runtime's atof predates C99 and reads
// "inf", "nan" and "0x10" as 0, while strtod follows the standard everywhere.
float readNumber(const char* text) {
    return static_cast<float>(std::strtod(text, nullptr));
}
