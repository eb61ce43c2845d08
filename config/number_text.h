#pragma once

#include <string_view>

// A number as the C library's atof reads it in the "C" locale, rounded to
// single precision: leading white space is skipped, the longest numeric prefix
// is converted (sign, decimal, exponent, hexadecimal, "inf", "nan"), and text
// without one gives 0. The process locale plays no part: the game may set one
// whose decimal point is a comma.
float readNumber(std::string_view text);
