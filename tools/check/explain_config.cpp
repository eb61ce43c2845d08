#include "tools/check/explain_config.h"

#include "config/config_reader.h"
#include "config/number_text.h"
#include "plugin/file_system.h"
#include "shields/shield_model_number.h"
#include "sim/hash_key.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <vector>

namespace {

struct ReadLine {
    ConfigLine line;
    std::string text, section, key, value;
    bool headerSeen = false;
    std::optional<std::string> noEffect;
};

struct Listener {
    std::vector<ReadLine> lines;
    bool headerSeen = false;
};

void collect(const ConfigLine& line, void* context) {
    auto& listener = *static_cast<Listener*>(context);
    ReadLine read;
    read.line = line;
    read.text = line.text;
    read.section = line.section;
    read.key = line.key;
    read.value = line.value;
    if (line.effect == LineEffect::Header) {
        listener.headerSeen = true;
    }
    read.headerSeen = listener.headerSeen;
    listener.lines.push_back(std::move(read));
}

ModelHash hashName(const char* name) {
    return sim::hashKey(name);
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

std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

bool startsWithMark(const std::string& text) {
    return text.rfind("\xEF\xBB\xBF", 0) == 0;
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
    for (const std::string used : {"Settings", "BLOCK_PROPS"}) {
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
    for (const std::string known : {"scanRadius", "debug"}) {
        if (trimmed(key) == known && key != known) {
            return "the key is \"" + visible(key) + "\": blanks around it are part of the key";
        }
        if (lower(key) == lower(known)) {
            return "keys are case-sensitive: \"" + key + "\" is not \"" + known + "\"";
        }
    }
    return "unknown setting \"" + visible(key) + "\"; the plug-in reads scanRadius and debug";
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
               number(std::fabs(radius + 50)) + " m";
    }
    if (radius == 0) {
        return "; note: only objects at exactly the player's position are candidates";
    }
    return "";
}

std::string effectText(const ReadLine& r) {
    const ConfigLine& line = r.line;
    switch (line.effect) {
    case LineEffect::Blank:
        return "blank";
    case LineEffect::Comment:
        return "comment";
    case LineEffect::Header:
        return "opens section [" + visible(r.section) + "]";
    case LineEffect::Setting:
        if (r.key == "scanRadius") {
            const float radius = readNumber(r.value.c_str());
            const std::string shown = number(radius);
            return "scanRadius = " + shown +
                   (r.value == shown ? "" : " (read from \"" + visible(r.value) + "\")") +
                   radiusNote(radius);
        } else {
            const bool on = debugValueIsTrue(r.value);
            const bool plainOff =
                r.value == "false" || r.value == "FALSE" || r.value == "False" || r.value == "0";
            return std::string("debug = ") + (on ? "true" : "false") +
                   (on || plainOff
                        ? ""
                        : " (\"" + visible(r.value) + "\" is not one of true, TRUE, True, 1)");
        }
    case LineEffect::Entry: {
        char text[160];
        const int model = shieldModelNumber(line.params.shieldModelIndex);
        std::snprintf(text, sizeof text, "entry \"%s\": hash 0x%08X, shield model %d, height %s",
                      visible(r.key).c_str(), line.hash, model,
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
        if (r->line.effect == LineEffect::Setting) {
            if (const auto later = lastSetting.find(r->key); later != lastSetting.end()) {
                r->noEffect = r->key + " is set again on line " + std::to_string(later->second);
            } else {
                lastSetting[r->key] = r->line.number;
            }
        } else if (r->line.effect == LineEffect::Entry) {
            if (const auto later = lastEntry.find(r->line.hash); later != lastEntry.end()) {
                r->noEffect = "the same model is listed again on line " +
                              std::to_string(later->second) + ", whose numbers win";
            } else {
                lastEntry[r->line.hash] = r->line.number;
            }
        }
    }
}

void explainLines(std::vector<ReadLine>& lines, bool fileHasMark) {
    markOverridden(lines);
    for (ReadLine& r : lines) {
        switch (r.line.effect) {
        case LineEffect::OutsideUsedSection:
            r.noEffect = outsideReason(r, fileHasMark);
            break;
        case LineEffect::NoEquals:
            r.noEffect = noEqualsReason(r);
            break;
        case LineEffect::UnknownSetting:
            r.noEffect = unknownKeyReason(r.key);
            break;
        case LineEffect::EntryWithoutComma:
            r.noEffect = "the value \"" + visible(r.value) +
                         "\" has no \",\" between its two numbers; nothing is listed";
            break;
        default:
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
    Listener listener;
    const ConfigObserver observer{collect, &listener};
    if (!readConfigFile(path, hashName, &observer)) {
        out << path << ": cannot read: "
            << (std::filesystem::is_directory(path) ? "it is a directory"
                                                    : "the file does not open")
            << " (the plug-in would shield nothing)\n";
        return 2;
    }
    std::ifstream raw(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(raw), std::istreambuf_iterator<char>()};
    const bool hasMark = startsWithMark(bytes);
    explainLines(listener.lines, hasMark);

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
    if (const auto stop = bytes.find('\x1A'); stop != std::string::npos) {
        const std::string rest = bytes.substr(stop + 1);
        out << "        Ctrl-Z (\\x1A) ends the file for the game: the " << rest.size()
            << " bytes after it are never read\n";
        withoutEffect += rest.find_first_not_of("\r\n") != std::string::npos ? 1 : 0;
    }
    out << "summary: radius " << number(settings.scanRadius) << ", debug "
        << (settings.debug ? "true" : "false") << ", " << blockPropModels.size() << " entries, "
        << withoutEffect << (withoutEffect == 1 ? " line" : " lines") << " without effect\n";
    return withoutEffect == 0 ? 0 : 1;
}
