#include "tools/check/checker.h"

#include "config/config_format.h"
#include "config/text.h"
#include "tools/files/files.h"

namespace {

// Some Notepads' "UTF-8" writes a byte-order mark, which hides line 1's header.
constexpr TextReader plugin{pluginReader.data(), pluginFindsInUtf16.data(), saveAsPlainText.data()};

// The plug-in reads BrambleCap.ini and nothing else: a file named almost so,
// or one whose ".txt" Explorer hides, is named with the rename to make.
std::optional<Warning> fileNameWarning(const std::string& name) {
    const std::string_view config = ConfigFormat::fileName, hidden = ".ini.txt";
    if (sameIgnoringCase(name, config)) {
        return std::nullopt; // Windows finds it under any case
    }
    std::string meant(config);
    auto why = nearName(name, meant);
    if (!why && name.size() > hidden.size() &&
        sameIgnoringCase(std::string_view(name).substr(name.size() - hidden.size()), hidden)) {
        meant = name.substr(0, name.size() - 4);
        why = nearName(name, meant);
    }
    if (!why) {
        return std::nullopt;
    }
    return Warning{"the plug-in reads only " + std::string(config) + ", and this file is " +
                       quotedText(name) + ": " + *why,
                   "rename it to " + quotedText(meant),
                   {}};
}

} // namespace

int checkFile(const std::string& path, const CheckOptions& options, std::ostream& out,
              std::ostream& errors) {
    const std::filesystem::path file = filePath(path);
    const std::string name = utf8Path(file.filename());
    std::string cause;
    const auto bytes = readUserFile(path, cause);
    if (!bytes) {
        errors << "bramblecap-check: cannot read " << shownPath(path) << ": " << cause;
        if (cause == "No such file or directory") {
            const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
            errors << nearNamesNote(file.has_parent_path() ? shownPath(utf8Path(folder))
                                                           : "the current folder",
                                    namesInFolder(folder), name);
        }
        errors << "\n";
        return 2;
    }
    // The plug-in reads nothing after a Ctrl-Z.
    const std::string_view read =
        std::string_view(*bytes).substr(0, bytes->find(ConfigFormat::endOfText));
    if (const auto form = misreadTextForm(read, shownPath(path), plugin)) {
        errors << "bramblecap-check: " << *form << "\n";
        return 2;
    }
    FileVerdict verdict = judgeConfig(*bytes);
    if (auto warning = fileNameWarning(name)) {
        verdict.fileWarnings.insert(verdict.fileWarnings.begin(), std::move(*warning));
    }
    return showVerdict(shownPath(path), verdict, options, out);
}
