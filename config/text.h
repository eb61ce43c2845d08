#pragma once

// Small text helpers, one home for the plug-in's configuration code, the
// stand-in host and the tools alike.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// ASCII only: the game's names and the file's keys know no other case.
char asciiLower(char c);
bool sameIgnoringCase(std::string_view a, std::string_view b);

// A model name as the game's hash reads it: ASCII letters lower-cased and a
// backslash read as "/" (the game's paths take either); other bytes as they are.
std::string foldedName(std::string_view name);
// The name hash the game's GET_HASH_KEY computes: Jenkins one-at-a-time over
// the folded name. The plug-in asks the game; the stand-in host and the tools
// compute it here.
std::uint32_t nameHash(std::string_view name);
// A model hash as players and modders see it written: "0xA0542754".
std::string hashText(std::uint32_t hash);
// A number as players read it, "%g": 100, 80.5, 1e+39, inf, nan.
std::string shownNumber(double value);

// "1 frame", "2 frames"; `many` where the plural is not `one` and "s".
std::string counted(long long count, std::string_view one, std::string_view many = {});
// "a", "a and b", "a, b and c" with `last` "and" (or "or").
std::string joinedList(const std::vector<std::string>& items, std::string_view last);

// The text with the blanks and tabs at both ends removed.
std::string_view trimmedText(std::string_view text);
// Notepad's "UTF-8 with BOM" puts these three bytes before the first line.
bool startsWithByteOrderMark(std::string_view bytes);
// Notepad's name for the UTF-16 a file is saved in, "Unicode (UTF-16)" or
// "Unicode big endian (UTF-16 BE)"; empty for text of single bytes.
std::string_view utf16Form(std::string_view bytes);
// What a reader of plain text makes of such a file: "is saved as Unicode
// (UTF-16): the plug-in reads plain text, so it finds no setting and no model in it".
std::string savedAsUtf16(std::string_view form, std::string_view who, std::string_view finds);

// Text from a player's file shown safely: bytes nobody can see (tabs, CRs,
// control bytes, a byte-order mark, anything past ASCII) escaped as \t, \r and \xNN.
std::string visibleText(std::string_view text);
// In double quotes, escaped, and cut short with "..." past `longest` characters of the text.
std::string quotedText(std::string_view text, std::size_t longest = 80);
