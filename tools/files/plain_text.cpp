#include "tools/files/files.h"

#include "config/text.h"

namespace {

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
    if (const std::string_view utf16 = utf16Form(bytes); !utf16.empty()) {
        return file + " " + savedAsUtf16(utf16, reader.who, reader.finds) + "; " + reader.saveAs;
    }
    if (crOnlyLineEnds(bytes)) {
        return file + " has CR-only line ends (an old Mac editor's), so " + reader.who +
               " reads it as one line and finds " + reader.finds +
               " in it; copy all of it into a new Notepad file and save that, or have your "
               "editor save it with Windows (CR LF) line ends";
    }
    return std::nullopt;
}
