#include "tools/check/check_file.h"

#include "config/config_format.h"
#include "tools/check/text_form.h"
#include "tools/files/command_line.h"
#include "tools/files/shown_path.h"
#include "tools/files/user_file.h"

#include <algorithm>
#include <filesystem>

namespace {

// The plug-in writes only its own file name, and only into a folder that
// exists; whether that folder is the game's the checker cannot know.
bool couldBeWrittenByThePlugin(const std::string& path) {
    const std::filesystem::path file = filePath(path);
    const std::string name = utf8Path(file.filename());
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    std::error_code error;
    return std::ranges::equal(name, ConfigFormat::fileName,
                              [&](char a, char b) { return lower(a) == lower(b); }) &&
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
    if (const auto form = misreadTextForm(*bytes)) {
        errors << "bramblecap-check: " << shownPath(path) << " " << *form << "\n";
        return 2;
    }
    return explainConfig(shownPath(path), *bytes, options, out);
}
