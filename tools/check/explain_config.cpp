#include "tools/check/explain_config.h"

#include "config/config_format.h"
#include "config/config_parser.h"
#include "config/line_reasons.h"
#include "config/number_text.h"
#include "config/quoted_text.h"
#include "natives/name_hash.h"
#include "natives/types.h"
#include "shields/shield_limits.h"
#include "shields/shield_model_number.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

namespace {

// A line as the checker explains it, made while the parser's views are valid.
struct Explained {
    int number = 0;
    std::string text, section;
    std::string reading;        // what the line does, or "no effect: ..."
    bool withoutEffect = false; // a warning of its own
    std::vector<std::string> warnings;
    std::optional<std::string> overrideKey; // settings and entries: what a later line replaces

    std::size_t warningCount() const { return warnings.size() + (withoutEffect ? 1 : 0); }
};

struct Listener {
    std::vector<Explained> lines;
    bool headerSeen = false;
    bool fileStartsWithMark = false;
    Settings settings = initialSettings;
    std::map<ModelHash, PropShieldParams> entries;
};

std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

// "true, TRUE, True, 1"
std::string trueSpellingsText() {
    std::string text;
    for (const std::string_view spelling : ConfigFormat::trueSpellings) {
        text.append(text.empty() ? "" : ", ").append(spelling);
    }
    return text;
}

// A number field that holds no number, or text after its number, reads
// otherwise than it looks.
void warnAboutNumberText(std::string_view text, const std::string& field, Explained& line) {
    const NumberText read = readNumberText(text);
    if (read.length == 0) {
        line.warnings.push_back(field + " " + quotedText(text) + " holds no number: it reads as 0");
    } else if (const std::string_view rest = trimmedText(text.substr(read.length)); !rest.empty()) {
        line.warnings.push_back(quotedText(rest) + " after " + field + " is ignored");
    }
}

// Radii the plug-in takes as they are, but a player would hardly mean.
std::optional<std::string> radiusWarning(float radius) {
    if (std::isnan(radius)) {
        return "every listed object in the world is then a candidate, and no shield is retired "
               "for distance";
    }
    if (std::isinf(radius)) {
        return "every listed object in the world is then a candidate";
    }
    if (radius < 0) {
        return "the scan covers " + number(-radius) + " m, but shields go beyond " +
               number(std::fabs(radius + retirementMargin)) + " m";
    }
    if (radius == 0) {
        return "only objects at exactly the player's position are candidates";
    }
    return std::nullopt;
}

void explainSetting(const ConfigLine& line, Explained& out) {
    out.overrideKey = std::string(line.key);
    if (line.setting == SettingKey::ScanRadius) {
        const std::string shown = number(line.scanRadius);
        out.reading = std::string(line.key) + " = " + shown +
                      (line.value == shown ? "" : " (read from " + quotedText(line.value) + ")");
        warnAboutNumberText(line.value, "the radius", out);
        if (const auto warning = radiusWarning(line.scanRadius)) {
            out.warnings.push_back(*warning);
        }
        return;
    }
    out.reading = std::string(line.key) + " = " + (line.debug ? "true" : "false");
    const bool plainOff = line.value == "false" || line.value == "FALSE" || line.value == "False" ||
                          line.value == "0";
    if (!line.debug && !plainOff) {
        out.warnings.push_back(quotedText(line.value) + " reads as false: only " +
                               trueSpellingsText() + " turn the status line on");
    }
}

void explainEntry(const ConfigLine& line, ModelHash hash, Explained& out) {
    out.overrideKey = "entry " + std::to_string(hash);
    const int model = shieldModelNumber(line.params.shieldModelIndex);
    char hashText[16];
    std::snprintf(hashText, sizeof hashText, "0x%08X", hash);
    out.reading = "entry " + quotedText(line.key) + ": hash " + hashText + ", shield model " +
                  std::to_string(model) + ", height " + number(line.params.heightOffset);
    if (number(line.params.shieldModelIndex) != std::to_string(model)) {
        out.reading += " (" + number(line.params.shieldModelIndex) + " selects model " +
                       std::to_string(model) + ")";
    }
    const auto comma = line.value.find(',');
    warnAboutNumberText(line.value.substr(0, comma), "the shield model number", out);
    warnAboutNumberText(line.value.substr(comma + 1), "the height", out);
    const std::string_view name = trimmedText(line.key);
    if (line.key.empty()) {
        out.warnings.push_back("the model name is empty");
    } else if (line.key != name && !name.empty() && (name.front() == '#' || name.front() == ';')) {
        out.warnings.push_back(
            "a comment marker after a blank makes no comment, so this lists a model by that name");
    } else if (line.key != name) {
        out.warnings.push_back("the blanks are part of the name, so it does not match " +
                               quotedText(name));
    }
}

void collect(const ConfigLine& line, void* context) {
    auto& listener = *static_cast<Listener*>(context);
    Explained out;
    out.number = line.number;
    out.text = line.text;
    out.section = line.section;
    switch (line.kind) {
    case LineKind::Blank:
        out.reading = "blank";
        break;
    case LineKind::Comment:
        out.reading = "comment";
        break;
    case LineKind::Header:
        listener.headerSeen = true;
        out.reading = "opens section [" + visibleText(line.section) + "]";
        break;
    case LineKind::Setting:
        if (line.setting == SettingKey::ScanRadius) {
            listener.settings.scanRadius = line.scanRadius;
        } else {
            listener.settings.debug = line.debug;
        }
        explainSetting(line, out);
        break;
    case LineKind::Entry: {
        const ModelHash hash = nameHash(line.name);
        listener.entries[hash] = line.params;
        explainEntry(line, hash, out);
        break;
    }
    case LineKind::WithoutEffect:
        out.reading = "no effect: " +
                      noEffectReason(line, {listener.headerSeen, listener.fileStartsWithMark});
        out.withoutEffect = true;
        break;
    }
    listener.lines.push_back(std::move(out));
}

// A setting or a model that a later line sets again: the earlier line's own
// reading stands, and then this.
void markOverridden(std::vector<Explained>& lines) {
    std::map<std::string, int> later;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (!line->overrideKey) {
            continue;
        }
        if (const auto found = later.find(*line->overrideKey); found != later.end()) {
            line->warnings.push_back("overridden by line " + std::to_string(found->second));
        } else {
            later[*line->overrideKey] = line->number;
        }
    }
}

