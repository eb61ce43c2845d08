#include "tools/check/checker.h"

#include "config/config_format.h"
#include "config/text.h"
#include "tools/files/files.h"

#include <algorithm>

std::optional<std::string> nearName(std::string_view name, std::string_view wanted) {
    const std::string_view ending = wanted.substr(std::min(wanted.rfind('.'), wanted.size()));
    const std::string_view stem = wanted.substr(0, wanted.size() - ending.size());
    const auto is = [&](std::string_view start, std::string_view end) {
        return sameIgnoringCase(name, std::string(start) + std::string(end));
    };
    const std::string unlessShown = "\" unless View, File name extensions is on";
    if (name == wanted) {
        return std::nullopt;
    }
    if (is(wanted, "")) {
        return "its letters differ in case";
    }
    if (is(wanted, ".txt")) {
        return "Explorer hides its ending \".txt" + unlessShown;
    }
    if (!ending.empty() && is(wanted, ending)) {
        return "Explorer hides its last \"" + std::string(ending) + unlessShown;
    }
    if (!ending.empty() && is(stem, ".txt")) {
        return "it ends in \".txt\", not \"" + std::string(ending) + "\"";
    }
    // A copy's name, as a browser or Explorer makes it: "BrambleCap (1).ini",
    // "BrambleCap - Copy.ini".
    if (name.size() > wanted.size() && sameIgnoringCase(name.substr(0, stem.size()), stem) &&
        sameIgnoringCase(name.substr(name.size() - ending.size()), ending)) {
        const std::string_view added = name.substr(stem.size(), name.size() - wanted.size());
        const bool numbered = added.size() > 3 && added.starts_with(" (") &&
                              added.find_first_not_of("0123456789", 2) == added.size() - 1 &&
                              added.ends_with(')');
        if (numbered || sameIgnoringCase(added, " - Copy")) {
            return quotedText(added) + " is added to its name";
        }
    }
    return std::nullopt;
}

std::string nearNamesNote(const std::string& folder, const std::vector<std::string>& names,
                          std::string_view wanted) {
    std::vector<std::string> near;
    for (const std::string& name : names) {
        if (const auto why = nearName(name, wanted)) {
            near.push_back(quotedText(name) + " (" + *why + ")");
        }
    }
    if (near.empty()) {
        return {};
    }
    return "; " + folder + " holds " + joinedList(near, "and") + ": rename " +
           (near.size() == 1 ? "it" : "the one you edited") + " to " + quotedText(wanted);
}

std::vector<std::string> namesInFolder(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.push_back(utf8Path(entry.path().filename()));
    }
    std::ranges::sort(names); // the system lists them in no set order
    return names;
}

std::optional<std::string> configToCheck(const std::filesystem::path& currentFolder,
                                         const std::filesystem::path& programFolder,
                                         const FolderNames& namesIn, std::string& missing) {
    const std::string_view wanted = ConfigFormat::fileName;
    std::vector<std::filesystem::path> folders = {currentFolder};
    std::error_code error; // a folder that is not there is no other name of this one
    if (programFolder.lexically_normal() != currentFolder.lexically_normal() &&
        !std::filesystem::equivalent(programFolder, currentFolder, error)) {
        folders.push_back(programFolder); // where a double-click starts it, the same
    }
    std::string looked, near;
    for (const std::filesystem::path& folder : folders) {
        const std::vector<std::string> names = namesIn(folder);
        const auto found = std::ranges::find_if(
            names, [&](const std::string& name) { return sameIgnoringCase(name, wanted); });
        if (found != names.end()) {
            return folder == currentFolder ? *found : utf8Path(folder / filePath(*found));
        }
        const std::string shown = shownPath(utf8Path(folder));
        looked += (looked.empty() ? "" : " or in ") + shown;
        near += nearNamesNote(shown, names, wanted);
    }
    missing = "no " + std::string(wanted) + " in " + looked +
              (near.empty() ? "; if you have none yet, start the game once with BrambleCap.asi "
                              "in its folder: the plug-in then writes the default file there"
                            : near);
    return std::nullopt;
}

bool waitBeforeClosing(int processesOnConsole, bool inputIsConsole, bool outputIsConsole) {
    return processesOnConsole == 1 && inputIsConsole && outputIsConsole;
}
