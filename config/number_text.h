#pragma once

// The C library's atof, rounded to single precision: leading white space is
// skipped, the longest numeric prefix is converted (decimal, exponent,
// hexadecimal, "inf", "nan"), and text without one gives 0.
float readNumber(const char* text);
