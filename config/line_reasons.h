#pragma once

// Why a line of BrambleCap.ini changes nothing, in words a player can act on:
// the checker and the plug-in's log say it alike.

#include "config/config_parser.h"

#include <string>
#include <string_view>

// Where a line stands in its file, beyond what the line itself shows.
struct LinePlace {
    bool headerSeen;         // a header came on this line or before it
    bool fileStartsWithMark; // the file begins with a UTF-8 byte-order mark
};

// For a line the parser read as without effect.
std::string noEffectReason(const ConfigLine& line, LinePlace place);

bool startsWithByteOrderMark(std::string_view bytes);

// The text with the blanks and tabs at both ends removed.
std::string_view trimmedText(std::string_view text);
