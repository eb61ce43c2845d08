#pragma once

// The words and marks of BrambleCap.ini, for the plug-in's reader and for every
// tool that explains or predicts what it reads.
//
// The [Settings] keys are declared once, below. A new key is a new SettingKey
// and a row of settingTable; the build makes a switch without a case for it an
// error, so the compiler then names every place that must decide what it means.

#include <algorithm>
#include <array>
#include <cstddef>
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

enum class SettingKey { ScanRadius, Debug };

// How a value reads: a number as atof reads it, or true for one of the true
// spellings and false for any other text.
enum class SettingKind { Number, TrueFalse };

struct SettingDeclaration {
    SettingKey key;
    std::string_view text; // the key as the file spells it
    SettingKind kind;
    std::string_view what; // what it sets, in the checker's and the log's words
};

inline constexpr std::array settingTable = {
    SettingDeclaration{SettingKey::ScanRadius, "scanRadius", SettingKind::Number, "scan radius"},
    SettingDeclaration{SettingKey::Debug, "debug", SettingKind::TrueFalse,
                       "the status line and BrambleCap.log"},
};

// Rows in the order of the keys, so that a key finds its row by its value.
static_assert([] {
    for (std::size_t i = 0; i < settingTable.size(); ++i) {
        if (settingTable[i].key != static_cast<SettingKey>(i)) {
            return false;
        }
    }
    return true;
}());

inline constexpr const SettingDeclaration& declarationOf(SettingKey key) {
    return settingTable[static_cast<std::size_t>(key)];
}
