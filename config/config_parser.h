#pragma once

// The one reading of BrambleCap.ini. parseConfig applies the format's rules
// (text-mode line ends and Ctrl-Z, comments, headers, sections, keys, values,
// the numbers) and tells a handler what each line means. It owns nothing and
// touches no table, native or file: the plug-in's handler fills its tables,
// the checker's explains, the dry run's keeps a summary.

#include "config/config_format.h"
#include "config/settings.h"

#include <string_view>

enum class LineKind {
    Blank,
    Comment,
    Header,
    Setting,
    Entry,
    WithoutEffect,
};

// Why a line changes nothing.
enum class NoEffect {
    OutsideUsedSection, // content before the first header or in a section nobody reads
    NoEquals,
    UnknownKey,        // in [Settings], a key not in settingTable
    EntryWithoutComma, // in [BLOCK_PROPS], a value without the "," between its numbers
};

struct ConfigLine {
    int number = 0;
    std::string_view text;    // the line with every CR removed
    std::string_view section; // the section the line falls in; a header's is the one it opens
    LineKind kind = LineKind::Blank;
    std::string_view key;       // content lines: before the first "="
    std::string_view value;     // content lines: after it
    SettingKey setting{};       // settings: which one, and its value read by the key's kind:
    float settingNumber = 0;    // SettingKind::Number
    bool settingOn = false;     // SettingKind::TrueFalse
    const char* name = nullptr; // entries: the key, NUL-terminated, for GET_HASH_KEY
    PropShieldParams params{};  // entries: the two numbers
    NoEffect noEffect{};        // lines without effect: why
};

// Views in a ConfigLine last only for the call.
struct ConfigHandler {
    void (*onLine)(const ConfigLine& line, void* context);
    void* context;
};

void parseConfig(std::string_view bytes, const ConfigHandler& handler);
