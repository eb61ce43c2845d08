#include "tools/files/shown_path.h"

#include "config/quoted_text.h"

namespace {

// The length of the UTF-8 sequence of a printable character at `at`, or 0.
std::size_t printableSequence(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead >= 0x20 && lead < 0x7F) {
        return 1;
    }
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    const char32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    // C1 controls (U+0080 to U+009F) act on some terminals as ESC does.
    const bool valid = code >= shortest[length] && code <= 0x10FFFF &&
                       !(code >= 0xD800 && code <= 0xDFFF) && code >= 0xA0;
    return valid ? length : 0;
}

} // namespace

std::string shownPath(std::string_view path) {
    std::string shown;
    for (std::size_t at = 0; at < path.size();) {
        const std::size_t length = printableSequence(path, at);
        shown += length > 0 ? path.substr(at, length) : visibleText(path.substr(at, 1));
        at += length > 0 ? length : 1;
    }
    return shown;
}
