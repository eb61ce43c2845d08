#include "plugin/plugin.h"

#include "config/explain.h"
#include "config/text.h"
#include "shields/shields.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string logPath = ".\\" + std::string(ConfigFormat::logFileName);

// The lines the log names; the checker explains them all.
constexpr std::size_t loggedLines = 20;

void addWarnings(std::string& log, const std::vector<Warning>& warnings, std::string_view indent) {
    for (const Warning& warning : warnings) {
        log.append(indent).append(warning.problem).append("\r\n");
        log.append(indent).append("fix: ").append(warning.fix).append("\r\n");
    }
}

// Every line the player should look at, with what to do; worked out from the
// bytes only when the log is written.
std::string verdictPart(const std::string& bytes) {
    const FileVerdict verdict = judgeConfig(bytes);
    std::vector<const LineVerdict*> warned;
    for (const LineVerdict& line : verdict.lines) {
        if (!line.warnings.empty()) {
            warned.push_back(&line);
        }
    }
    if (warned.empty() && verdict.fileWarnings.empty()) {
        return "  every line takes effect\r\n";
    }
    std::string log;
    if (!warned.empty()) {
        log += "  " + counted(static_cast<long long>(warned.size()), "line") + " to check:\r\n";
        for (std::size_t i = 0; i < std::min(warned.size(), loggedLines); ++i) {
            const LineVerdict& line = *warned[i];
            log += "    line " + std::to_string(line.number) + " " + quotedText(line.text) + ": " +
                   line.does + "\r\n";
            addWarnings(log, line.warnings, "      ");
        }
        if (warned.size() > loggedLines) {
            log += "    and " + std::to_string(warned.size() - loggedLines) +
                   " more; bramblecap-check.exe explains every line\r\n";
        }
    }
    if (!verdict.fileWarnings.empty()) {
        log += "  the file as a whole:\r\n";
        addWarnings(log, verdict.fileWarnings, "    ");
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
    log += "\r\n  " +
           counted(static_cast<long long>(blockPropModels.size()), "tree model listed",
                   "tree models listed") +
           "\r\n";
    return log + verdictPart(reading.bytes);
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
