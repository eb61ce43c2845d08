#pragma once

// The words and marks of BrambleCap.ini, for the plug-in's reader and for every
// tool that explains or predicts what it reads.

#include <algorithm>
#include <array>
#include <string_view>

namespace ConfigFormat {

inline constexpr std::string_view fileName = "BrambleCap.ini";
inline constexpr std::string_view sectionSettings = "Settings";
inline constexpr std::string_view sectionBlockProps = "BLOCK_PROPS";
// A true/false setting's values: only the true spellings turn it on, every
// other value turns it off; the false spellings are the ones that say so plainly.
inline constexpr std::array<std::string_view, 4> trueSpellings = {"true", "TRUE", "True", "1"};
inline constexpr std::array<std::string_view, 4> falseSpellings = {"false", "FALSE", "False", "0"};
// The game's C runtime reads a text file up to the first Ctrl-Z.
inline constexpr char endOfText = '\x1A';

inline constexpr bool isOneOf(std::string_view value,
                              const std::array<std::string_view, 4>& spellings) {
    return std::ranges::find(spellings, value) != spellings.end();
}

} // namespace ConfigFormat
