#include "tools/files/files.h"

#include <cstddef>

namespace {

// Notepad's names for the two byte orders of UTF-16.
constexpr const char* littleEndian = "Unicode (UTF-16)";
constexpr const char* bigEndian = "Unicode big endian (UTF-16 BE)";

// A byte-order mark, or, without one, text whose every other byte is NUL:
// ASCII in UTF-16 is half NULs, always in the same place of each pair.
// Nothing for text of single bytes.
const char* utf16Form(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        return littleEndian;
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return bigEndian;
    }
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
    return nullptr;
}

// CRs between lines of text and no LF anywhere; CRs after the last text end
// no line that anything reads.
bool crOnlyLineEnds(std::string_view text) {
    const auto lastText = text.find_last_not_of('\r');
    return text.find('\n') == std::string_view::npos && lastText != std::string_view::npos &&
           text.find('\r') < lastText;
}

} // namespace

std::optional<std::string> misreadTextForm(std::string_view bytes, const std::string& file,
                                           const TextReader& reader) {
    if (const char* utf16 = utf16Form(bytes)) {
        return file + " is saved as " + utf16 + ": " + reader.who +
               " reads plain text, so it finds " + reader.finds + " in it; " + reader.saveAs;
    }
    if (crOnlyLineEnds(bytes)) {
        return file + " has CR-only line ends (an old Mac editor's), so " + reader.who +
               " reads it as one line and finds " + reader.finds +
               " in it; copy all of it into a new Notepad file and save that, or have your "
               "editor save it with Windows (CR LF) line ends";
    }
    return std::nullopt;
}
