#include "config/quoted_text.h"

#include <cstdio>

std::string visibleText(std::string_view text) {
    std::string shown;
    for (const char raw : text) {
        const auto c = static_cast<unsigned char>(raw);
        if (c == '\t') {
            shown += "\\t";
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        } else {
            shown += raw;
        }
    }
    return shown;
}

std::string quotedText(std::string_view text, std::size_t longest) {
    if (text.size() <= longest) {
        return "\"" + visibleText(text) + "\"";
    }
    return "\"" + visibleText(text.substr(0, longest)) + "...\"";
}
