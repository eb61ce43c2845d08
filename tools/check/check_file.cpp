#include "tools/check/check_file.h"

#include "config/config_format.h"
#include "tools/check/text_form.h"
#include "tools/files/command_line.h"
#include "tools/files/shown_path.h"
#include "tools/files/user_file.h"

#include <algorithm>

namespace {

// Only where the plug-in looks is a missing file one it would write.
bool namesTheConfigFile(const std::string& path) {
    const std::string name = utf8Path(filePath(path).filename());
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return std::ranges::equal(name, ConfigFormat::fileName,
                              [&](char a, char b) { return lower(a) == lower(b); });
}

} // namespace

int checkFile(const std::string& path, const CheckOptions& options, std::ostream& out,
              std::ostream& errors) {
    std::string cause;
    const auto bytes = readUserFile(path, cause);
    if (!bytes) {
        const bool missing = cause == "No such file or directory";
        errors << "bramblecap-check: cannot read " << shownPath(path) << ": " << cause
               << (missing && namesTheConfigFile(path)
                       ? " (the plug-in would write the default file there)"
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
