#include "config/config_reader.h"

#include "config/number_text.h"
#include "plugin/file_system.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr std::string_view settingsSection = "Settings";
constexpr std::string_view blockPropsSection = "BLOCK_PROPS";

// The game's C runtime reads text files up to the first Ctrl-Z; the file is
// read as bytes and that rule applied here, so both builds read alike.
constexpr char endOfText = '\x1A';

void applySetting(ConfigLine& line, char* value) {
    if (line.key == "scanRadius") {
        settings.scanRadius = readNumber(value);
    } else if (line.key == "debug") {
        settings.debug = debugValueIsTrue(line.value);
    } else {
        line.effect = LineEffect::UnknownSetting;
    }
}

// name=first,second: the name is hashed as written, blanks and all.
void applyEntry(ConfigLine& line, char* name, char* value, HashName hashName) {
    const auto comma = line.value.find(',');
    if (comma == std::string_view::npos) {
        line.effect = LineEffect::EntryWithoutComma;
        return;
    }
    // strtod never reads past a ',', so each number converts in place.
    line.params = {readNumber(value), readNumber(value + comma + 1)};
    line.hash = hashName(name);
    blockPropModels.insert(line.hash);
    blockPropParams[line.hash] = line.params;
}

void classify(std::string& text, ConfigLine& line, std::string& section, HashName hashName) {
    line.text = text;
    if (text.empty()) {
        line.effect = LineEffect::Blank;
    } else if (text.front() == '#' || text.front() == ';') {
        line.effect = LineEffect::Comment;
    } else if (text.front() == '[' && text.back() == ']') {
        section.assign(text, 1, text.size() - 2);
        line.effect = LineEffect::Header;
    } else if (section != settingsSection && section != blockPropsSection) {
        line.effect = LineEffect::OutsideUsedSection;
    } else if (const auto equals = text.find('='); equals == std::string::npos) {
        line.effect = LineEffect::NoEquals;
    } else {
        char* key = text.data();
        char* value = key + equals + 1;
        line.key = std::string_view(key, equals);
        line.value = std::string_view(value, text.size() - equals - 1);
        if (section == settingsSection) {
            line.effect = LineEffect::Setting;
            applySetting(line, value);
        } else {
            line.effect = LineEffect::Entry;
            key[equals] = '\0'; // the name is handed over as a string of its own
            applyEntry(line, key, value, hashName);
            key[equals] = '=';
        }
    }
    line.section = section;
}

} // namespace

bool debugValueIsTrue(std::string_view value) {
    return value == "true" || value == "TRUE" || value == "True" || value == "1";
}

void readConfig(std::istream& in, HashName hashName, const ConfigObserver* observer) {
    blockPropModels.clear();
    blockPropParams.clear();
    std::string section;
    std::string text;
    int number = 0;
    bool ended = false;
    while (!ended && std::getline(in, text)) {
        if (const auto stop = text.find(endOfText); stop != std::string::npos) {
            if (stop == 0) {
                break; // nothing of this line reaches the reader
            }
            text.resize(stop);
            ended = true;
        }
        std::erase(text, '\r');
        ConfigLine line;
        line.number = ++number;
        classify(text, line, section, hashName);
        if (observer != nullptr) {
            observer->onLine(line, observer->context);
        }
    }
}

bool readConfigFile(const std::string& path, HashName hashName, const ConfigObserver* observer) {
    std::ifstream in;
    if (!openConfigForReading(in, path)) {
        return false;
    }
    readConfig(in, hashName, observer);
    return true;
}
