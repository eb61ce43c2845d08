#include "config/config_format.h"

#include <algorithm>
#include <string>

namespace {

void readSetting(ConfigLine& line) {
    const auto found = std::ranges::find(settingTable, line.key, &SettingDeclaration::text);
    if (found == settingTable.end()) {
        line.kind = LineKind::WithoutEffect;
        line.noEffect = NoEffect::UnknownKey;
        return;
    }
    line.kind = LineKind::Setting;
    line.setting = found->key;
    switch (found->kind) {
    case SettingKind::Number:
        line.settingNumber = readNumber(line.value);
        break;
    case SettingKind::TrueFalse:
        line.settingOn = ConfigFormat::isOneOf(line.value, ConfigFormat::trueSpellings);
        break;
    }
}

// name=first,second: the name is taken as written, blanks and all.
void readEntry(ConfigLine& line, std::string& name) {
    const auto comma = line.value.find(',');
    if (comma == std::string_view::npos) {
        line.kind = LineKind::WithoutEffect;
        line.noEffect = NoEffect::EntryWithoutComma;
        return;
    }
    line.kind = LineKind::Entry;
    // A number ends at a further ",", as atof's does.
    line.params = {readNumber(line.value.substr(0, comma)),
                   readNumber(line.value.substr(comma + 1))};
    name.assign(line.key);
    line.name = name.c_str();
}

void classify(ConfigLine& line, std::string& section, std::string& name) {
    const std::string_view text = line.text;
    if (text.empty()) {
        line.kind = LineKind::Blank;
    } else if (text.front() == '#' || text.front() == ';') {
        line.kind = LineKind::Comment;
    } else if (text.front() == '[' && text.back() == ']') {
        line.kind = LineKind::Header;
        section.assign(text.substr(1, text.size() - 2));
    } else if (section != ConfigFormat::sectionSettings &&
               section != ConfigFormat::sectionBlockProps) {
        line.kind = LineKind::WithoutEffect;
        line.noEffect = NoEffect::OutsideUsedSection;
    } else if (const auto equals = text.find('='); equals == std::string_view::npos) {
        line.kind = LineKind::WithoutEffect;
        line.noEffect = NoEffect::NoEquals;
    } else {
        line.key = text.substr(0, equals);
        line.value = text.substr(equals + 1);
        if (section == ConfigFormat::sectionSettings) {
            readSetting(line);
        } else {
            readEntry(line, name);
        }
    }
    line.section = section;
}

} // namespace

void parseConfig(std::string_view bytes, const ConfigHandler& handler) {
    bytes = bytes.substr(0, bytes.find(ConfigFormat::endOfText));
    std::string section, text, name;
    int number = 0;
    while (!bytes.empty()) {
        // Line feeds separate lines; the last needs none.
        const auto end = bytes.find('\n');
        ConfigLine line;
        line.raw = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        text.assign(line.raw);
        std::erase(text, '\r');
        line.number = ++number;
        line.text = text;
        classify(line, section, name);
        handler.onLine(line, handler.context);
    }
}

void applySetting(const ConfigLine& line, Settings& settings) {
    switch (line.setting) {
    case SettingKey::ScanRadius:
        settings.scanRadius = line.settingNumber;
        break;
    case SettingKey::Debug:
        settings.debug = line.settingOn;
        break;
    }
}
