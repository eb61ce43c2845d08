#include "tools/files/files.h"

#include "config/text.h"

#include <cstdio>

namespace {

struct Sequence {
    std::size_t length = 0; // 0: not valid UTF-8 text
    char32_t code = 0;
};

// The UTF-8 sequence of a character other than a control at `at`.
Sequence sequenceAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead >= 0x20 && lead < 0x7F) {
        return {1, lead};
    }
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size()) {
        return {};
    }
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return {};
        }
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    const char32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    // C1 controls (U+0080 to U+009F) act on some terminals as ESC does.
    const bool valid = code >= shortest[length] && code <= 0x10FFFF &&
                       !(code >= 0xD800 && code <= 0xDFFF) && code >= 0xA0;
    return valid ? Sequence{length, code} : Sequence{};
}

// The marks that turn the direction of the text around them, so that a name
// such as "\u202Eini.exe" would read as "exe.ini".
bool turnsDirection(char32_t code) {
    return code == 0x061C || code == 0x200E || code == 0x200F ||
           (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

} // namespace

std::string shownPath(std::string_view path) {
    std::string shown;
    for (std::size_t at = 0; at < path.size();) {
        const Sequence sequence = sequenceAt(path, at);
        if (sequence.length == 0) {
            shown += visibleText(path.substr(at, 1));
            ++at;
            continue;
        }
        if (turnsDirection(sequence.code)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(sequence.code));
            shown += escaped;
        } else {
            shown += path.substr(at, sequence.length);
        }
        at += sequence.length;
    }
    return shown;
}
