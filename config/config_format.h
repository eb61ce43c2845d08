#pragma once

// The words and marks of BrambleCap.ini, for the plug-in's reader and for every
// tool that explains or predicts what it reads.

#include <array>
#include <string_view>

namespace ConfigFormat {

inline constexpr std::string_view fileName = "BrambleCap.ini";
inline constexpr std::string_view sectionSettings = "Settings";
inline constexpr std::string_view sectionBlockProps = "BLOCK_PROPS";
inline constexpr std::string_view scanRadiusKey = "scanRadius";
inline constexpr std::string_view debugKey = "debug";
// The only values that turn debug on; every other value turns it off.
inline constexpr std::array<std::string_view, 4> trueSpellings = {"true", "TRUE", "True", "1"};
// The game's C runtime reads a text file up to the first Ctrl-Z.
inline constexpr char endOfText = '\x1A';

inline constexpr bool isTrueSpelling(std::string_view value) {
    for (const std::string_view spelling : trueSpellings) {
        if (value == spelling) {
            return true;
        }
    }
    return false;
}

} // namespace ConfigFormat
