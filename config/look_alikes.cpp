#include "config/explain.h"

#include "config/text.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <utility>

namespace {

// Characters a word processor, a web page or a phone puts where a player
// typed or meant a plain one. The game's names and the file's numbers know
// only the plain ones.
enum class LookAlike {
    CurlyQuote,
    CurlyApostrophe,
    NonBreakingSpace,
    OtherSpace,
    Invisible,
    Dash,
    FullWidth,
    Letter
};

struct Found {
    LookAlike kind;
    char32_t code;
    std::string_view bytes; // as the file holds it
    bool ansi;              // a byte of Windows' "ANSI" code page, not UTF-8
};

// Cyrillic and Greek letters a keyboard layout or a pasted name slips in,
// with the Latin letter each looks like.
struct LetterLike {
    char32_t code;
    char latin;
};
// clang-format off
constexpr LetterLike lookAlikeLetters[] = {
    // Cyrillic
    {0x0430, 'a'}, {0x0435, 'e'}, {0x043E, 'o'}, {0x0440, 'p'}, {0x0441, 'c'}, {0x0443, 'y'},
    {0x0445, 'x'}, {0x0456, 'i'}, {0x0458, 'j'}, {0x0455, 's'}, {0x0410, 'A'}, {0x0412, 'B'},
    {0x0415, 'E'}, {0x041A, 'K'}, {0x041C, 'M'}, {0x041D, 'H'}, {0x041E, 'O'}, {0x0420, 'P'},
    {0x0421, 'C'}, {0x0422, 'T'}, {0x0423, 'Y'}, {0x0425, 'X'}, {0x0406, 'I'}, {0x0408, 'J'},
    {0x0405, 'S'},
    // Greek
    {0x03BF, 'o'}, {0x03B1, 'a'}, {0x03BD, 'v'}, {0x03C1, 'p'}, {0x03BA, 'k'}, {0x03B9, 'i'},
    {0x03C5, 'u'}, {0x0391, 'A'}, {0x0392, 'B'}, {0x0395, 'E'}, {0x0396, 'Z'}, {0x0397, 'H'},
    {0x0399, 'I'}, {0x039A, 'K'}, {0x039C, 'M'}, {0x039D, 'N'}, {0x039F, 'O'}, {0x03A1, 'P'},
    {0x03A4, 'T'}, {0x03A5, 'Y'}, {0x03A7, 'X'}, {0x03C7, 'x'},
};
// clang-format on

std::optional<char> latinLookAlike(char32_t c) {
    const auto found = std::ranges::find(lookAlikeLetters, c, &LetterLike::code);
    return found == std::ranges::end(lookAlikeLetters) ? std::nullopt : std::optional(found->latin);
}

std::optional<LookAlike> kindOf(char32_t c) {
    if (latinLookAlike(c)) {
        return LookAlike::Letter;
    }
    if (c >= 0x201C && c <= 0x201F) {
        return LookAlike::CurlyQuote;
    }
    if (c >= 0x2018 && c <= 0x201B) {
        return LookAlike::CurlyApostrophe;
    }
    if (c == 0xA0 || c == 0x202F || c == 0x2007) {
        return LookAlike::NonBreakingSpace;
    }
    if ((c >= 0x2000 && c <= 0x200A) || c == 0x205F || c == 0x3000) {
        return LookAlike::OtherSpace;
    }
    if ((c >= 0x200B && c <= 0x200D) || c == 0x2060 || c == 0xFEFF || c == 0xAD) {
        return LookAlike::Invisible;
    }
    if ((c >= 0x2010 && c <= 0x2015) || c == 0x2212) {
        return LookAlike::Dash;
    }
    if (c >= 0xFF01 && c <= 0xFF5E) {
        return LookAlike::FullWidth;
    }
    return std::nullopt;
}

// The same characters as Notepad's "ANSI" (Windows-1252) writes them.
std::optional<char32_t> ansiCode(unsigned char byte) {
    switch (byte) {
    case 0x91:
        return 0x2018;
    case 0x92:
        return 0x2019;
    case 0x93:
        return 0x201C;
    case 0x94:
        return 0x201D;
    case 0x96:
        return 0x2013;
    case 0x97:
        return 0x2014;
    case 0xA0:
    case 0xAD:
        return byte;
    default:
        return std::nullopt;
    }
}

// The UTF-8 sequence at `at`: its code point and length, or length 0.
std::pair<char32_t, std::size_t> decoded(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 0;
    if (length == 0 || at + length > text.size()) {
        return {0, 0};
    }
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return {0, 0};
        }
        code = code << 6 | (next & 0x3F);
    }
    return {code, length};
}

