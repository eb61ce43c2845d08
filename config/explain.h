#pragma once

// What a line of BrambleCap.ini does that a player probably did not mean, in
// words a player can act on: the checker and the plug-in's log say it alike.

#include "config/config_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// Where a line stands in its file, beyond what the line itself shows.
struct LinePlace {
    bool headerSeen;         // a header came on this line or before it
    bool fileStartsWithMark; // the file begins with a UTF-8 byte-order mark
};

// Why a line the parser read as without effect changes nothing.
std::string noEffectReason(const ConfigLine& line, LinePlace place);

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
// entry of a file passes here, in the file's order; the hint for the entry on
// `line` listing `name`, if it deserves one.
std::optional<std::string> modelNameHint(ListedModelNames& seen, int line, std::string_view name);
