#include "tools/check/explain_config.h"

#include "config/config_file.h"
#include "config/config_format.h"
#include "config/config_parser.h"
#include "natives/name_hash.h"
#include "natives/types.h"
#include "shields/shield_limits.h"
#include "shields/shield_model_number.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

namespace {

// A line as the parser read it, kept past the parser's call.
struct ReadLine {
    ConfigLine line; // its views are not used after the call
    std::string text, section, key, value;
    ModelHash hash = 0; // entries
    bool headerSeen = false;
    std::optional<std::string> noEffect;
};

struct Listener {
    std::vector<ReadLine> lines;
    bool headerSeen = false;
    Settings settings = initialSettings;
    std::map<ModelHash, PropShieldParams> entries;
};

void collect(const ConfigLine& line, void* context) {
    auto& listener = *static_cast<Listener*>(context);
    ReadLine read;
    read.line = line;
    read.text = line.text;
    read.section = line.section;
    read.key = line.key;
    read.value = line.value;
    if (line.kind == LineKind::Header) {
        listener.headerSeen = true;
    } else if (line.kind == LineKind::Setting && line.setting == SettingKey::ScanRadius) {
        listener.settings.scanRadius = line.scanRadius;
    } else if (line.kind == LineKind::Setting) {
        listener.settings.debug = line.debug;
    } else if (line.kind == LineKind::Entry) {
        read.hash = nameHash(line.name);
        listener.entries[read.hash] = line.params;
    }
    read.headerSeen = listener.headerSeen;
    listener.lines.push_back(std::move(read));
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string::npos
               ? ""
               : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Shows bytes a player cannot see: blanks at the ends, tabs, a byte-order mark.
std::string visible(const std::string& text) {
    std::string shown;
    for (const unsigned char c : text) {
        if (c == '\t') {
            shown += "\\t";
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

// "true, TRUE, True, 1"
std::string trueSpellingsText() {
    std::string text;
    for (const std::string_view spelling : ConfigFormat::trueSpellings) {
        text.append(text.empty() ? "" : ", ").append(spelling);
    }
    return text;
}

std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

bool startsWithMark(std::string_view text) {
    return text.starts_with("\xEF\xBB\xBF");
}

std::string outsideReason(const ReadLine& r, bool fileHasMark) {
    if (r.line.number == 1 && startsWithMark(r.text)) {
        return "the file starts with a byte-order mark (\\xEF\\xBB\\xBF), so this line is no "
               "header; "
               "the lines up to the next header are ignored";
    }
    if (!r.headerSeen) {
        return fileHasMark ? "in no section: the byte-order mark on line 1 hid that header"
                           : "before the first section header";
    }
    if (r.section.empty()) {
        return "in the empty section opened by \"[]\"";
    }
    for (const std::string_view usedName : {ConfigFormat::sectionSettings, ConfigFormat::sectionBlockProps}) {
        const std::string used(usedName);
        if (lower(r.section) == lower(used)) {
            return "section [" + r.section + "] is not [" + used +
                   "]: section names are case-sensitive";
        }
        if (trimmed(r.section) == used) {
            return "section [" + visible(r.section) + "] holds blanks, so it is not [" + used + "]";
        }
    }
    return "section [" + visible(r.section) + "] is not read by the plug-in";
}

std::string noEqualsReason(const ReadLine& r) {
    if (r.text.front() == '[') {
        if (trimmed(r.text).back() == ']') {
            return "a header followed by a blank is no header; the lines after it stay in section "
                   "[" +
                   r.section + "]";
        }
        return "begins with \"[\" but does not end with \"]\", so it is no header";
    }
    return "no \"=\" in the line";
}

std::string unknownKeyReason(const std::string& key) {
    if (key.empty()) {
        return "the line starts with \"=\": its key is empty";
    }
    for (const std::string_view knownName : {ConfigFormat::scanRadiusKey, ConfigFormat::debugKey}) {
        const std::string known(knownName);
        if (trimmed(key) == known && key != known) {
            return "the key is \"" + visible(key) + "\": blanks around it are part of the key";
        }
        if (lower(key) == lower(known)) {
            return "keys are case-sensitive: \"" + key + "\" is not \"" + known + "\"";
        }
    }
    return "unknown setting \"" + visible(key) + "\"; the plug-in reads " +
           std::string(ConfigFormat::scanRadiusKey) + " and " + std::string(ConfigFormat::debugKey);
}

// Radii the plug-in takes as they are, but a player would hardly mean.
std::string radiusNote(float radius) {
    if (std::isnan(radius)) {
        return "; note: every listed object in the world is then a candidate, and no shield is "
               "retired for distance";
    }
    if (std::isinf(radius)) {
        return "; note: every listed object in the world is then a candidate";
    }
    if (radius < 0) {
        return "; note: the scan covers " + number(-radius) + " m, but shields go beyond " +
               number(std::fabs(radius + retirementMargin)) + " m";
    }
    if (radius == 0) {
        return "; note: only objects at exactly the player's position are candidates";
    }
    return "";
}

std::string effectText(const ReadLine& r) {
    const ConfigLine& line = r.line;
    switch (line.kind) {
    case LineKind::Blank:
        return "blank";
    case LineKind::Comment:
        return "comment";
    case LineKind::Header:
        return "opens section [" + visible(r.section) + "]";
    case LineKind::Setting:
        if (line.setting == SettingKey::ScanRadius) {
            const float radius = line.scanRadius;
            const std::string shown = number(radius);
            return r.key + " = " + shown +
                   (r.value == shown ? "" : " (read from \"" + visible(r.value) + "\")") +
                   radiusNote(radius);
        } else {
            const bool on = line.debug;
            const bool plainOff =
                r.value == "false" || r.value == "FALSE" || r.value == "False" || r.value == "0";
            return r.key + " = " + (on ? "true" : "false") +
                   (on || plainOff ? ""
                                   : " (\"" + visible(r.value) + "\" is not one of " +
                                         trueSpellingsText() + ")");
        }
    case LineKind::Entry: {
        char text[160];
        const int model = shieldModelNumber(line.params.shieldModelIndex);
        std::snprintf(text, sizeof text, "entry \"%s\": hash 0x%08X, shield model %d, height %s",
                      visible(r.key).c_str(), r.hash, model,
                      number(line.params.heightOffset).c_str());
        std::string explained = text;
        if (number(line.params.shieldModelIndex) != std::to_string(model)) {
            explained += " (" + number(line.params.shieldModelIndex) + " selects model " +
                         std::to_string(model) + ")";
        }
        const std::string name = trimmed(r.key);
        if (r.key != name && !name.empty() && (name.front() == '#' || name.front() == ';')) {
            explained += "; note: a comment marker after a blank makes no comment, so this lists "
                         "a model by that name";
        } else if (r.key != name) {
            explained +=
                "; note: the blanks are part of the name, so it does not match \"" + name + "\"";
        }
        return explained;
    }
    default:
        return "";
    }
}

// Marks settings and entries that a later line replaces.
void markOverridden(std::vector<ReadLine>& lines) {
    std::map<std::string, int> lastSetting;
    std::map<ModelHash, int> lastEntry;
    for (auto r = lines.rbegin(); r != lines.rend(); ++r) {
        if (r->line.kind == LineKind::Setting) {
            if (const auto later = lastSetting.find(r->key); later != lastSetting.end()) {
                r->noEffect = r->key + " is set again on line " + std::to_string(later->second);
            } else {
                lastSetting[r->key] = r->line.number;
            }
        } else if (r->line.kind == LineKind::Entry) {
            if (const auto later = lastEntry.find(r->hash); later != lastEntry.end()) {
                r->noEffect = "the same model is listed again on line " +
                              std::to_string(later->second) + ", whose numbers win";
            } else {
                lastEntry[r->hash] = r->line.number;
            }
        }
    }
}

void explainLines(std::vector<ReadLine>& lines, bool fileHasMark) {
    markOverridden(lines);
    for (ReadLine& r : lines) {
        if (r.line.kind != LineKind::WithoutEffect) {
            continue;
        }
        switch (r.line.noEffect) {
        case NoEffect::OutsideUsedSection:
            r.noEffect = outsideReason(r, fileHasMark);
            break;
        case NoEffect::NoEquals:
            r.noEffect = noEqualsReason(r);
            break;
        case NoEffect::UnknownKey:
            r.noEffect = unknownKeyReason(r.key);
            break;
        case NoEffect::EntryWithoutComma:
            r.noEffect = "the value \"" + visible(r.value) +
                         "\" has no \",\" between its two numbers; nothing is listed";
            break;
        }
    }
}

} // namespace

int explainConfig(const std::string& path, std::ostream& out) {
    if (!configFileExists(path)) {
        out << path
            << ": cannot read: no such file (the plug-in would write the default file here)\n";
        return 2;
    }
    const std::optional<std::string> bytes = readConfigBytes(path);
    if (!bytes) {
        out << path << ": cannot read: "
            << (std::filesystem::is_directory(path) ? "it is a directory"
                                                    : "the file does not open")
            << " (the plug-in would shield nothing)\n";
        return 2;
    }
    Listener listener;
    parseConfig(*bytes, {collect, &listener});
    explainLines(listener.lines, startsWithMark(*bytes));

    out << path << ", line by line as the plug-in reads it:\n";
    int withoutEffect = 0;
    for (const ReadLine& r : listener.lines) {
        out << (r.line.number < 10     ? "   "
                : r.line.number < 100  ? "  "
                : r.line.number < 1000 ? " "
                                       : "")
            << r.line.number << "  [" << visible(r.section) << "]  \"" << visible(r.text) << "\"\n";
        if (r.noEffect) {
            ++withoutEffect;
            out << "        no effect: " << *r.noEffect << "\n";
        } else {
            out << "        " << effectText(r) << "\n";
        }
    }
    if (const auto stop = bytes->find(ConfigFormat::endOfText); stop != std::string::npos) {
        const std::string rest = bytes->substr(stop + 1);
        out << "        Ctrl-Z (\\x1A) ends the file for the game: the " << rest.size()
            << " bytes after it are never read\n";
        withoutEffect += rest.find_first_not_of("\r\n") != std::string::npos ? 1 : 0;
    }
    out << "summary: radius " << number(listener.settings.scanRadius) << ", debug "
        << (listener.settings.debug ? "true" : "false") << ", " << listener.entries.size()
        << " entries, "
        << withoutEffect << (withoutEffect == 1 ? " line" : " lines") << " without effect\n";
    return withoutEffect == 0 ? 0 : 1;
}
