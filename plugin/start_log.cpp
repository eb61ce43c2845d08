#include "plugin/plugin.h"

#include "config/explain.h"
#include "config/text.h"
#include "shields/shields.h"

#include <string>
#include <vector>

namespace {

const std::string logPath = ".\\" + std::string(ConfigFormat::logFileName);

// The lines the log names of each kind; the checker names them all.
constexpr std::size_t loggedLines = 20;

// What the log says of the file: the lines without effect and the model names
// to check, worked out from the bytes only when the log is written.
struct Explained {
    std::vector<std::string> withoutEffect;
    int moreWithoutEffect = 0;
    std::vector<std::string> modelNameHints;
    int moreModelNameHints = 0;
    LinePlace place{};
    ListedModelNames names; // compares by the local hash: no native call
};

void note(std::vector<std::string>& kept, int& more, std::string line) {
    if (kept.size() == loggedLines) {
        ++more;
    } else {
        kept.push_back(std::move(line));
    }
}

void explainLine(const ConfigLine& line, void* context) {
    auto& explained = *static_cast<Explained*>(context);
    const std::string at = "line " + std::to_string(line.number);
    switch (line.kind) {
    case LineKind::Header:
        explained.place.headerSeen = true;
        break;
    case LineKind::WithoutEffect:
        note(explained.withoutEffect, explained.moreWithoutEffect,
             at + " " + quotedText(line.text) + ": " + noEffectReason(line, explained.place));
        break;
    case LineKind::Entry:
        // The name as the game reads it, up to a NUL.
        if (const auto hint = modelNameHint(explained.names, line.number, line.name)) {
            note(explained.modelNameHints, explained.moreModelNameHints, at + ": " + *hint);
        }
        break;
    case LineKind::Setting:
    case LineKind::Blank:
    case LineKind::Comment:
        break;
    }
}

Explained explained(const std::string& bytes) {
    Explained result;
    result.place.fileStartsWithMark = startsWithByteOrderMark(bytes);
    parseConfig(bytes, {explainLine, &result});
    return result;
}

// "  N lines ...:", the lines kept, and how many more the checker tells.
std::string listed(const std::vector<std::string>& lines, int more, std::string_view one,
                   std::string_view many, std::string_view rest) {
    std::string log =
        "  " + counted(static_cast<long long>(lines.size()) + more, one, many) + "\r\n";
    for (const std::string& line : lines) {
        log += "    " + line + "\r\n";
    }
    if (more > 0) {
        log += "    and " + std::to_string(more) + " more; " + std::string(rest) + "\r\n";
    }
    return log;
}

std::string configurationPart(const ConfigReading& reading) {
    std::string log = "BrambleCap " BRAMBLECAP_VERSION ": what the plug-in saw as the script "
                      "started\r\n(written because debug is on in BrambleCap.ini)\r\n\r\n";
    log += "Configuration: " + configPath +
           (reading.defaultWritten ? " was missing; the default file was written and read"
                                   : " was read") +
           "\r\n";
    // "  scan radius 100 m; the status line is on"
    for (const SettingDeclaration& setting : settingTable) {
        log += &setting == &settingTable.front() ? "  " : "; ";
        switch (setting.key) {
        case SettingKey::ScanRadius:
            log += std::string(setting.what) + " " + shownNumber(settings.scanRadius) + " m";
            break;
        case SettingKey::Debug: // on, or there would be no log
            log += "the status line is on";
            break;
        }
    }
    log +=
        "\r\n  " +
        counted(static_cast<long long>(blockPropModels.size()), "model listed", "models listed") +
        "\r\n";
    const Explained file = explained(reading.bytes);
    if (file.withoutEffect.empty()) {
        log += "  every line takes effect\r\n";
    } else {
        log += listed(file.withoutEffect, file.moreWithoutEffect, "line had no effect:",
                      "lines had no effect:", "bramblecap-check.exe explains every line");
    }
    if (!file.modelNameHints.empty()) {
        log += listed(file.modelNameHints, file.moreModelNameHints, "model name to check:",
                      "model names to check:", "bramblecap-check.exe names them all");
    }
    return log;
}

std::string shieldModelsPart() {
    std::vector<std::string> missing;
    for (int k = 1; k <= shieldModelCount; ++k) {
        if (!shieldModelLoaded[k - 1]) {
            missing.push_back(shieldModelName(k));
        }
    }
    const std::string frames = counted(shieldModelFramesWaited, "frame");
    if (missing.empty()) {
        return "Shield models: all " + std::to_string(shieldModelCount) + " loaded, after " +
               frames + "\r\n";
    }
    std::string log =
        "Shield models: " + std::to_string(shieldModelCount - static_cast<int>(missing.size())) +
        " of " + std::to_string(shieldModelCount) + " loaded; the wait ended after " + frames +
        " without:\r\n";
    for (const std::string& name : missing) {
        log += "  " + name + "\r\n";
    }
    return log + "  Trees that select them get no shield; are the model assets installed?\r\n";
}

} // namespace

// With debug off nothing is put together, let alone written.
std::string logConfiguration(const ConfigReading& reading) {
    if (!settings.debug) {
        return {};
    }
    std::string configuration = configurationPart(reading);
    writeConfigBytes(logPath, configuration + "Shield models: loading; the plug-in waits up to " +
                                  std::to_string(shieldModelWaitFrames) + " frames for them\r\n");
    return configuration;
}

void logShieldModels(const std::string& configuration) {
    if (settings.debug) {
        writeConfigBytes(logPath, configuration + shieldModelsPart());
    }
}
