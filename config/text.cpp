#include "config/text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, {}, asciiLower, asciiLower);
}

namespace {

char folded(char c) {
    return c == '\\' ? '/' : asciiLower(c);
}

} // namespace

std::string foldedName(std::string_view name) {
    std::string text(name);
    std::ranges::transform(text, text.begin(), folded);
    return text;
}

std::uint32_t nameHash(std::string_view name) {
    std::uint32_t hash = 0;
    for (const char c : name) {
        hash += static_cast<unsigned char>(folded(c));
        hash += hash << 10;
        hash ^= hash >> 6;
    }
    hash += hash << 3;
    hash ^= hash >> 11;
    hash += hash << 15;
    return hash;
}

std::string hashText(std::uint32_t hash) {
    std::string text = "0x00000000";
    for (std::size_t digit = text.size(); digit-- > 2; hash >>= 4) {
        text[digit] = "0123456789ABCDEF"[hash & 0xF];
    }
    return text;
}

std::string shownNumber(double value) {
    // Whole numbers below a million, most of a file's, as "%g" writes them
    // without its cost; -0 keeps its sign there.
    if (value == std::trunc(value) && std::fabs(value) < 1e6 && !std::signbit(value)) {
        return std::to_string(static_cast<long>(value));
    }
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string counted(long long count, std::string_view one, std::string_view many) {
    std::string text = std::to_string(count) + " ";
    if (count == 1) {
        return text.append(one);
    }
    return many.empty() ? text.append(one).append("s") : text.append(many);
}

std::string joinedList(const std::vector<std::string>& items, std::string_view last) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text.append(i + 1 == items.size() ? " " + std::string(last) + " " : ", ");
        }
        text.append(items[i]);
    }
    return text;
}

std::string_view trimmedText(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool startsWithByteOrderMark(std::string_view bytes) {
    return bytes.starts_with("\xEF\xBB\xBF");
}

std::string_view utf16Form(std::string_view bytes) {
    constexpr std::string_view littleEndian = "Unicode (UTF-16)";
    constexpr std::string_view bigEndian = "Unicode big endian (UTF-16 BE)";
    if (bytes.starts_with("\xFF\xFE")) {
        return littleEndian;
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return bigEndian;
    }
    // Without a byte-order mark: ASCII in UTF-16 is half NULs, always in the
    // same place of each pair.
    std::size_t nulFirst = 0, nulSecond = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        nulFirst += bytes[i] == '\0' && bytes[i + 1] != '\0' ? 1 : 0;
        nulSecond += bytes[i] != '\0' && bytes[i + 1] == '\0' ? 1 : 0;
    }
    const std::size_t pairs = bytes.size() / 2;
    if (pairs >= 2 && 2 * nulSecond >= pairs) {
        return littleEndian;
    }
    if (pairs >= 2 && 2 * nulFirst >= pairs) {
        return bigEndian;
    }
    return {};
}

std::string savedAsUtf16(std::string_view form, std::string_view who, std::string_view finds) {
    return "is saved as " + std::string(form) + ": " + std::string(who) +
           " reads plain text, so it finds " + std::string(finds) + " in it";
}

std::string visibleText(std::string_view text) {
    std::string shown;
    for (const char raw : text) {
        const auto c = static_cast<unsigned char>(raw);
        if (c == '\t') {
            shown += "\\t";
        } else if (c == '\r') {
            shown += "\\r";
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
