#pragma once

// Text from a player's file shown safely: bytes nobody can see (tabs, control
// bytes, a byte-order mark, anything past ASCII) escaped as \t and \xNN.

#include <cstddef>
#include <string>
#include <string_view>

std::string visibleText(std::string_view text);
// In double quotes, escaped, and cut short with "..." past `longest` characters of the text.
std::string quotedText(std::string_view text, std::size_t longest = 80);