void printLine(const Explained& line, std::ostream& out) {
    char number[16];
    std::snprintf(number, sizeof number, "%4d", line.number);
    out << number << "  [" << visibleText(line.section) << "]  " << quotedText(line.text, 200)
        << "\n        " << line.reading << "\n";
    for (const std::string& warning : line.warnings) {
        out << "        warning: " << warning << "\n";
    }
}

} // namespace

int explainConfig(const std::string& name, std::string_view bytes, const CheckOptions& options,
                  std::ostream& out) {
    Listener listener;
    listener.fileStartsWithMark = startsWithByteOrderMark(bytes);
    parseConfig(bytes, {collect, &listener});
    markOverridden(listener.lines);

    out << name
        << (options.problemsOnly ? ", the lines with warnings:\n"
                                 : ", line by line as the plug-in reads it:\n");
    std::size_t warnings = 0;
    for (const Explained& line : listener.lines) {
        warnings += line.warningCount();
        if (!options.problemsOnly || line.warningCount() > 0) {
            printLine(line, out);
        }
    }
    std::vector<std::string> fileWarnings;
    if (const auto stop = bytes.find(ConfigFormat::endOfText); stop != std::string::npos) {
        const std::string_view rest = bytes.substr(stop + 1);
        const std::string cut = "Ctrl-Z (\\x1A) ends the file for the game: the " +
                                std::to_string(rest.size()) + " bytes after it are never read";
        if (rest.find_first_not_of("\r\n") != std::string_view::npos) {
            fileWarnings.push_back(cut);
        } else if (!options.problemsOnly) {
            out << "        " << cut << "\n";
        }
    }
    if (bytes.empty()) {
        fileWarnings.push_back(
            "the file is empty: the plug-in keeps its settings and lists nothing");
    } else if (listener.entries.empty()) {
        fileWarnings.push_back("no entries in [" + std::string(ConfigFormat::sectionBlockProps) +
                               "]: the plug-in will shield nothing");
    }
    for (const std::string& warning : fileWarnings) {
        out << "warning: " << warning << "\n";
    }
    warnings += fileWarnings.size();
    out << "summary: radius " << number(listener.settings.scanRadius) << ", debug "
        << (listener.settings.debug ? "true" : "false") << ", " << listener.entries.size()
        << (listener.entries.size() == 1 ? " entry, " : " entries, ") << warnings
        << (warnings == 1 ? " warning\n" : " warnings\n");
    return warnings == 0 ? 0 : 1;
}
