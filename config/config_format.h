#pragma once

// BrambleCap.ini as a format: its words and marks, the records it fills, the
// one reading of it and the default file, for the plug-in's reader and for
// every tool that explains or predicts what it reads. Nothing here touches the
// plug-in's tables, a native or a file.
//
// The [Settings] keys are declared once, below. A new key is a new SettingKey
// and a row of settingTable; the build makes a switch without a case for it an
// error, so the compiler then names every place that must decide what it means.

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace ConfigFormat {

// Both files lie in the game's folder, the plug-in's working folder.
inline constexpr std::string_view fileName = "BrambleCap.ini";
inline constexpr std::string_view logFileName = "BrambleCap.log";
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

struct Settings {
    float scanRadius;
    bool debug;
};

// What the Settings record holds before the file is read, and keeps for every
// key the file lacks.
inline constexpr Settings initialSettings{100.0f, false};

// Which shield model to spawn over a listed model, and how far above it.
struct PropShieldParams {
    float shieldModelIndex;
    float heightOffset;
};

// What the file's numbers mean to the shields, here rather than in shields/
// so that the explanations of a file can state them.
// Shield models, numbered 1 to 19.
inline constexpr int shieldModelCount = 19;
// Metres beyond scanRadius that a shield may lie before it is retired.
inline constexpr float retirementMargin = 50.0f;

// The shield model number a listed model's first number selects: truncated
// toward zero, clamped to 1..19; not-a-number selects 1.
inline constexpr int shieldModelNumber(float shieldModelIndex) {
    // Compare before converting: huge, infinite and not-a-number values have no int.
    if (!(shieldModelIndex >= 2.0f)) {
        return 1;
    }
    if (shieldModelIndex >= static_cast<float>(shieldModelCount)) {
        return shieldModelCount;
    }
    return static_cast<int>(shieldModelIndex);
}

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
    std::string_view raw;     // the line as the file holds it, CRs and all, without its LF
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

// The one reading of BrambleCap.ini: applies the format's rules (text-mode
// line ends and Ctrl-Z, comments, headers, sections, keys, values, the
// numbers) and tells a handler what each line means. The plug-in's handler
// fills its tables, the checker's explains, the dry run's keeps a summary.
void parseConfig(std::string_view bytes, const ConfigHandler& handler);

// What a setting line of the file changes in the record: the plug-in's, and
// the checker's summary of it.
void applySetting(const ConfigLine& line, Settings& settings);

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

// The file the plug-in writes when BrambleCap.ini is missing: 75 lines, each
// ended by CR LF.
std::string defaultConfigText();

// The 70 model names of that file, in its order.
std::span<const std::string_view> defaultModelNames();
