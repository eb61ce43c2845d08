#include "tools/check/checker.h"

#include "config/config_format.h"
#include "config/explain.h"
#include "config/text.h"
#include "natives/natives.h"
#include "shields/shields.h"

#include <cstdio>
#include <map>
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
    ListedModelNames names;
};

void explainSetting(const ConfigLine& line, Explained& out) {
    out.overrideKey = std::string(line.key);
    const SettingDeclaration& setting = declarationOf(line.setting);
    std::optional<std::string> warning;
    switch (line.setting) {
    case SettingKey::ScanRadius: {
        const std::string shown = shownNumber(line.settingNumber);
        out.reading = std::string(line.key) + " = " + shown +
                      (line.value == shown ? "" : " (read from " + quotedText(line.value) + ")");
        if (auto text = numberTextWarning(line.value, "the radius", false)) {
            out.warnings.push_back(*text);
        }
        warning = radiusWarning(line.settingNumber);
        break;
    }
    case SettingKey::Debug:
        out.reading = std::string(line.key) + " = " + (line.settingOn ? "true" : "false");
        warning = trueFalseWarning(line.value, line.settingOn, setting.what);
        break;
    }
    if (warning) {
        out.warnings.push_back(*warning);
    }
}

void explainEntry(const ConfigLine& line, ModelHash hash, const std::optional<std::string>& hint,
                  Explained& out) {
    out.overrideKey = "entry " + std::to_string(hash);
    const int model = shieldModelNumber(line.params.shieldModelIndex);
    out.reading = "entry " + quotedText(line.key) + ": hash " + hashText(hash) + ", shield model " +
                  std::to_string(model) + ", height " + shownNumber(line.params.heightOffset);
    if (shownNumber(line.params.shieldModelIndex) != std::to_string(model)) {
        out.reading += " (" + shownNumber(line.params.shieldModelIndex) + " selects model " +
                       std::to_string(model) + ")";
    }
    const auto comma = line.value.find(',');
    for (const auto& [text, field] :
         {std::pair{line.value.substr(0, comma), "the shield model number"},
          std::pair{line.value.substr(comma + 1), "the height"}}) {
        if (auto warning = numberTextWarning(text, field, true)) {
            out.warnings.push_back(*warning);
        }
    }
    const std::string_view name = trimmedText(line.key);
    if (line.key.empty()) {
        out.warnings.push_back("the model name is empty");
    } else if (line.key != name && !name.empty() && (name.front() == '#' || name.front() == ';')) {
        out.warnings.push_back(
            "a comment marker after a blank makes no comment, so this lists a model by that name");
    } else if (line.key != name) {
        out.warnings.push_back("the blanks are part of the name, so it does not match " +
                               quotedText(name));
    } else if (hint) {
        out.warnings.push_back(*hint);
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
        applySetting(line, listener.settings);
        explainSetting(line, out);
        break;
    case LineKind::Entry: {
        const ModelHash hash = nameHash(line.name);
        listener.entries[hash] = line.params;
        explainEntry(line, hash, modelNameHint(listener.names, line.number, line.name), out);
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
    out << "summary: ";
    for (const SettingDeclaration& setting : settingTable) {
        switch (setting.key) {
        case SettingKey::ScanRadius:
            out << "radius " << shownNumber(listener.settings.scanRadius);
            break;
        case SettingKey::Debug:
            out << setting.text << (listener.settings.debug ? " true" : " false");
            break;
        }
        out << ", ";
    }
    out << counted(static_cast<long long>(listener.entries.size()), "entry", "entries") << ", "
        << counted(static_cast<long long>(warnings), "warning") << "\n";
    return warnings == 0 ? 0 : 1;
}
