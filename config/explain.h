#pragma once

// What the plug-in makes of each line of BrambleCap.ini, and what of it a
// player probably did not mean, with the fix in a player's words: the checker
// and the plug-in's log tell the same story from here.

#include "config/config_format.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Something a line (or the file) does that the player probably did not mean.
struct Warning {
    std::string problem; // what happens, in a player's words
    std::string fix;     // what to do about it
    std::string details; // for a modder who asks: bytes, hashes; may be empty
};

// One line of the file as the plug-in reads it.
struct LineVerdict {
    int number = 0;
    std::string text;    // as the file holds it: a lone CR is kept, a CR LF's CR is not
    std::string section; // the section it falls in; a header's is the one it starts
    LineKind kind = LineKind::Blank;
    std::string does;    // what the plug-in does with it, in one short line
    std::string details; // for a modder who asks: the name's hash, how a number read
    std::vector<Warning> warnings;
};

struct FileVerdict {
    std::vector<LineVerdict> lines;
    std::vector<Warning> fileWarnings;   // the file as a whole: empty, cut short, listing nothing
    Settings settings = initialSettings; // in force once the file is read
    std::size_t treeModels = 0;          // tree models listed, each counted once
};

// Every line of a file's bytes, judged by the plug-in's own reading of them.
// The names are hashed here, never by the game.
FileVerdict judgeConfig(std::string_view bytes);

// Notepad's way to save the file as the plug-in reads it.
inline constexpr std::string_view saveAsPlainText =
    "in Notepad choose File, Save As, Encoding: UTF-8 (not \"UTF-8 with BOM\"), and save";

// Who reads the file and all it finds in one saved as UTF-16, in the words of
// savedAsUtf16: the checker's refusal and the verdict's file warning alike.
inline constexpr std::string_view pluginReader = "the plug-in";
inline constexpr std::string_view pluginFindsInUtf16 = "no setting and no model";

// The parts of a verdict, one source file each.

// "[Settings]": a section as the verdicts name it, escaped.
std::string bracketed(std::string_view section);
// A [Settings] key in any letter case: a line the player meant as a setting.
bool isSettingKey(std::string_view key);

// Where a line stands in its file, beyond what the line itself shows.
struct LinePlace {
    bool headerSeen = false;         // a header came on this line or before it
    bool fileStartsWithMark = false; // the file begins with a UTF-8 byte-order mark
    // The last line since the last header that blanks around its brackets
    // kept from being one: its number (0 for none) and text.
    int spacedHeaderLine = 0;
    std::string spacedHeader;
};

// A header but for blanks before its "[" or after its "]".
bool isSpacedHeader(std::string_view text);

// Why a line the parser read as without effect changes nothing.
Warning noEffectWarning(const ConfigLine& line, const LinePlace& place);

// The entries of one file seen so far, by the game's hash of the name: the
// last line that listed each model, and the name it used.
struct ListedModelNames {
    struct Listed {
        int line;
        std::string name;
    };
    std::unordered_map<std::uint32_t, Listed> byHash;
};

// Listed model names a player probably did not mean: a near miss of one of the
// default file's names, or another spelling of a model listed before. Every
// entry of a file passes here, in the file's order; the warning for the entry
// on `line` listing `name`, if it deserves one.
std::optional<Warning> modelNameWarning(ListedModelNames& seen, int line, std::string_view name);

// Characters that look like plain ones but are not (curly quotes, a
// non-breaking space, a long dash, a full-width "=", a Cyrillic "р"): a warning for each kind
// in the line. Returns whether a listed model's name holds one.
bool addLookAlikeWarnings(const ConfigLine& line, std::vector<Warning>& warnings);
