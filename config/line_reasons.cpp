#include "config/explain.h"

#include "config/text.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// The section a line in the wrong place probably belongs under: a setting's,
// or, for a name and two numbers, the tree models'.
std::optional<std::string_view> likelySection(std::string_view text) {
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view key = text.substr(0, equals), value = text.substr(equals + 1);
    if (isSettingKey(key)) {
        return ConfigFormat::sectionSettings;
    }
    const auto comma = value.find(',');
    if (!key.empty() && comma != std::string_view::npos &&
        readNumberText(value.substr(0, comma)).length > 0 &&
        readNumberText(value.substr(comma + 1)).length > 0) {
        return ConfigFormat::sectionBlockProps;
    }
    return std::nullopt;
}

std::string belongsUnder(std::string_view section) {
    return section == ConfigFormat::sectionSettings
               ? "it probably belongs under " + bracketed(section)
               : "as a tree model line it probably belongs under " + bracketed(section);
}

const std::string moveOrNote = "put it under " + bracketed(ConfigFormat::sectionSettings) + " or " +
                               bracketed(ConfigFormat::sectionBlockProps) +
                               ", or start it with \"#\" to keep it as a note";

Warning outsideWarning(const ConfigLine& line, const LinePlace& place) {
    if (line.number == 1 && startsWithByteOrderMark(line.text)) {
        return {"the file was saved as \"UTF-8 with BOM\": three invisible bytes at its start "
                "hide what this line is, and the lines up to the next header are ignored",
                std::string(saveAsPlainText),
                "a UTF-8 byte-order mark, \\xEF\\xBB\\xBF, starts the file"};
    }
    if (!place.headerSeen) {
        if (place.fileStartsWithMark) {
            return {"in no section: the file's \"UTF-8 with BOM\" encoding hid the header on "
                    "line 1",
                    std::string(saveAsPlainText),
                    {}};
        }
        if (const auto section = likelySection(line.text)) {
            return {"before the first section header: " + belongsUnder(*section),
                    "move it under " + bracketed(*section),
                    {}};
        }
        return {"before the first section header", moveOrNote, {}};
    }
    if (line.section.empty()) {
        return {"in no section: the header \"[]\" above it names none",
                "write " + bracketed(ConfigFormat::sectionSettings) + " or " +
                    bracketed(ConfigFormat::sectionBlockProps) + " in that header",
                {}};
    }
    for (const std::string_view used :
         {ConfigFormat::sectionSettings, ConfigFormat::sectionBlockProps}) {
        if (sameIgnoringCase(line.section, used)) {
            return {"section " + bracketed(line.section) + " is not " + bracketed(used) +
                        ": section names are case-sensitive",
                    "write that header as " + bracketed(used),
                    {}};
        }
        if (trimmedText(line.section) == used) {
            return {"section " + bracketed(line.section) + " holds spaces, so it is not " +
                        bracketed(used),
                    "write that header as " + bracketed(used),
                    {}};
        }
    }
    return {"section " + bracketed(line.section) + " is not read by the plug-in", moveOrNote, {}};
}

Warning noEqualsWarning(const ConfigLine& line) {
    if (line.text.front() == '[') {
        return {"begins with \"[\" but does not end with \"]\", so it is no header",
                "end the line with \"]\"",
                {}};
    }
    return {"no \"=\" in the line",
            line.section == ConfigFormat::sectionSettings
                ? "write it as a setting, such as scanRadius=100"
                : "write it as a tree model's name, \"=\" and two numbers, such as "
                  "prop_tree_pine_01=8.0,20.0",
            {}};
}

