#include "tools/check/text_form.h"

#include "config/config_format.h"
#include "tools/files/line_ends.h"

#include <cstddef>

namespace {

enum class Utf16 { No, LittleEndian, BigEndian };

// A byte-order mark, or, without one, text whose every other byte is NUL:
// ASCII in UTF-16 is half NULs, always in the same place of each pair.
Utf16 utf16Kind(std::string_view bytes) {
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

// Some Notepads' "UTF-8" writes a byte-order mark, which hides line 1's header.
constexpr std::string_view unicodeFix = ": BrambleCap reads plain text, so it finds no setting and "
                                        "no model in it; in Notepad choose Save As, Encoding: "
                                        "ANSI or UTF-8 (not \"UTF-8 with BOM\")";

} // namespace

std::optional<std::string> misreadTextForm(std::string_view bytes) {
    switch (utf16Kind(bytes)) {
    case Utf16::LittleEndian:
        return "is saved as Unicode (UTF-16)" + std::string(unicodeFix);
    case Utf16::BigEndian:
        return "is saved as Unicode big endian (UTF-16 BE)" + std::string(unicodeFix);
    case Utf16::No:
        break;
    }
    // The plug-in drops every CR and reads nothing after a Ctrl-Z.
    if (crOnlyLineEnds(bytes.substr(0, bytes.find(ConfigFormat::endOfText)))) {
        return "has CR-only line ends (an old Mac editor's), so the plug-in reads it as one line "
               "and finds no setting and no model in it; copy all of it into a new Notepad file "
               "and save that, or have your editor save it with Windows (CR LF) line ends";
    }
    return std::nullopt;
}
