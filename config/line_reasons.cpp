#include "config/explain.h"

#include "config/text.h"

#include <algorithm>
#include <vector>

namespace {

std::string bracketed(std::string_view section) {
    return "[" + visibleText(section) + "]";
}

// The header a line before the first one probably belongs under, if any.
std::string likelySection(std::string_view text) {
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
        return "";
    }
    const std::string_view key = text.substr(0, equals), value = text.substr(equals + 1);
    if (std::ranges::find(settingTable, key, &SettingDeclaration::text) != settingTable.end()) {
        return ": it probably belongs under " + bracketed(ConfigFormat::sectionSettings);
    }
    const auto comma = value.find(',');
    if (!key.empty() && comma != std::string_view::npos &&
        readNumberText(value.substr(0, comma)).length > 0 &&
        readNumberText(value.substr(comma + 1)).length > 0) {
        return ": as a model entry it probably belongs under " +
               bracketed(ConfigFormat::sectionBlockProps);
    }
    return "";
}

std::string outsideReason(const ConfigLine& line, LinePlace place) {
    if (line.number == 1 && startsWithByteOrderMark(line.text)) {
        return "the file starts with a byte-order mark (\\xEF\\xBB\\xBF), so this line is no "
               "header; the lines up to the next header are ignored";
    }
    if (!place.headerSeen) {
        return place.fileStartsWithMark
                   ? "in no section: the byte-order mark on line 1 hid that header"
                   : "before the first section header" + likelySection(line.text);
    }
    if (line.section.empty()) {
        return "in the empty section opened by \"[]\"";
    }
    for (const std::string_view used :
         {ConfigFormat::sectionSettings, ConfigFormat::sectionBlockProps}) {
        if (sameIgnoringCase(line.section, used)) {
            return "section " + bracketed(line.section) + " is not " + bracketed(used) +
                   ": section names are case-sensitive";
        }
        if (trimmedText(line.section) == used) {
            return "section " + bracketed(line.section) + " holds blanks, so it is not " +
                   bracketed(used);
        }
    }
    return "section " + bracketed(line.section) + " is not read by the plug-in";
}

std::string noEqualsReason(const ConfigLine& line) {
    if (line.text.front() == '[') {
        if (trimmedText(line.text).back() == ']') {
            return "a header followed by a blank is no header; the lines after it stay in "
                   "section " +
                   bracketed(line.section);
        }
        return "begins with \"[\" but does not end with \"]\", so it is no header";
    }
    return "no \"=\" in the line";
}

std::string unknownKeyReason(std::string_view key) {
    if (key.empty()) {
        return "the line starts with \"=\": its key is empty";
    }
    std::vector<std::string> keys;
    for (const SettingDeclaration& setting : settingTable) {
        const std::string_view known = setting.text;
        if (trimmedText(key) == known && key != known) {
            return "the key is " + quotedText(key) + ": blanks around it are part of the key";
        }
        if (sameIgnoringCase(key, known)) {
            return "keys are case-sensitive: " + quotedText(key) + " is not \"" +
                   std::string(known) + "\"";
        }
        keys.emplace_back(known);
    }
    return "unknown setting " + quotedText(key) + "; the plug-in reads " + joinedList(keys, "and");
}

} // namespace

std::string noEffectReason(const ConfigLine& line, LinePlace place) {
    switch (line.noEffect) {
    case NoEffect::OutsideUsedSection:
        return outsideReason(line, place);
    case NoEffect::NoEquals:
        return noEqualsReason(line);
    case NoEffect::UnknownKey:
        return unknownKeyReason(line.key);
    case NoEffect::EntryWithoutComma:
        break;
    }
    return "the value " + quotedText(line.value) +
           " has no \",\" between its two numbers; nothing is listed";
}
