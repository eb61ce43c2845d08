#pragma once

// The [Settings] keys, each declared once. A new key is a new SettingKey and a
// row of the table; the build makes a switch without a case for it an error,
// so the compiler then names every place that must decide what it means.

#include <array>
#include <cstddef>
#include <string_view>

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
