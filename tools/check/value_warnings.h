#pragma once

// What the checker says of a value that reads otherwise than a player would
// expect: numbers with text around them, odd radii, true/false spellings.

#include <optional>
#include <string>
#include <string_view>

// A number as the checker shows it: "%g".
std::string shownNumber(float value);

// A number field that holds no number, or text after its number. Where a
// comma cannot separate fields, "80,5" is taken as a decimal comma.
std::optional<std::string> numberTextWarning(std::string_view text, const std::string& field,
                                             bool commaSeparates);

// Radii the plug-in takes as they are, but a player would hardly mean.
std::optional<std::string> radiusWarning(float radius);

// A true/false value that turns `what` off without saying so plainly.
std::optional<std::string> trueFalseWarning(std::string_view value, bool on, std::string_view what);
