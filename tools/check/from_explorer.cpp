#include "tools/check/checker.h"

#include "config/config_format.h"
#include "config/text.h"
#include "tools/files/files.h"

#include <algorithm>

namespace {

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), asciiLower);
    return lower;
}

} // namespace

std::optional<std::string> nearName(std::string_view name, std::string_view wanted) {
    const std::string lower = lowerCase(name), meant = lowerCase(wanted);
    const auto dot = meant.rfind('.');
    const std::string stem = meant.substr(0, dot),
                      ending = dot == std::string::npos ? "" : meant.substr(dot);
    const std::string unlessShown = "\" unless View, File name extensions is on";
    if (name == wanted) {
        return std::nullopt;
    }
    if (lower == meant) {
        return "its letters differ in case";
    }
    if (lower == meant + ".txt") {
        return "Explorer hides its ending \".txt" + unlessShown;
    }
    if (!ending.empty() && lower == meant + ending) {
        return "Explorer hides its last \"" + ending + unlessShown;
    }
    if (!ending.empty() && lower == stem + ".txt") {
        return "it ends in \".txt\", not \"" + ending + "\"";
    }
    // A copy's name, as a browser or Explorer makes it: "BrambleCap (1).ini",
    // "BrambleCap - Copy.ini".
    if (lower.starts_with(stem) && lower.ends_with(ending) &&
        lower.size() > stem.size() + ending.size()) {
        const std::string added =
            lower.substr(stem.size(), lower.size() - stem.size() - ending.size());
        const bool numbered = added.size() > 3 && added.starts_with(" (") && added.ends_with(")") &&
                              std::ranges::all_of(added.substr(2, added.size() - 3),
                                                  [](char c) { return c >= '0' && c <= '9'; });
        if (numbered || added == " - copy") {
            return quotedText(name.substr(stem.size(), added.size())) + " is added to its name";
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
    if (programFolder.lexically_normal() != currentFolder.lexically_normal()) {
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
