#pragma once

#include <cstddef>
#include <string_view>

// A number as the C library's atof reads it in the "C" locale, rounded to
// single precision: leading white space is skipped, the longest numeric prefix
// is converted (sign, decimal, exponent, hexadecimal, "inf", "nan"), and text
// without one gives 0. The process locale plays no part: the game may set one
// whose decimal point is a comma.
float readNumber(std::string_view text);

// The same, with how many characters of the text the number took, leading
// blanks included: 0 when the text holds no number.
struct NumberText {
    float value;
    std::size_t length;
};
NumberText readNumberText(std::string_view text);
