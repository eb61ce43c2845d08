#include "tools/check/checker.h"

#include "config/config_format.h"
#include "config/text.h"
#include "tools/files/files.h"

#include <filesystem>

namespace {

// Some Notepads' "UTF-8" writes a byte-order mark, which hides line 1's header.
constexpr TextReader plugin{"the plug-in", "no setting and no model",
                            "in Notepad choose Save As, Encoding: ANSI or UTF-8 (not \"UTF-8 "
                            "with BOM\")"};

// The plug-in writes only its own file name, and only into a folder that
// exists; whether that folder is the game's the checker cannot know.
bool couldBeWrittenByThePlugin(const std::string& path) {
    const std::filesystem::path file = filePath(path);
    std::error_code error;
    return sameIgnoringCase(utf8Path(file.filename()), ConfigFormat::fileName) &&
           std::filesystem::is_directory(
               file.has_parent_path() ? file.parent_path() : std::filesystem::path("."), error);
}

} // namespace

int checkFile(const std::string& path, const CheckOptions& options, std::ostream& out,
              std::ostream& errors) {
    std::string cause;
    const auto bytes = readUserFile(path, cause);
    if (!bytes) {
        const bool missing = cause == "No such file or directory";
        errors << "bramblecap-check: cannot read " << shownPath(path) << ": " << cause
               << (missing && couldBeWrittenByThePlugin(path)
                       ? " (in the game folder, the plug-in writes the default file when it "
                         "starts)"
                       : "")
               << "\n";
        return 2;
    }
    // The plug-in reads nothing after a Ctrl-Z.
    const std::string_view read =
        std::string_view(*bytes).substr(0, bytes->find(ConfigFormat::endOfText));
    if (const auto form = misreadTextForm(read, shownPath(path), plugin)) {
        errors << "bramblecap-check: " << *form << "\n";
        return 2;
    }
    return explainConfig(shownPath(path), *bytes, options, out);
}
