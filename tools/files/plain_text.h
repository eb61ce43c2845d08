#pragma once

// Files that look like plain text in an editor but are not to a reader of
// bytes that splits lines at LF: saved as UTF-16, or with an old Mac editor's
// CR-only line ends. The checker and the dry run's CSV readers name them alike.

#include <cstddef>
#include <string_view>

enum class Utf16 { No, LittleEndian, BigEndian };

// A byte-order mark, or, without one, text whose every other byte is NUL:
// ASCII in UTF-16 is half NULs, always in the same place of each pair.
inline Utf16 utf16Kind(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        return Utf16::LittleEndian;
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return Utf16::BigEndian;
    }
    std::size_t nulFirst = 0, nulSecond = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        nulFirst += bytes[i] == '\0' && bytes[i + 1] != '\0' ? 1 : 0;
        nulSecond += bytes[i] != '\0' && bytes[i + 1] == '\0' ? 1 : 0;
    }
    const std::size_t pairs = bytes.size() / 2;
    if (pairs >= 2 && 2 * nulSecond >= pairs) {
        return Utf16::LittleEndian;
    }
    if (pairs >= 2 && 2 * nulFirst >= pairs) {
        return Utf16::BigEndian;
    }
    return Utf16::No;
}

// CRs between lines of text and no LF anywhere; CRs after the last text end
// no line that anything reads.
inline bool crOnlyLineEnds(std::string_view text) {
    const auto lastText = text.find_last_not_of('\r');
    return text.find('\n') == std::string_view::npos && lastText != std::string_view::npos &&
           text.find('\r') < lastText;
}
