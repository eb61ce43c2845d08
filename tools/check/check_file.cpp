#include "tools/check/checker.h"

#include "config/config_format.h"
#include "config/text.h"
#include "tools/files/files.h"

namespace {

// A file the plug-in cannot read as text is refused in the plug-in's words.
constexpr TextReader plugin{pluginReader.data(), pluginFindsInUtf16.data(), saveAsPlainText.data()};

// The plug-in reads BrambleCap.ini and nothing else: a file named almost so,
// or one whose ".txt" Explorer hides, is named with the rename to make; any
// other name of it, a backup's say, is named as a file the plug-in never reads.
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
        const std::string_view stem = config.substr(0, config.rfind('.'));
        if (!sameIgnoringCase(std::string_view(name).substr(0, stem.size()), stem)) {
            return std::nullopt; // a test file is a test file
        }
        return Warning{"the plug-in reads only " + std::string(config) + ", never " +
                           quotedText(name),
                       "to use this file, rename it to " + quotedText(config) +
                           " after moving any " + std::string(config) + " beside it away",
                       {}};
    }
    return Warning{"the plug-in reads only " + std::string(config) + ", and this file is " +
                       quotedText(name) + ": " + *why,
                   "rename it to " + quotedText(meant),
                   {}};
}

// Beside BrambleCap.ini, a file of a near name, "BrambleCap.ini.txt" above
// all, which Explorer may show as "BrambleCap.ini": the player may have edited
// that one, which the plug-in never reads.
std::vector<Warning> nearFilesBeside(const std::filesystem::path& folder) {
    const std::string config(ConfigFormat::fileName);
    std::vector<Warning> warnings;
    for (const std::string& name : namesInFolder(folder)) {
        const auto why = sameIgnoringCase(name, config) ? std::nullopt : nearName(name, config);
        if (why) {
            warnings.push_back({"beside it is " + quotedText(name) + " (" + *why +
                                    "), which may be the file you edited; the plug-in reads "
                                    "only " +
                                    config,
                                "edit " + config + "; or, if " + quotedText(name) +
                                    " holds your edits, move " + config +
                                    " away and rename that file to " + quotedText(config),
                                {}});
        }
    }
    return warnings;
}

} // namespace

int checkFile(const std::string& path, const CheckOptions& options, std::ostream& out,
              std::ostream& errors) {
    const std::filesystem::path file = filePath(path);
    const std::string name = utf8Path(file.filename());
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    std::string cause;
    const auto bytes = readUserFile(path, cause);
    if (!bytes) {
        errors << "bramblecap-check: cannot read " << shownPath(path) << ": " << cause;
        if (cause == "No such file or directory") {
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
    } else if (sameIgnoringCase(name, ConfigFormat::fileName)) {
        const auto near = nearFilesBeside(folder);
        verdict.fileWarnings.insert(verdict.fileWarnings.begin(), near.begin(), near.end());
    }
    return showVerdict(shownPath(path), verdict, options, out);
}