// The text as a player meant it: the look-alikes deleted or made plain, and
// every one found, in order.
std::string plainText(std::string_view text, std::vector<Found>& found) {
    std::string plain;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            plain += text[at++];
            continue;
        }
        auto [code, length] = decoded(text, at);
        const bool ansi = length == 0;
        if (ansi) {
            code = ansiCode(byte).value_or(0);
            length = 1;
        }
        const auto kind = kindOf(code);
        if (!kind) {
            plain.append(text.substr(at, length));
        } else if (*kind == LookAlike::Dash) {
            plain += '-';
        } else if (*kind == LookAlike::FullWidth) {
            plain += static_cast<char>(code - 0xFEE0);
        } else if (*kind == LookAlike::Letter) {
            plain += *latinLookAlike(code);
        }
        if (kind) {
            found.push_back({*kind, code, text.substr(at, length), ansi});
        }
        at += length;
    }
    return plain;
}

struct Said {
    std::string what; // "curly quotes (...), which become part of it"
    std::string action;
};

Said said(const Found& first) {
    switch (first.kind) {
    case LookAlike::CurlyQuote:
        return {"curly quotes (\xE2\x80\x9C \xE2\x80\x9D), which become part of it", "delete them"};
    case LookAlike::CurlyApostrophe:
        return {"curly apostrophes (\xE2\x80\x98 \xE2\x80\x99), which become part of it",
                "delete them"};
    case LookAlike::NonBreakingSpace:
        return {"a non-breaking space, which looks like a space but becomes part of it",
                "delete it"};
    case LookAlike::OtherSpace:
        return {"a special space (not the space bar's), which becomes part of it", "delete it"};
    case LookAlike::Invisible:
        return {"an invisible character, which becomes part of it",
                "delete it (retype the text if you cannot find it)"};
    case LookAlike::Dash:
        return {std::string(first.code == 0x2212 ? "a minus sign (\xE2\x88\x92)"
                                                 : "a long dash (\xE2\x80\x93)") +
                    ", which looks like \"-\" but is another character",
                "type \"-\" in its place"};
    case LookAlike::Letter: {
        const std::string latin(1, *latinLookAlike(first.code));
        return {std::string(first.code < 0x0400 ? "a Greek" : "a Cyrillic") + " \"" +
                    std::string(first.bytes) + "\", which looks like \"" + latin +
                    "\" but is another letter",
                "type \"" + latin + "\" in its place"};
    }
    case LookAlike::FullWidth:
        break;
    }
    const std::string plain(1, static_cast<char>(first.code - 0xFEE0));
    return {"a full-width \"" + std::string(first.bytes) + "\", which looks like \"" + plain +
                "\" but is another character",
            "type \"" + plain + "\" in its place"};
}

// "U+201C and U+201D", or from an ANSI file "\x93 and \x94 (Windows-1252)".
std::string codesOf(const std::vector<Found>& found) {
    std::vector<std::string> codes;
    for (const Found& one : found) {
        char text[16];
        if (one.ansi) {
            std::snprintf(text, sizeof text, "\\x%02X",
                          static_cast<unsigned>(static_cast<unsigned char>(one.bytes.front())));
        } else {
            std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(one.code));
        }
        if (std::ranges::find(codes, text) == codes.end()) {
            codes.emplace_back(text);
        }
    }
    return joinedList(codes, "and") + (found.front().ansi ? " (Windows-1252)" : "");
}

// A warning for each kind found in one part of the line; whether there was any.
bool warnAbout(std::string_view part, std::string_view place, std::vector<Warning>& warnings) {
    std::vector<Found> found;
    const std::string plain = plainText(part, found);
    std::vector<LookAlike> kinds;
    for (const Found& first : found) {
        if (std::ranges::find(kinds, first.kind) != kinds.end()) {
            continue;
        }
        kinds.push_back(first.kind);
        std::vector<Found> ofKind;
        std::ranges::copy_if(found, std::back_inserter(ofKind),
                             [&](const Found& one) { return one.kind == first.kind; });
        const Said words = said(first);
        warnings.push_back({"the " + std::string(place) + " holds " + words.what,
                            words.action + ", so that it reads " + quotedText(plain),
                            codesOf(ofKind)});
    }
    return !found.empty();
}

} // namespace

bool addLookAlikeWarnings(const ConfigLine& line, std::vector<Warning>& warnings) {
    const std::string_view keyPlace =
        line.section == ConfigFormat::sectionSettings ? "key" : "name";
    switch (line.kind) {
    case LineKind::Blank:
    case LineKind::Comment:
        return false;
    case LineKind::Header:
        warnAbout(line.text, "header", warnings);
        return false;
    case LineKind::Entry: {
        const bool inName = warnAbout(line.key, keyPlace, warnings);
        warnAbout(line.value, "value", warnings);
        return inName;
    }
    case LineKind::Setting:
        break;
    case LineKind::WithoutEffect:
        if (line.noEffect != NoEffect::UnknownKey && line.noEffect != NoEffect::EntryWithoutComma) {
            // The byte-order mark before line 1 has a warning of its own.
            const bool marked = line.number == 1 && startsWithByteOrderMark(line.text);
            warnAbout(line.text.substr(marked ? 3 : 0), "line", warnings);
            return false;
        }
        break;
    }
    warnAbout(line.key, keyPlace, warnings);
    warnAbout(line.value, "value", warnings);
    return false;
}
