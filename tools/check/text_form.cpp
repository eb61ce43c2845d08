#include "tools/check/text_form.h"

#include "config/config_format.h"
#include "tools/files/plain_text.h"

namespace {

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