Warning unknownKeyWarning(const ConfigLine& line) {
    const std::string_view key = line.key;
    std::vector<std::string> keys;
    for (const SettingDeclaration& setting : settingTable) {
        keys.emplace_back(setting.text);
    }
    const std::string known = joinedList(keys, "or");
    if (key.empty()) {
        return {"the line starts with \"=\": its key is empty",
                "write " + known + " before the \"=\"",
                {}};
    }
    for (const SettingDeclaration& setting : settingTable) {
        const std::string_view name = setting.text;
        if (trimmedText(key) == name && key != name) {
            return {"the key is " + quotedText(key) + ": spaces around it are part of the key",
                    "write it as " +
                        quotedText(std::string(name) + "=" + std::string(trimmedText(line.value))),
                    {}};
        }
        if (sameIgnoringCase(key, name)) {
            return {"keys are case-sensitive: " + quotedText(key) + " is not \"" +
                        std::string(name) + "\"",
                    "write \"" + std::string(name) + "\"",
                    {}};
        }
    }
    if (likelySection(line.text) == ConfigFormat::sectionBlockProps) {
        return {"unknown setting " + quotedText(key) + ": " +
                    belongsUnder(ConfigFormat::sectionBlockProps),
                "move it under " + bracketed(ConfigFormat::sectionBlockProps),
                {}};
    }
    return {"unknown setting " + quotedText(key) + "; the plug-in reads " + joinedList(keys, "and"),
            "write " + known + ", or start the line with \"#\" to keep it as a note",
            {}};
}

Warning withoutCommaWarning(const ConfigLine& line) {
    const std::string_view key = trimmedText(line.key);
    if (isSettingKey(key)) {
        return {quotedText(key) + " is a setting, and settings are read only under " +
                    bracketed(ConfigFormat::sectionSettings),
                "move this line under " + bracketed(ConfigFormat::sectionSettings),
                {}};
    }
    return {"the value " + quotedText(line.value) +
                " has no \",\" between its two numbers; nothing is listed",
            "write the shield model number and the height with a \",\" between them, such as "
            "8.0,20.0",
            {}};
}

// The blanks that keep a line from being a header, as the fix names them:
// "space after "]"", "spaces before "[" and after "]"".
struct HeaderBlanks {
    std::string which;
    bool many;
};

std::optional<HeaderBlanks> headerBlanks(std::string_view text) {
    const std::string_view header = trimmedText(text);
    if (header.size() < 2 || header.front() != '[' || header.back() != ']' ||
        header.size() == text.size()) {
        return std::nullopt;
    }
    const auto before = static_cast<std::size_t>(header.data() - text.data());
    const std::size_t after = text.size() - before - header.size();
    if (before > 0 && after > 0) {
        return HeaderBlanks{"spaces before \"[\" and after \"]\"", true};
    }
    const std::size_t blanks = before + after;
    return HeaderBlanks{(blanks > 1 ? "spaces " : "space ") +
                            std::string(before > 0 ? "before \"[\"" : "after \"]\""),
                        blanks > 1};
}

// The section a header names, blanks around its brackets aside.
std::string_view sectionOf(std::string_view header) {
    header = trimmedText(header);
    return header.substr(1, header.size() - 2);
}

} // namespace

bool isSpacedHeader(std::string_view text) {
    return headerBlanks(text).has_value();
}

Warning noEffectWarning(const ConfigLine& line, const LinePlace& place) {
    if (const auto blanks = headerBlanks(line.text)) {
        return {(blanks->many ? "" : "a ") + blanks->which + (blanks->many ? " make" : " makes") +
                    " this no header; the lines after it " +
                    (line.section.empty() ? std::string("belong to no section")
                                          : "stay in section " + bracketed(line.section)),
                "delete the " + blanks->which,
                {}};
    }
    const std::string_view meant =
        place.spacedHeaderLine != 0 ? sectionOf(place.spacedHeader) : std::string_view();
    if (meant != line.section &&
        (meant == ConfigFormat::sectionSettings || meant == ConfigFormat::sectionBlockProps)) {
        const std::string which = headerBlanks(place.spacedHeader)->which;
        const std::string onLine = std::to_string(place.spacedHeaderLine);
        return {"line " + onLine + ", " + quotedText(place.spacedHeader) +
                    ", is no header because of the " + which + ", so this line is not under " +
                    bracketed(meant),
                "delete the " + which + " on line " + onLine,
                {}};
    }
    switch (line.noEffect) {
    case NoEffect::OutsideUsedSection:
        return outsideWarning(line, place);
    case NoEffect::NoEquals:
        return noEqualsWarning(line);
    case NoEffect::UnknownKey:
        return unknownKeyWarning(line);
    case NoEffect::EntryWithoutComma:
        break;
    }
    return withoutCommaWarning(line);
}
